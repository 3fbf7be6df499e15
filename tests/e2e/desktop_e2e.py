#!/usr/bin/env python3
"""What a desktop changes, checked on the built program as a player meets it.
Run both bare and under a window manager (run_in_xvfb.sh [--wm]):

- a real double-click (two clicks within the double-click interval) is one
  click: on a card it selects it, on the selection frame it puts the card
  back, on an ace it sends the ace home and leaves the card beneath alone;
- Help > Rules, the About button, the text scrolled, the link clicked with no
  xdg-open on PATH, the oops box closed: the about text is still shown, at
  the same scroll position, although the focus came back to the window;
- the board, help and example windows are centred with their frames, to
  within a pixel;
- the help and example windows ask for a tool-window frame with a close box
  alone, the board for no maximise box; a window manager offers none of them
  maximise;
- the wheel turned over the example's picture scrolls it.
"""
import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "reliability"))
from board_e2e import slot_top_left  # noqa: E402
from play_session import Failed, Session, base_env, make_program_folder, remove_tree, report  # noqa: E402
from xsession import (WINDOW_MANAGER, Screen, TimedOut, allowed_actions, centred, click, focus,  # noqa: E402
                      geometry, handled, move_to, outer_geometry, screen_when, wait_for, wait_gone,
                      window_property, xdotool)

