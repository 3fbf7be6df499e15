#!/usr/bin/env python3
"""Plays the built program in a real X server, as a player would.

Run inside an X server, bare or under a window manager (run_in_xvfb.sh [--wm]):
start the program, deal with Alt+F then D, read the screen back and check
that a card face stands at each dealt slot and none at slots 53 and 54,
select the single card of the last fan and look for the green frame (dealing
again while it is an ace, which goes home instead), open the rules with Alt+H
then R and close them with Enter, open the example with Alt+H then E and
close it, then leave with Alt+F then X.
"""
import os
import subprocess
import sys
import tempfile

from xsession import (DEADLINE, Screen, TimedOut, choose, click, find_window, focus, geometry, near, placed,  # noqa: F401
                      screen_when, search, wait_for, wait_gone, xdotool)

PEACH = (254, 230, 206)
INKS = ((64, 64, 64), (255, 64, 64))
FRAME_GREEN = (73, 161, 61)
CLIENT_HEIGHT = 455  # the board picture plus one pixel


def slot_top_left(slot):
    column = (slot - 1) % 15
    row = (slot - 1) // 15
    return 86 + 124 * (column // 3) + 22 * (column % 3), 7 + 104 * row


def inked(colour):
    return any(near(colour, ink, 8) for ink in INKS)


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
        def board_window():
            if game.poll() is not None:
                raise TimedOut(f"the program ended before its window showed, status {game.returncode}")
            return (search("--onlyvisible", "--name", "^Quarrow Solitaire$") or [None])[0]

        window = wait_for(board_window, "no window named 'Quarrow Solitaire' appeared")
        focus(window)
        x, y, width, height = placed(window)
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

        # Mapped is not yet painted: wait for the board to show, then check it.
        before = screen_when(workdir, lambda s: near(s.at(*board(0, 0)), (64, 64, 64))
                             and all(near(s.at(*left_edge(slot)), PEACH) for slot in range(1, 55)))
        check(near(before.at(*board(0, 0)), (64, 64, 64)), "the board's dark frame is not where expected")
        for slot in range(1, 55):
            check(near(before.at(*left_edge(slot)), PEACH), f"slot {slot} is not bare board before the deal")

        choose(window, "alt+f", "d")
        dealt = screen_when(workdir, lambda s: all(inked(s.at(*left_edge(slot))) for slot in range(1, 53)))
        for slot in range(1, 53):
            colour = dealt.at(*left_edge(slot))
            check(inked(colour), f"no card edge at slot {slot}: {colour}")
        check(inked(dealt.at(*right_edge(52))), "slot 52's card has no right edge")
        # A card at 53 or 54 would show its right edge, which lies clear of
        # slot 52. Their left edges lie on slot 52's face, as peach as the
        # board except where an ace's pip is: no sign of anything there.
        for slot in (53, 54):
            where = right_edge(slot)
            check(near(dealt.at(*where), PEACH), f"a card shows at slot {slot}: {dealt.at(*where)}")

        # The single card of the last fan is always a top card: select it.
        # An ace goes home when clicked instead (one deal in thirteen): then
        # deal again and try the new lone card.
        sx, sy = slot_top_left(52)
        frame = [board(sx + dx, sy + dy) for dx, dy in ((1, 50), (68, 50), (35, 1), (35, 97))]

        def framed(s):
            return all(near(s.at(*p), FRAME_GREEN, 8) for p in frame)

        def gone_home(s):
            return near(s.at(*left_edge(52)), PEACH) and near(s.at(*right_edge(52)), PEACH)

        for _ in range(10):
            check(not near(dealt.at(*frame[0]), FRAME_GREEN, 8), "green before selecting")
            click(*board(sx + 35, sy + 50))
            selected = screen_when(workdir, lambda s: framed(s) or gone_home(s))
            if not gone_home(selected):
                break
            choose(window, "alt+f", "d")
            dealt = screen_when(workdir, lambda s: all(inked(s.at(*left_edge(slot))) for slot in range(1, 53)))
            check(inked(dealt.at(*right_edge(52))), "no card at slot 52 after dealing again")
        for (px, py), (dx, dy) in zip(frame, ((1, 50), (68, 50), (35, 1), (35, 97))):
            colour = selected.at(px, py)
            check(near(colour, FRAME_GREEN, 8), f"no green frame at slot 52 ({dx},{dy}): {colour}")

        # The help window opens on the rules, with OK focused: Enter closes it.
        help_window = choose(window, "alt+h", "r", opens="^Quarrow Solitaire - Help$")
        focus(help_window)
        xdotool("key", "Return")
        check(wait_gone("^Quarrow Solitaire - Help$"), "Enter did not close the help window")

        example = choose(window, "alt+h", "e", opens="^Example - Ternwick Solitaire$")
        _, _, ex_width, _ = geometry(example)
        check(ex_width == 360, f"example window width {ex_width}, expected 360")
        focus(example)
        xdotool("key", "Escape")
        check(wait_gone("^Example - Ternwick Solitaire$"), "Escape did not close the example window")

        choose(window, "alt+f", "x")
        try:
            status = game.wait(timeout=DEADLINE)
            check(status == 0, f"program ended with status {status}")
        except subprocess.TimeoutExpired:
            failures.append("Alt+F, X did not end the program")
    except (TimedOut, subprocess.CalledProcessError) as failure:
        failures.append(str(failure))
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
