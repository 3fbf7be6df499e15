#!/usr/bin/env python3
"""The built program started natively on Wayland, in Weston's headless
compositor: the board window maps at its fixed size, with its menu bar and
the board picture; it asks the compositor for that size as both its minimum
and maximum, and names its desktop entry (the app_id, through which the
desktop shows its icon). Weston's headless backend takes no synthetic input, so
the screen is all there is to look at (weston-screenshooter, allowed by
--debug). Exits 77 (skipped) with the reason where Weston or Qt's Wayland
plugin is missing.

Where the window sits is the compositor's choice on Wayland, so the board is
looked for: the dark line round the board picture, 704 x 454 pixels.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from xsession import near
from xsession import read_ppm as xsession_read_ppm

DEADLINE = 30.0
DARK = (64, 64, 64)
PEACH = (254, 230, 206)
BOARD = (704, 454)  # the board picture; the client area adds one pixel each way
SKIP = 77


def read_ppm(path):
    width, height, pixels = xsession_read_ppm(path)
    return width, height, lambda x, y: tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3])


def find_board(width, height, at):
    """The top-left corner of the board picture: a dark line BOARD[0] long
    with another BOARD[1] - 1 rows below it, joined by dark columns."""
    for y in range(height - BOARD[1]):
        run = 0
        for x in range(width):
            run = run + 1 if near(at(x, y), DARK, 8) else 0
            if run == BOARD[0]:
                left = x - BOARD[0] + 1
                bottom = y + BOARD[1] - 1
                if (all(near(at(left + dx, bottom), DARK, 8) for dx in range(0, BOARD[0], 7))
                        and all(near(at(left, y + dy), DARK, 8) and near(at(left + BOARD[0] - 1, y + dy), DARK, 8)
                                for dy in range(0, BOARD[1], 7))):
                    return left, y
    return None


def plugin_present():
    out = subprocess.run(["qtpaths6", "--plugin-dir"], capture_output=True, text=True).stdout.strip()
    return bool(out) and bool(glob.glob(os.path.join(out, "platforms", "libqwayland*.so")))


def main(program):
    for tool in ("weston", "weston-screenshooter", "convert"):
        if not shutil.which(tool):
            print(f"skipped: {tool} is missing (scripts/deps.sh --tests installs it)")
            return SKIP
    if shutil.which("qtpaths6") and not plugin_present():
        print("skipped: Qt's Wayland plugin is missing (qt6-wayland; scripts/deps.sh --tests installs it)")
        return SKIP

    failures = []
    runtime = tempfile.mkdtemp(prefix="quarrow-wayland-")
    os.chmod(runtime, 0o700)
    socket = "quarrow-test"
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    env.pop("DISPLAY", None)
    weston = subprocess.Popen(["weston", "--backend=headless-backend.so", f"--socket={socket}", "--use-pixman",
                               "--debug", "--width=1024", "--height=768", "--idle-time=0"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    game = None
    try:
        deadline = time.monotonic() + DEADLINE
        while not os.path.exists(os.path.join(runtime, socket)):
            if weston.poll() is not None or time.monotonic() > deadline:
                print(f"weston did not start: {weston.stderr.read()[-2000:] if weston.poll() is not None else ''}")
                return 1
            time.sleep(0.05)
        game_env = dict(env, WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland", SDL_AUDIODRIVER="dummy")
        # The requests the program makes of the compositor, for the checks below.
        protocol = os.path.join(runtime, "protocol.log")
        with open(protocol, "w") as log:
            game = subprocess.Popen([program], env=dict(game_env, WAYLAND_DEBUG="client"),
                                    stdout=subprocess.DEVNULL, stderr=log)

        shots = os.path.join(runtime, "shots")
        os.makedirs(shots)
        found = None
        while time.monotonic() < deadline and not found:
            if game.poll() is not None:
                failures.append(f"the program ended, status {game.returncode}")
                break
            for old in glob.glob(os.path.join(shots, "*")):
                os.remove(old)
            subprocess.run(["weston-screenshooter"], cwd=shots, env=game_env, capture_output=True)
            pictures = glob.glob(os.path.join(shots, "*.png"))
            if pictures:
                ppm = os.path.join(shots, "screen.ppm")
                subprocess.run(["convert", pictures[0], ppm], check=True)
                width, height, at = read_ppm(ppm)
                corner = find_board(width, height, at)
                if corner:
                    found = (corner, at)
            if not found:
                time.sleep(0.2)
        if found:
            (left, top), at = found
            print(f"board picture {BOARD[0]}x{BOARD[1]} at {left},{top} on Weston's screen")
            # The board picture: its peach felt inside the line, at every slot's edge.
            for slot in range(1, 55):
                column, row = (slot - 1) % 15, (slot - 1) // 15
                x = left + 86 + 124 * (column // 3) + 22 * (column % 3)
                y = top + 7 + 104 * row + 50
                if not near(at(x, y), PEACH):
                    failures.append(f"slot {slot} of the board picture is {at(x, y)}, not the felt")
            # The menu bar right above: its captions in dark ink on the window colour.
            ink = [(x, y) for y in range(max(0, top - 22), top) for x in range(left, left + 80)
                   if sum(at(x, y)) < 3 * 100]
            if len(ink) < 20:
                failures.append("no menu captions above the board")
        elif not failures:
            failures.append(f"no board picture of {BOARD[0]}x{BOARD[1]} on the screen within {DEADLINE:.0f} s")
        with open(protocol, errors="replace") as log:
            requests = log.read()
        # The desktop finds the icon through the desktop entry the app_id names.
        if 'set_app_id("example.quarrowgames.Solitaire")' not in requests:
            failures.append("the board does not name its desktop entry as its app_id")
        # A fixed size is a minimum and maximum alike: nothing to maximise to.
        smallest = set(re.findall(r"set_min_size\((\d+), (\d+)\)", requests))
        largest = set(re.findall(r"set_max_size\((\d+), (\d+)\)", requests))
        if not any(width == "705" for width, _ in smallest & largest):
            failures.append(f"the board asks for no fixed size 705 wide: minimum {sorted(smallest)}, "
                            f"maximum {sorted(largest)}")
    finally:
        for process in (game, weston):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        shutil.rmtree(runtime, ignore_errors=True)
    for failure in failures:
        print("FAIL:", failure)
    print("Wayland start-up:", "FAILED" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
