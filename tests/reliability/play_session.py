"""Plays the built program in a real X server (no window manager), as a
player would, from a program folder of the test's making.

Used by the reliability scripts; run them inside run_in_xvfb.sh.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from board_e2e import FRAME_GREEN, INKS, PEACH, Screen, geometry, near, slot_top_left  # noqa: E402

TITLE = "Quarrow Solitaire"
CLIENT_HEIGHT = 455
FILES = ["SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV", "SOUND/qrrow_icon.ico", "SOUND/example.gif", "rules.txt", "tvk.txt"]


def make_program_folder(program, parent=None):
    """A fresh folder holding a copy of the program and its files."""
    folder = tempfile.mkdtemp(prefix="quarrow-rel-", dir=parent)
    shipped = os.path.dirname(os.path.abspath(program))
    os.makedirs(os.path.join(folder, "SOUND"))
    shutil.copy2(program, os.path.join(folder, "quarrow"))
    for name in FILES:
        shutil.copy2(os.path.join(shipped, name), os.path.join(folder, name))
    return folder


def remove_tree(folder):
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            try:
                os.chmod(os.path.join(root, name), 0o700)
            except OSError:
                pass
    os.chmod(folder, 0o700)
    shutil.rmtree(folder, ignore_errors=True)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def visible_windows(name=TITLE):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                          capture_output=True, text=True).stdout.split()


class Failed(Exception):
    pass


class Session:
    """One run of the program: start it, play, leave, and its exit status."""

    def __init__(self, command, env, workdir, **popen):
        self.workdir = workdir
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        text=True, **popen)
        self.window = self._wait_for_board()
        xdotool("windowfocus", "--sync", self.window)
        x, y, _, height = geometry(self.window)
        self.left, self.top = x, y + height - CLIENT_HEIGHT
        self.refused = 0
        self.moved = False

    def _wait_for_board(self, timeout=30.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = visible_windows()
            if found:
                return found[0]
            if self.process.poll() is not None:
                out, err = self.process.communicate()
                raise Failed(f"the program ended before its window showed, status {self.process.returncode}: {err}")
            time.sleep(0.05)
        raise Failed("the board window never showed")

    def keys(self, *keys):
        # Sent to the focused window: a key that closes a window would leave
        # its release aimed at a window that is gone.
        xdotool("windowfocus", "--sync", self.window)
        for key in keys:
            xdotool("key", key)
            time.sleep(0.3)

    def deal(self):
        self.keys("alt+f", "d")

    def click_slot(self, slot):
        sx, sy = slot_top_left(slot)
        x, y = self.left + sx + 5, self.top + sy + 50
        xdotool("mousemove", "--sync", str(x), str(y))
        xdotool("click", "1")

    def notice(self, wait=0.4, name=TITLE):
        """A window that came up over the board: by default the message
        window, which carries the program's name too."""
        deadline = time.monotonic() + wait
        while True:
            others = [w for w in visible_windows(name) if w != self.window]
            if others or time.monotonic() >= deadline:
                return others[0] if others else None
            time.sleep(0.05)

    def answer(self, window):
        # OK has the focus: Return presses it.
        xdotool("windowfocus", "--sync", window)
        xdotool("key", "Return")
        deadline = time.monotonic() + 10
        while window in visible_windows():
            if time.monotonic() > deadline:
                raise Failed("the notice did not close on Return")
            time.sleep(0.05)

    def screen(self):
        return Screen(self.workdir)

    def at(self, screen, slot, dx, dy):
        sx, sy = slot_top_left(slot)
        return screen.at(self.left + sx + dx, self.top + sy + dy)

    def play_a_little(self, deals=6):
        """Deal, then lay a fan's top card on the lone card of the last fan:
        every try is either a move (a card shows in slot 53) or a refused
        move whose notice is answered. Stops with at least one of each, on a
        fresh deal when one runs out of tries."""
        for _ in range(deals):
            self.deal()
            for source in range(3, 52, 3):
                self.click_slot(source)
                stray = self.notice(0.3)
                if stray:
                    # The last fan's card was still selected (its frame was
                    # not on the screen yet when looked for): this click was
                    # a refused move onto a full fan.
                    self.answer(stray)
                    self.refused += 1
                    self.click_slot(52)
                    continue
                self.click_slot(52)
                shown = self.notice()
                if shown:
                    self.answer(shown)
                    self.refused += 1
                    # The selection stays after a refusal: its frame takes
                    # the click that puts the card back.
                    self.click_slot(source)
                else:
                    time.sleep(0.2)
                    screen = self.screen()
                    if any(near(self.at(screen, 53, 0, 50), ink, 8) for ink in INKS):
                        self.moved = True
                    # The source was an ace gone home, so the click selected
                    # the last fan's card: put it back.
                    elif near(self.at(screen, 52, 1, 50), FRAME_GREEN, 8):
                        self.click_slot(52)
                if self.moved and self.refused:
                    return
                if self.moved:
                    break  # slot 53 is taken now; a fresh deal for the refusal
        raise Failed(f"no move and refusal after {deals} deals (moved {self.moved}, refused {self.refused})")

    def refuse_once(self):
        """Deal and have a move refused: a selected card laid on the top card
        of a full fan. An ace clicked goes home instead, so try fan after fan."""
        self.deal()
        for target in range(3, 52, 3):
            self.click_slot(target)
            shown = self.notice()
            if shown:
                self.answer(shown)
                self.refused += 1
                return
        raise Failed("no fan refused a card")

    def leave(self, timeout=20):
        self.keys("alt+f", "x")
        try:
            out, err = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failed("File > Exit did not end the program")
        return self.process.returncode, err

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


def base_env(**extra):
    env = dict(os.environ)
    env.pop("QT_QPA_PLATFORM", None)
    env.setdefault("SDL_AUDIODRIVER", "dummy")
    env.update(extra)
    return env


def report(name, failures):
    for failure in failures:
        print("FAIL:", failure)
    print(f"{name}:", "FAILED" if failures else "passed")
    return 1 if failures else 0
