#!/usr/bin/env python3
"""The ordered deal won on the Windows program under Wine, as a player wins
it: dealt from the menu, refused twice (a full fan, then a card that is no
neighbour in value), each notice seen by its picture and closed, the first
move taken back by the green arrow and made again, then the known winning
game to the win notice.

With the mouse (the default), every place is clicked at its centre, and
Wine's sound log shows the cluck at each refusal and the applause at the
win, each handed to the system whole, from memory. With --keyboard, no
click at all: Tab and Shift+Tab to the place, Space or Enter on it, the
notices closed with Enter and Escape (QUARROW_TEST_TRACE=1 prints the keys
pressed for each place and the Tab order they were counted in).

Usage (under tests/e2e/run_in_xvfb.sh [--wm]):
  wine_play.py <quarrow_ordered_deal.exe> <assets folder> [--mouse | --keyboard]
"""
import os
import sys
import tempfile
import time

import winesession
from winesession import xsession
from board_e2e import PEACH, inked, slot_top_left  # noqa: E402 (xsession's folder is on the path)
import ordered_deal
from ordered_deal import dealt_counts, fan_base_slot, is_ace, suit

FOCUS_INK = bytes((24, 24, 72))
UNDO = (598, 417, 35, 29)
NOTICE_OK = (243 + 60, 160 + 12)
SND_ASYNC, SND_NODEFAULT, SND_MEMORY = 0x1, 0x2, 0x4


def step(what):
    print(f"{time.monotonic() - START:6.1f} s  {what}", flush=True)


START = time.monotonic()


