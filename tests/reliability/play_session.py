"""Plays the built program in a real X server, bare or under a window
manager, as a player would, from a program folder of the test's making.

Used by the reliability scripts; run them inside run_in_xvfb.sh.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from board_e2e import FRAME_GREEN, PEACH, inked, slot_top_left  # noqa: E402
from xsession import (DEADLINE, Screen, TimedOut, choose, click, focus, near, placed, search,  # noqa: E402
                      wait_for, xdotool)

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
            path = os.path.join(root, name)
            # chmod follows links: a spoilt file linked to /dev/zero must not
            # change the device.
            if os.path.islink(path):
                continue
            try:
                os.chmod(path, 0o700)
            except OSError:
                pass
    os.chmod(folder, 0o700)
    shutil.rmtree(folder, ignore_errors=True)


def visible_windows(name=TITLE):
    return search("--onlyvisible", "--name", name)


class Failed(Exception):
    pass


class Session:
    """One run of the program: start it, play, leave, and its exit status.

    Every action waits for its visible outcome before the next one starts:
    a click sent while a menu is still open, or while a notice is coming up,
    lands somewhere else than meant and the session goes astray."""

    def __init__(self, command, env, workdir, **popen):
        self.workdir = workdir
        started = time.monotonic()
        self.process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        text=True, **popen)
        self.window = self._wait_for_board()
        self.seconds_to_board = time.monotonic() - started
        focus(self.window)
        x, y, _, height = placed(self.window)
        self.left, self.top = x, y + height - CLIENT_HEIGHT
        self.refused = 0
        self.moved = False

    def _wait_for_board(self, timeout=DEADLINE):
        def shown():
            if self.process.poll() is not None:
                out, err = self.process.communicate()
                raise Failed(f"the program ended before its window showed, status {self.process.returncode}: {err}")
            return (visible_windows(f"^{TITLE}$") or [None])[0]
        try:
            return wait_for(shown, "the board window never showed", timeout)
        except TimedOut as failure:
            raise Failed(str(failure))

    def _until(self, condition, what, timeout=DEADLINE):
        try:
            return wait_for(condition, what, timeout, poll=0.1)
        except TimedOut as failure:
            raise Failed(str(failure))

    def choose(self, menu_key, item_key, opens=None):
        try:
            return choose(self.window, menu_key, item_key, opens)
        except TimedOut as failure:
            raise Failed(str(failure))

    def deal(self):
        self.choose("alt+f", "d")
        # A fresh deal: a card in each of the 52 slots, none in 53, nothing selected.
        self._until(lambda: self.looks_dealt(self.screen()), "the board does not show a fresh deal after File > Deal")

    def looks_dealt(self, screen):
        return (all(inked(self.at(screen, slot, 0, 50)) for slot in range(1, 53))
                and self.gone(screen, 53) and self.gone(screen, 54)
                and not any(self.framed(screen, slot) for slot in range(1, 53)))

    def click_slot(self, slot):
        sx, sy = slot_top_left(slot)
        click(self.left + sx + 5, self.top + sy + 50)

    def notices(self, name=TITLE):
        """Windows come up over the board: by default the message window,
        which carries the program's name too."""
        return [w for w in visible_windows(name) if w != self.window]

    def answer(self, window):
        # OK has the focus: Return presses it.
        focus(window)
        xdotool("key", "Return")
        self._until(lambda: window not in visible_windows(), "the notice did not close on Return")

    def screen(self):
        return Screen(self.workdir)

    def at(self, screen, slot, dx, dy):
        sx, sy = slot_top_left(slot)
        return screen.at(self.left + sx + dx, self.top + sy + dy)

    def framed(self, screen, slot):
        return near(self.at(screen, slot, 1, 50), FRAME_GREEN, 8)

    def gone(self, screen, slot):
        """No card at a fan's top slot: nothing stands where its right edge
        would be (the cards under it end further left). Its left edge would
        not tell: it lies on the face below, as peach as the board, where an
        ace's pip is ink."""
        return near(self.at(screen, slot, 69, 50), PEACH)

    def outcome(self, what, timeout=DEADLINE, **outcomes):
        """Waits for the first of the named outcomes to show, each a test of
        a fresh screen; "notice" is a message window coming up."""
        def seen():
            shown = self.notices()
            if shown:
                return ("notice", shown[0])
            screen = self.screen()
            for name, shows in outcomes.items():
                if shows(screen):
                    return (name, None)
            return None
        return self._until(seen, f"{what}: none of {', '.join(['notice', *outcomes])} showed", timeout)

    def select(self, slot, what):
        """Clicks a fan's top card with nothing selected: it is selected, or
        it is an ace and goes home. Returns which."""
        self.click_slot(slot)
        result, notice = self.outcome(what, selected=lambda s: self.framed(s, slot),
                                      home=lambda s: self.gone(s, slot))
        if notice:
            raise Failed(f"{what}: a notice came up, though nothing was selected")
        return result

    def deselect(self, slot):
        # The selection's frame takes the click that puts the card back.
        self.click_slot(slot)
        self._until(lambda: not self.framed(self.screen(), slot), f"the frame at slot {slot} stayed after a click on it")

    def play_a_little(self, deals=6):
        """Deal, then lay a fan's top card on the lone card of the last fan:
        every try is either a move (a card shows in slot 53) or a refused
        move whose notice is answered. Stops with at least one of each, on a
        fresh deal when one runs out of tries."""
        for _ in range(deals):
            self.deal()
            for source in range(3, 52, 3):
                if self.select(source, f"a click on slot {source}") == "home":
                    continue
                self.click_slot(52)
                result, notice = self.outcome(
                    f"slot {source} laid on slot 52",
                    moved=lambda s: inked(self.at(s, 53, 69, 50)) and not self.framed(s, source),
                    # The last fan's card is an ace: home it goes, the selection stays.
                    home=lambda s: self.gone(s, 52) and near(self.at(s, 52, 0, 50), PEACH))
                if result == "notice":
                    self.answer(notice)
                    self.refused += 1
                    # The selection stays after a refusal.
                    self.deselect(source)
                elif result == "moved":
                    self.moved = True
                else:
                    self.deselect(source)
                    break  # nothing left to lay a card on
                if self.moved and self.refused:
                    return
                if self.moved:
                    break  # slot 53 is taken now; a fresh deal for the refusal
        raise Failed(f"no move and refusal after {deals} deals (moved {self.moved}, refused {self.refused})")

    def refuse_once(self):
        """Deal and have a move refused: a selected card laid on the top card
        of a full fan. An ace clicked goes home instead, so try fan after fan."""
        self.deal()
        selected = None
        for target in range(3, 52, 3):
            if selected is None:
                if self.select(target, f"a click on slot {target}") == "selected":
                    selected = target
                continue
            self.click_slot(target)
            result, notice = self.outcome(f"slot {selected} laid on slot {target}", home=lambda s: self.gone(s, target))
            if result == "notice":
                self.answer(notice)
                self.refused += 1
                return
        raise Failed("no fan refused a card")

    def leave(self, timeout=DEADLINE):
        self.choose("alt+f", "x")
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
