#!/usr/bin/env python3
"""The Windows program under Wine with one of its files gone, each from a
copy of the program's folder:

- without SOUND/CLUCK.WAV, or with it cut off after its format chunk (what
  an interrupted copy leaves, and what the system's player once read past
  its end and crashed on), a refused move shows its notice in silence (no
  sound reaches the system) and the game goes on;
- without SOUND/qrrow_icon.ico start-up stops: a message box comes up
  instead of the board, the message names the file, and once the box is
  closed the program ends with exit status 1;
- without rules.txt Help > Rules shows an empty text; About still shows its own.

Usage (under tests/e2e/run_in_xvfb.sh [--wm]):
  wine_files.py <quarrow_ordered_deal.exe> <assets folder>
"""
import os
import subprocess
import sys
import tempfile
import time

import winesession
from winesession import xsession
from wine_help import ABOUT_BUTTON, HelpWindow, inked
from wine_play import Play


def silent_refusal(program, env, assets, workdir, failures, cluck=None):
    """A refused move with CLUCK.WAV missing, or holding the bytes cluck."""
    folder_program = winesession.program_folder(program, workdir, without=("SOUND/CLUCK.WAV",))
    case = "without CLUCK.WAV" if cluck is None else f"with CLUCK.WAV cut to {len(cluck)} bytes"
    if cluck is not None:
        with open(os.path.join(os.path.dirname(folder_program), "SOUND", "CLUCK.WAV"), "wb") as f:
            f.write(cluck)
    log = os.path.join(workdir, "cluck.log")
    board = winesession.Board(folder_program, dict(env, WINEDEBUG="+winmm"), workdir,
                              os.path.join(assets, "board.gif"), log=log)
    try:
        play = Play(board, winesession.notice_faces(assets, workdir),
                    winesession.picture_pixels(os.path.join(assets, "board.gif"), workdir), keyboard=False)
        board.deal()
        play.outcome(lambda s: all(play.card_shows(s, play.top_slot(f)) for f in range(1, 19)),
                     "the ordered deal did not show")
        play.select(1)
        play.refused(1, 2, "notice_full.gif", "Return", sound=False)
        # The game goes on: the selection is put back, and fan 9's ace goes home.
        play.press(("slot", play.top_slot(1)), "cancelling the selection")
        play.outcome(lambda s: not play.framed(s, 3), "the selection stayed after the silent notice")
        play.home(9, 27)
        if board.leave() != 0:
            failures.append(f"{case} the program did not end cleanly")
    finally:
        board.kill()


def no_icon(program, env, workdir, failures):
    folder_program = winesession.program_folder(program, workdir, without=("SOUND/qrrow_icon.ico",))
    err = os.path.join(workdir, "no-icon.err")
    with open(err, "wb") as stderr:
        process = winesession.start(env, folder_program, stderr)
    try:
        box = xsession.find_window("^Quarrow Solitaire$")
        _, _, width, _ = xsession.geometry(box)
        if width >= 705:
            failures.append("without the icon file the board came up")
        xsession.focus(box)
        xsession.xdotool("key", "Return")
        status = process.wait(timeout=xsession.DEADLINE)
        if status != 1:
            failures.append(f"without the icon file the program ended with status {status}, not 1")
        with open(err, "rb") as f:
            message = f.read().decode("utf-8", "replace")
        if "SOUND\\qrrow_icon.ico is missing" not in message:
            failures.append(f"the message does not name the missing icon file: {message[-500:]!r}")
    except subprocess.TimeoutExpired:
        failures.append("without the icon file the program did not end once its message was closed")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def no_rules(program, env, assets, workdir, failures):
    folder_program = winesession.program_folder(program, workdir, without=("rules.txt",))
    board = winesession.Board(folder_program, env, workdir, os.path.join(assets, "board.gif"))
    try:
        pictures = {name: winesession.picture_pixels(os.path.join(assets, f"{file}.gif"), workdir)
                    for name, file in (("leaves", "help_leaves"), ("logo", "logo"))}
        help_window = HelpWindow(board, "r", pictures, workdir)
        if inked(help_window.text(xsession.Screen(workdir))):
            failures.append("without rules.txt Help > Rules still shows text")
        help_window.click(*ABOUT_BUTTON)
        about = help_window.view("logo", "About")
        if not inked(help_window.text(about)):
            failures.append("without rules.txt the about text is gone too")
        help_window.close()
        board.leave()
    finally:
        board.kill()


def main():
    program, assets = sys.argv[1:3]
    prefix = os.environ["WINEPREFIX"]
    winesession.make_prefix(prefix)
    env = winesession.environment(prefix)
    failures = []
    start = time.monotonic()
    with tempfile.TemporaryDirectory() as workdir:
        with open(os.path.join(os.path.dirname(program), "SOUND", "CLUCK.WAV"), "rb") as f:
            cut_cluck = f.read()[:36]
        for name, part in (("no cluck", lambda: silent_refusal(program, env, assets, workdir, failures)),
                           ("cut cluck", lambda: silent_refusal(program, env, assets, workdir, failures, cut_cluck)),
                           ("no icon", lambda: no_icon(program, env, workdir, failures)),
                           ("no rules", lambda: no_rules(program, env, assets, workdir, failures))):
            winesession.stop(env)
            try:
                part()
            except xsession.TimedOut as failure:
                failures.append(f"{name}: {failure}")
            print(f"{time.monotonic() - start:6.1f} s  {name}", flush=True)
        winesession.stop(env)
    return winesession.report(failures, "missing files")


if __name__ == "__main__":
    sys.exit(main())
