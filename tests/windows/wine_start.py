#!/usr/bin/env python3
"""The Windows program starting under Wine, as a player first sees it: its
window appears under its title with a client area of 704 x 454 plus one
pixel each way, showing the board picture from its top-left corner, in the
middle of the screen, with the program's icon. Given the folder of the card
faces, File > Deal by the keyboard (Alt+F, D) then lays the 52 cards: each
slot shows the part of a face a fan leaves in view, every card once, and
nothing lies at slots 53 and 54.

Usage (under tests/e2e/run_in_xvfb.sh [--wm]):
  wine_start.py <program.exe> <window title> <board picture> <icon file> [<cards folder>]
WINEPREFIX names the prefix, made if it is not there.
"""
import os
import sys
import tempfile

import winesession
from winesession import xsession
from board_e2e import PEACH, slot_top_left  # noqa: E402 (xsession's folder is on the path)

CLIENT = (704 + 1, 454 + 1)


def main():
    program, title, board, icon = sys.argv[1:5]
    cards = sys.argv[5] if len(sys.argv) > 5 else None
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

            if cards and client:
                deal(window, client[:2], winesession.card_faces(cards, workdir), workdir, failures)
        finally:
            process.kill()
            winesession.stop(env)
    return winesession.report(failures, program)


def faces_in_slots(screen, left, top, faces):
    """{slot: card code} for each slot 1..52 whose part in view (the whole
    card on a fan's top, the left strip of one beneath) is a face's, away
    from the rounded corners."""
    found = {}
    for slot in range(1, 53):
        x, y = slot_top_left(slot)
        width = 70 if slot % 3 == 0 or slot == 52 else 22
        seen = screen.region(left + x, top + y + 5, width, 89)
        for code, face in faces.items():
            if winesession.region_of(face, 0, 5, width, 89) == seen:
                found[slot] = code
                break
    return found


def deal(window, client, faces, workdir, failures):
    left, top = client
    xsession.choose(window, "alt+f", "d")
    screen = xsession.screen_when(workdir, lambda s: len(faces_in_slots(s, left, top, faces)) == 52)
    found = faces_in_slots(screen, left, top, faces)
    missing = sorted(set(range(1, 53)) - set(found))
    if missing:
        failures.append(f"after Alt+F, D no card face shows at slots {missing}")
    if len(set(found.values())) != len(found):
        failures.append(f"a card shows twice after the deal: {found}")
    for slot in (53, 54):
        x, y = slot_top_left(slot)
        # Where a card there would show its right edge, clear of slot 52's card.
        colour = screen.at(left + x + 69, top + y + 50)
        if not xsession.near(colour, PEACH):
            failures.append(f"something shows at slot {slot} after the deal: {colour}")


if __name__ == "__main__":
    sys.exit(main())
