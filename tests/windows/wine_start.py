#!/usr/bin/env python3
"""The Windows program starting under Wine, as a player first sees it: its
window appears under its title with a client area of 704 x 454 plus one
pixel each way, showing the board picture from its top-left corner, in the
middle of the screen, with the program's icon.

Usage (under tests/e2e/run_in_xvfb.sh [--wm]):
  wine_start.py <program.exe> <window title> <board picture> <icon file>
WINEPREFIX names the prefix, made if it is not there.
"""
import os
import sys
import tempfile

import winesession
from winesession import xsession

CLIENT = (704 + 1, 454 + 1)


def main():
    program, title, board, icon = sys.argv[1:5]
    prefix = os.environ["WINEPREFIX"]
    winesession.make_prefix(prefix)
    env = winesession.environment(prefix)
    failures = []
    with tempfile.TemporaryDirectory() as workdir:
        winesession.stop(env)  # nothing left from another display
        process = winesession.start(env, program)
        try:
            window = xsession.find_window(title)
            if xsession.xdotool("getwindowpid", window).strip() != str(process.pid):
                failures.append(f"the window {title!r} is not the started program's")

            client = winesession.client_area(window, winesession.picture_pixels(board, workdir), workdir)
            if client is None:
                failures.append("the board picture is not drawn whole anywhere in the window")
            elif client[2:] != CLIENT:
                failures.append(f"client area {client[2]}x{client[3]}, not {CLIENT[0]}x{CLIENT[1]}")

            if xsession.WINDOW_MANAGER:
                xsession.placed(window)  # the frame may come, and the window move, after mapping
            width_s, _ = xsession.screen_size()
            x, y, width, height = xsession.outer_geometry(window)
            if abs(x - (width_s - width) // 2) > 1:
                failures.append(f"not centred across: at x {x}, {width} wide")
            if xsession.WINDOW_MANAGER:
                if not xsession.centred(window):
                    failures.append(f"not centred with its frame: at {x},{y}, {width}x{height}")
            else:
                # No frame on the screen, but Wine places the window with its
                # caption: the rest sits lower by half the caption's height.
                _, height_s = xsession.screen_size()
                below = y - (height_s - height) // 2
                if not 0 <= below <= 20:
                    failures.append(f"not centred down: {below} px below the middle")

            icons = winesession.icon_sizes(window)
            if (32, 32) not in icons:
                failures.append(f"no 32x32 window icon (offered: {sorted(icons)})")
            elif not winesession.same_icon(icons[(32, 32)], icon, workdir):
                failures.append("the 32x32 window icon is not the program's")
        finally:
            process.kill()
            winesession.stop(env)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{'failed' if failures else 'passed'}: {program} under Wine, window manager {xsession.WINDOW_MANAGER or 'none'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