SCREEN = (1024, 768)
HELP = "^Quarrow Solitaire - Help$"
EXAMPLE = "^Example - Ternwick Solitaire$"
MAXIMISE = {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"}
MINIMISE = {"_NET_WM_ACTION_MINIMIZE"}


def check_centred(window, what, failures):
    """The outer rectangle, frame included, in the middle of the screen. The
    program may move the window once more when it learns its frame, so wait
    for that before judging."""
    try:
        wait_for(lambda: centred(window, SCREEN), f"{what} centred", timeout=10)
    except TimedOut:
        x, y, width, height = outer_geometry(window)
        failures.append(f"{what}: outer {width}x{height} at {x},{y}, not centred on {SCREEN[0]}x{SCREEN[1]} "
                        f"(wanted {(SCREEN[0] - width) // 2},{(SCREEN[1] - height) // 2})")


# _MOTIF_WM_HINTS: flags, functions, decorations (the bits the program sets).
MWM_FUNCTIONS, MWM_DECORATIONS = 1, 2
MWM_FUNC_ALL, MWM_FUNC_MINIMIZE, MWM_FUNC_MAXIMIZE, MWM_FUNC_CLOSE = 1, 8, 16, 32
MWM_DECOR_ALL, MWM_DECOR_MINIMIZE, MWM_DECOR_MAXIMIZE = 1, 32, 64


def check_frame(window, what, failures, tool):
    """What the program asks of the window manager, and what the manager
    offers. A tool window asks for the utility type and a title bar with a
    close box alone; the board for a close and a minimise box. Neither may be
    offered maximise: both are of a fixed size. Openbox offers minimise to
    every window it can iconify, whatever the hints say (it ignores the
    Motif hints for that on purpose), so that is only noted."""
    types = (window_property(window, "_NET_WM_WINDOW_TYPE") or "").split(",")
    wanted_type = "_NET_WM_WINDOW_TYPE_UTILITY" if tool else "_NET_WM_WINDOW_TYPE_NORMAL"
    if types[0].strip() != wanted_type:
        failures.append(f"{what}: window type {types}, expected {wanted_type} first")
    motif = [int(v, 0) for v in (window_property(window, "_MOTIF_WM_HINTS") or "0, 0, 0").split(",")[:3]]
    flags, functions, decorations = motif
    if not (flags & MWM_FUNCTIONS) or functions & MWM_FUNC_ALL or not functions & MWM_FUNC_CLOSE:
        failures.append(f"{what}: the program's frame functions {functions:#x} (flags {flags:#x}) "
                        "are not a chosen set with close")
    unwanted = MWM_FUNC_MAXIMIZE | (MWM_FUNC_MINIMIZE if tool else 0)
    if functions & unwanted:
        failures.append(f"{what}: the program asks for frame functions {functions:#x}")
    unwanted = MWM_DECOR_ALL | MWM_DECOR_MAXIMIZE | (MWM_DECOR_MINIMIZE if tool else 0)
    if not (flags & MWM_DECORATIONS) or decorations & unwanted:
        failures.append(f"{what}: the program asks for frame buttons {decorations:#x}")
    if not WINDOW_MANAGER:
        return
    offered = allowed_actions(window)
    if "_NET_WM_ACTION_CLOSE" not in offered:
        failures.append(f"{what}: the window manager offers no close: {sorted(offered)}")
    if offered & MAXIMISE:
        failures.append(f"{what}: the window manager offers {sorted(offered & MAXIMISE)}")
    if tool and offered & MINIMISE:
        print(f"note: {what}: {WINDOW_MANAGER} offers minimise all the same")


def double_click_slot(session, slot):
    """Where Session.click_slot clicks once, in the strip that stays in view."""
    x, y = slot_top_left(slot)
    click(session.left + x + 5, session.top + y + 50, times=2)
    handled(session.window)


def double_clicks(session, failures):
    """Over the top cards of fans 2..17 (fan 1 lies under the File menu that
    handled() opens), until a card has been double-clicked and an ace too."""
    card_seen = ace_seen = False
    for _ in range(10):
        session.deal()
        for top in range(6, 52, 3):
            double_click_slot(session, top)
            try:
                shown = session.outcome(f"a double-click on slot {top}", timeout=5,
                                        selected=lambda s: session.framed(s, top),
                                        home=lambda s: session.gone(s, top))[0]
            except Failed:
                raise Failed(f"a double-click on the card at slot {top} left it neither selected nor gone: "
                             "taken as two clicks, it was selected and put back")
            if shown == "notice":
                raise Failed(f"a double-click on slot {top} brought up a notice: it was taken as two clicks")
            step(f"double-click on slot {top}: {shown}")
            if shown == "home":
                # The ace's slot is empty now and the card beneath is the top:
                # the second half must not have selected it.
                if session.framed(session.screen(), top - 1):
                    failures.append(f"a double-click on the ace at slot {top} also selected the card beneath")
                ace_seen = True
            else:
                card_seen = True
                # The frame now lies over the card: a double-click on it puts
                # the card back, once.
                double_click_slot(session, top)
                screen = session.screen()
                if session.framed(screen, top):
                    failures.append(f"a double-click on the frame at slot {top} left the card selected")
                    return
                if session.gone(screen, top):
                    failures.append(f"a double-click on the frame at slot {top} took the card away")
                    return
            if failures or (card_seen and ace_seen):
                step("double-clicks done")
                return
    raise Failed(f"no ace on top in 10 deals (card double-clicked: {card_seen})")


def help_link(session, workdir, failures):
    help_window = session.choose("alt+h", "r", opens=HELP)
    check_centred(help_window, "help window", failures)
    check_frame(help_window, "help window", failures, tool=True)
    x, y, _, _ = geometry(help_window)
    text_box = (x + 5, y + 8, 281, 292)
    pictures = (x + 291, y + 20, 146, 145)

    def look(s):
        return s.region(*text_box) + s.region(*pictures)

    rules = look(Screen(workdir))
    click(x + 363, y + 254)  # About
    about = look(screen_when(workdir, lambda s: look(s) != rules))
    # One notch of the wheel down the text, which leaves the focus where it
    # is: one event, so the first change seen is all of it.
    move_to(x + 140, y + 150)
    xdotool("click", "5")
    scrolled = look(screen_when(workdir, lambda s: look(s) not in (rules, about)))
    if scrolled in (rules, about):
        raise Failed("the about text did not scroll")

    step("about text scrolled")
    click(x + 364, y + 171)  # the link
    try:
        box = wait_for(lambda: next(iter(session.notices("^Quarrow Solitaire$")), None),
                       "no message box after the link")
    except TimedOut as failure:
        raise Failed(str(failure))
    step(f"message box {box} up")
    focus(box)
    xdotool("key", "Return")
    if not wait_gone(box):
        raise Failed("the message box did not close on Return")
    # The window manager gives the focus back to the help window; on a bare
    # server nobody does, and the player's click would.
    try:
        wait_for(lambda: xdotool("getwindowfocus").strip() == help_window, "focus back on the help window", 3)
    except TimedOut:
        focus(help_window)
    # Whatever the activation does, it has done it within this time.
    deadline = time.monotonic() + 2.0
    while time.monotonic() < deadline:
        now = look(Screen(workdir))
        if now != scrolled:
            what = ("the rules" if now == rules else "the about text from its top" if now == about
                    else "something else")
            failures.append(f"after the oops box the help window shows {what}, not the about text as it was")
            break
        time.sleep(0.1)
    focus(help_window)
    xdotool("key", "Escape")
    if not wait_gone(HELP):
        raise Failed("Escape did not close the help window")
    step("help window done")


def example(session, workdir, failures):
    window = session.choose("alt+h", "e", opens=EXAMPLE)
    check_centred(window, "example window", failures)
    check_frame(window, "example window", failures, tool=True)
    focus(window)
    # The wheel turned over the picture, not over the bar, scrolls it.
    x, y, width, height = geometry(window)
    move_to(x + width // 3, y + height // 2)

    def look(screen):
        return screen.region(x, y, width - 30, height)

    before = look(Screen(workdir))
    xdotool("click", "5")
    if look(screen_when(workdir, lambda s: look(s) != before, timeout=3)) == before:
        failures.append("the wheel over the example's picture did not scroll it")
    xdotool("key", "Escape")
    if not wait_gone(EXAMPLE):
        raise Failed("Escape did not close the example window")
    step("example window done")


def step(what):
    print(f"{time.monotonic() - START:6.1f} s  {what}", flush=True)


START = time.monotonic()


def main(program):
    failures = []
    workdir = tempfile.mkdtemp(prefix="quarrow-desktop-")
    folder = make_program_folder(program, parent=workdir)
    # An about text long enough to scroll.
    with open(os.path.join(folder, "tvk.txt"), "ab") as f:
        f.write(b"".join(b"Line %d of the about text.\r\n" % n for n in range(1, 81)))
    no_browser = os.path.join(workdir, "empty-bin")
    os.makedirs(no_browser)
    session = None
    print(f"desktop: {'under ' + WINDOW_MANAGER if WINDOW_MANAGER else 'bare X server, no window manager'}")
    try:
        session = Session([os.path.join(folder, "quarrow")], base_env(PATH=no_browser), workdir)
        step("board shown")
        check_centred(session.window, "board", failures)
        check_frame(session.window, "board", failures, tool=False)
        # Each part on its own: one going wrong does not hide the others.
        for part in (double_clicks, lambda s, f: help_link(s, workdir, f), lambda s, f: example(s, workdir, f)):
            try:
                part(session, failures)
            except (Failed, TimedOut) as failure:
                failures.append(str(failure))
        status, err = session.leave()
        if status != 0:
            failures.append(f"exit status {status}: {err[-2000:]}")
    except (Failed, TimedOut) as failure:
        failures.append(str(failure))
    finally:
        if session:
            session.kill()
        remove_tree(workdir)
    return report("desktop end-to-end" + (f" under {WINDOW_MANAGER}" if WINDOW_MANAGER else ""), failures)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