class Play:
    """The board and what the test knows of it: how many cards each fan and
    foundation holds."""

    def __init__(self, board, faces, board_picture, keyboard):
        self.board = board
        self.faces = faces
        # The arrow shows when its place differs from the bare board.
        self.under_arrow = winesession.region_of(board_picture, *UNDO)
        self.keyboard = keyboard
        self.presses = 0
        self.fans = dealt_counts()
        self.homes = {k: 0 for k in range(1, 5)}
        self.undo_shown = False
        self.focus = None

    # --- where things are, in client pixels ---

    def top_slot(self, fan):
        return fan_base_slot(fan) + self.fans[fan] - 1

    def slot_centre(self, slot):
        x, y = slot_top_left(slot)
        return x + 35, y + 50

    def foundation_centre(self, k):
        return 7 + 35, 7 + 104 * (k - 1) + 50

    def card_shows(self, screen, slot):
        """A card's right edge at the slot: nothing covers it there."""
        x, y = slot_top_left(slot)
        return inked(self.board.at(screen, x + 69, y + 50))

    def slot_bare(self, screen, slot):
        x, y = slot_top_left(slot)
        return xsession.near(self.board.at(screen, x + 69, y + 50), PEACH)

    def framed(self, screen, slot):
        x, y = slot_top_left(slot)
        return xsession.near(self.board.at(screen, x + 1, y + 50), (73, 161, 61), 8)

    def home_shows(self, screen, k):
        return inked(self.board.at(screen, 7, 7 + 104 * (k - 1) + 50))

    def focused(self, screen):
        """The place the dashed focus outline is drawn in: ("slot", n),
        ("home", k), ("undo",), or None."""
        for row in range(455):
            line = screen.region(self.board.left, self.board.top + row, 705, 1)
            at = line.find(FOCUS_INK)
            while at >= 0 and at % 3:
                at = line.find(FOCUS_INK, at + 1)
            if at < 0:
                continue
            x = at // 3
            if (x + 5, row + 5) == UNDO[:2]:
                return ("undo",)
            for k in range(1, 5):
                if (x - 4, row - 4) == (7, 7 + 104 * (k - 1)):
                    return ("home", k)
            for slot in range(1, 55):
                if (x - 4, row - 4) == slot_top_left(slot):
                    return ("slot", slot)
            return ("unknown", x, row)
        return None

    # --- acting on a place ---

    def tab_order(self):
        places = [("home", k) for k in range(1, 5) if self.homes[k]]
        places += [("slot", self.top_slot(f)) for f in range(1, 19) if self.fans[f]]
        return places + ([("undo",)] if self.undo_shown else [])

    def press(self, place, what):
        """A click at the place's centre, or the keyboard's way there and Space
        (Enter every other time: both act alike)."""
        if not self.keyboard:
            if place[0] == "slot":
                self.board.click(*self.slot_centre(place[1]))
            elif place[0] == "home":
                self.board.click(*self.foundation_centre(place[1]))
            else:
                self.board.click(UNDO[0] + UNDO[2] // 2, UNDO[1] + UNDO[3] // 2)
            return
        order = self.tab_order()
        if self.focus not in order:
            raise xsession.TimedOut(f"{what}: the focus is on {self.focus}, none of the places {order}")
        ahead = (order.index(place) - order.index(self.focus)) % len(order)
        keys = ["Tab"] * ahead if ahead <= len(order) // 2 else ["shift+Tab"] * (len(order) - ahead)
        if os.environ.get("QUARROW_TEST_TRACE"):
            step(f"{what}: {self.focus} -> {place} by {keys} in {order}")
        # Where the keys took the focus shows in what the press then does.
        self.presses += 1
        xsession.xdotool("key", "--delay", "30", *keys, ("space", "Return")[self.presses % 2])

    def outcome(self, shows, what):
        screen = self.board.until(shows, what)
        self.look(screen)
        return screen

    def look(self, screen):
        """What the keyboard's way round the board depends on: where the
        focus is, and whether the arrow is there to Tab to."""
        if self.keyboard:
            self.focus = self.focused(screen)
            self.undo_shown = screen.region(self.board.left + UNDO[0], self.board.top + UNDO[1],
                                            UNDO[2], UNDO[3]) != self.under_arrow

    # --- the game's actions ---

    def select(self, fan):
        """Selects fan's top card and waits for its frame, as a player looks
        before the next click. The keys' way on starts from what the
        selection left: where the focus is, and whether the arrow shows."""
        slot = self.top_slot(fan)
        self.press(("slot", slot), f"selecting fan {fan}")
        self.outcome(lambda s: self.framed(s, slot), f"fan {fan}'s top card (slot {slot}) not framed")

    def move(self, source, target):
        self.select(source)
        old, new = self.top_slot(source), self.top_slot(target) + 1
        self.press(("slot", new - 1), f"laying fan {source} on fan {target}")
        self.outcome(lambda s: self.card_shows(s, new) and self.slot_bare(s, old),
                     f"fan {source}'s card did not move from slot {old} to slot {new}")
        self.fans[source] -= 1
        self.fans[target] += 1

    def home(self, source, card):
        k = suit(card)
        slot = self.top_slot(source)
        if not is_ace(card):
            self.select(source)
            self.press(("home", k), f"laying fan {source}'s card on foundation {k}")
        else:
            self.press(("slot", slot), f"sending fan {source}'s ace home")
        self.outcome(lambda s: self.slot_bare(s, slot) and self.home_shows(s, k),
                     f"card {card} did not go from slot {slot} to foundation {k}")
        self.fans[source] -= 1
        self.homes[k] += 1

    def refused(self, source, target, face, close, sound=True):
        """Lays fan source's selected card on fan target: refused, with the
        notice showing face. Closed with close: "Return", "Escape" or "OK"
        (the button, clicked). The card stays selected."""
        played = self.sounds()
        self.press(("slot", self.top_slot(target)), f"laying fan {source} on fan {target}")
        self.notice(face, close, f"fan {source} laid on fan {target}", played, sound)

    def sounds(self):
        return winesession.sound_plays(self.board.log) if self.board.log else []

    def notice(self, face, close, what, played, sound=True):
        """Waits for the notice and its face and, when Wine logs sounds, for
        one more than played (or with sound False, for a moment in which
        none comes); closes it."""
        notice = self.board.popup(what)
        screen = xsession.screen_when(self.board.workdir,
                                      lambda s: winesession.notice_face(s, notice, self.faces) is not None)
        shown = winesession.notice_face(screen, notice, self.faces)
        if shown != face:
            raise xsession.TimedOut(f"{what}: the notice shows {shown}, not {face}")
        if self.board.log and not sound:
            time.sleep(1.0)  # the sound starts as the notice shows: long after, here
            if self.sounds() != played:
                raise xsession.TimedOut(f"{what}: a sound reached the system: {self.sounds()[len(played):]}")
        elif self.board.log:
            xsession.wait_for(lambda: len(self.sounds()) > len(played),
                              f"{what}: no sound reached the system while the notice showed "
                              f"(before it: {played})", timeout=10)
        self.close_notice(notice, close)

    def close_notice(self, notice, close):
        if close == "OK":
            x, y, _, _ = xsession.geometry(notice)
            xsession.click(x + NOTICE_OK[0], y + NOTICE_OK[1])
        else:
            xsession.focus(notice)
            xsession.xdotool("key", close)
        if not xsession.wait_gone(notice):
            raise xsession.TimedOut(f"the notice did not close on {close}")
        if self.keyboard:
            # Bare, nothing hands the keyboard back: the window manager or
            # the player's next look does.
            xsession.focus(self.board.window)
            self.board.until(lambda s: self.focused(s) is not None, f"no focus outline after {close} on the notice")
            self.look(self.board.screen())


def refusals(play):
    """Fan 1's top card (a three) on full fan 2, then on the lone king of fan
    18: a full fan first, then no neighbour in value."""
    play.select(1)
    play.refused(1, 2, "notice_full.gif", "Return")
    play.refused(1, 18, "notice_invalid.gif", "Escape" if play.keyboard else "OK")
    slot = play.top_slot(1)
    play.press(("slot", slot), "cancelling the selection")
    play.outcome(lambda s: not play.framed(s, slot) and play.card_shows(s, slot),
                 "the selected card did not go back to its place on fan 1")


def undo_first_move(play, source, target):
    """The arrow takes the move back: the card shows again on its fan and has
    left the other."""
    play.move(source, target)
    back, left = play.top_slot(source) + 1, play.top_slot(target)
    play.press(("undo",), "the undo arrow")
    play.outcome(lambda s: play.card_shows(s, back) and play.slot_bare(s, left),
                 f"the undo arrow did not put the card back from slot {left} to slot {back}")
    play.fans[source] += 1
    play.fans[target] -= 1


def main():
    program, assets = sys.argv[1:3]
    keyboard = sys.argv[3:] == ["--keyboard"]
    prefix = os.environ["WINEPREFIX"]
    winesession.make_prefix(prefix)
    env = winesession.environment(prefix)
    if not keyboard:
        env["WINEDEBUG"] = "+winmm"
    failures = []
    with tempfile.TemporaryDirectory() as workdir:
        winesession.stop(env)
        log = os.path.join(workdir, "wine.log")
        faces = winesession.notice_faces(assets, workdir)
        board = None
        try:
            board = winesession.Board(program, env, workdir, os.path.join(assets, "board.gif"),
                                      log=None if keyboard else log)
            step("board shown")
            play = Play(board, faces, winesession.picture_pixels(os.path.join(assets, "board.gif"), workdir),
                        keyboard)
            board.deal()
            screen = play.outcome(lambda s: all(play.card_shows(s, play.top_slot(f)) for f in range(1, 19)),
                                  "the ordered deal did not show")
            if keyboard:
                # The first key only shows where the focus is: on fan 1 after a deal.
                xsession.xdotool("key", "Right")
                play.outcome(lambda s: play.focused(s) is not None, "no focus outline after the first key")
                if play.focus != ("slot", 3):
                    failures.append(f"after the deal the focus is on {play.focus}, not fan 1's top card")
            step("dealt")
            refusals(play)
            step("both refusals seen and closed")
            steps = ordered_deal.winning_steps()
            first = next(n for n, (_, target, _) in enumerate(steps) if target)
            for source, _, card in steps[:first]:
                play.home(source, card)
            undo_first_move(play, *steps[first][:2])
            step("a move taken back by the arrow")
            for source, target, card in steps[first:-1]:
                if target:
                    play.move(source, target)
                else:
                    play.home(source, card)
            step(f"{len(steps) - 1} steps played")
            source, _, card = steps[-1]
            if is_ace(card) or not play.fans[source]:
                raise xsession.TimedOut(f"the last step is not a card laid home: {steps[-1]}")
            play.select(source)
            played = play.sounds()
            play.press(("home", suit(card)), "the last card home")
            play.notice("notice_win.gif", "Return", "the last card home", played)
            step("win notice seen and closed")
            if not keyboard:
                check_sounds(log, os.path.dirname(os.path.abspath(program)), failures)
        except (xsession.TimedOut, ValueError) as failure:
            failures.append(str(failure))
        finally:
            if board:
                board.kill()
            winesession.stop(env)
    return winesession.report(failures, f"the ordered deal won by {'keyboard' if keyboard else 'mouse'}")


def check_sounds(log, folder, failures):
    """Two clucks, then the applause: each a memory image played without
    waiting and without the default sound, the whole file as the system
    read it (its RIFF and data sizes are the file's)."""
    cluck = winesession.wave_sizes(os.path.join(folder, "SOUND", "CLUCK.WAV"))
    applause = winesession.wave_sizes(os.path.join(folder, "SOUND", "APPLAUS.WAV"))
    plays = winesession.sound_plays(log)
    wanted = [(SND_MEMORY | SND_ASYNC | SND_NODEFAULT, *sizes) for sizes in (cluck, cluck, applause)]
    if plays != wanted:
        failures.append(f"the sounds played (flags, RIFF size, data size) were {plays}, not {wanted}")


if __name__ == "__main__":
    sys.exit(main())
