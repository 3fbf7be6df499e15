#!/usr/bin/env python3
"""Plays the built program in a real X server, as a player would.

Run inside an X server without a window manager (see run_in_xvfb.sh):
start the program, deal with Alt+F then D, read the screen back and check
that a card face stands at each dealt slot and none at slots 53 and 54,
select the single card of the last fan and look for the green frame, open
the rules with Alt+H then R and close them with Enter, open the example with
Alt+H then E and close it, then leave with Alt+F then X.
"""
import os
import subprocess
import sys
import tempfile
import time

PEACH = (254, 230, 206)
INKS = ((64, 64, 64), (255, 64, 64))
FRAME_GREEN = (73, 161, 61)
CLIENT_HEIGHT = 455  # the board picture plus one pixel


def slot_top_left(slot):
    column = (slot - 1) % 15
    row = (slot - 1) // 15
    return 86 + 124 * (column // 3) + 22 * (column % 3), 7 + 104 * row


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def find_window(name, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[0]
        time.sleep(0.05)
    raise AssertionError(f"no window named {name!r} appeared")


def wait_gone(name, timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               capture_output=True, text=True).stdout.split()
        if not found:
            return True
        time.sleep(0.05)
    return False


def geometry(window):
    values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


class Screen:
    """The root window read back as RGB pixels."""

    def __init__(self, workdir):
        path = os.path.join(workdir, "screen.ppm")
        subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True)
        with open(path, "rb") as f:
            data = f.read()
        # Binary PPM: "P6", width, height, maxval, then raw RGB.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])


def near(colour, wanted, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))


def main(program):
    failures = []

    def check(condition, message):
        if not condition:
            failures.append(message)

    workdir = tempfile.mkdtemp(prefix="quarrow-e2e-")
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    env.pop("QT_QPA_PLATFORM", None)
    game = subprocess.Popen([program], env=env)
    try:
        window = find_window("Quarrow Solitaire")
        # No window manager: focus the window ourselves before typing.
        xdotool("windowfocus", "--sync", window)
        x, y, width, height = geometry(window)
        check(width == 705, f"window width {width}, expected 705")
        left, top = x, y + height - CLIENT_HEIGHT  # the client area lies under the menu bar

        def board(px, py):
            return left + px, top + py

        # Mid-height of a card's left edge: its outline in the suit's ink.
        def left_edge(slot):
            sx, sy = slot_top_left(slot)
            return board(sx, sy + 50)

        def right_edge(slot):
            sx, sy = slot_top_left(slot)
            return board(sx + 69, sy + 50)

        before = Screen(workdir)
        check(near(before.at(*board(0, 0)), (64, 64, 64)), "the board's dark frame is not where expected")
        for slot in range(1, 55):
            check(near(before.at(*left_edge(slot)), PEACH), f"slot {slot} is not bare board before the deal")

        xdotool("key", "--window", window, "alt+f")
        time.sleep(0.3)
        xdotool("key", "d")
        time.sleep(0.5)

        dealt = Screen(workdir)
        for slot in range(1, 53):
            colour = dealt.at(*left_edge(slot))
            check(any(near(colour, ink, 8) for ink in INKS), f"no card edge at slot {slot}: {colour}")
        check(any(near(dealt.at(*right_edge(52)), ink, 8) for ink in INKS), "slot 52's card has no right edge")
        for slot in (53, 54):
            for where in (left_edge(slot), right_edge(slot)):
                check(near(dealt.at(*where), PEACH), f"a card shows at slot {slot}: {dealt.at(*where)}")

        # The single card of the last fan is always a top card: select it.
        sx, sy = slot_top_left(52)
        cx, cy = board(sx + 35, sy + 50)
        xdotool("mousemove", "--sync", str(cx), str(cy))
        xdotool("click", "1")
        time.sleep(0.3)
        selected = Screen(workdir)
        for dx, dy in ((1, 50), (68, 50), (35, 1), (35, 97)):
            colour = selected.at(*board(sx + dx, sy + dy))
            check(near(colour, FRAME_GREEN, 8), f"no green frame at slot 52 ({dx},{dy}): {colour}")
        check(not near(dealt.at(*board(sx + 1, sy + 50)), FRAME_GREEN, 8), "green before selecting")

        # The help window opens on the rules, with OK focused: Enter closes it.
        xdotool("windowfocus", "--sync", window)
        xdotool("key", "--window", window, "alt+h")
        time.sleep(0.3)
        xdotool("key", "r")
        help_window = find_window("^Quarrow Solitaire - Help$")
        xdotool("windowfocus", "--sync", help_window)
        xdotool("key", "Return")
        check(wait_gone("^Quarrow Solitaire - Help$"), "Enter did not close the help window")

        xdotool("windowfocus", "--sync", window)
        xdotool("key", "--window", window, "alt+h")
        time.sleep(0.3)
        xdotool("key", "e")
        example = find_window("^Example - Ternwick Solitaire$")
        _, _, ex_width, _ = geometry(example)
        check(ex_width == 360, f"example window width {ex_width}, expected 360")
        xdotool("windowfocus", "--sync", example)
        xdotool("key", "Escape")
        check(wait_gone("^Example - Ternwick Solitaire$"), "Escape did not close the example window")

        xdotool("windowfocus", "--sync", window)
        xdotool("key", "--window", window, "alt+f")
        time.sleep(0.3)
        xdotool("key", "x")
        try:
            status = game.wait(timeout=10)
            check(status == 0, f"program ended with status {status}")
        except subprocess.TimeoutExpired:
            failures.append("Alt+F, X did not end the program")
    finally:
        if game.poll() is None:
            game.kill()
            game.wait()

    for failure in failures:
        print("FAIL:", failure)
    print("board end-to-end:", "FAILED" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
