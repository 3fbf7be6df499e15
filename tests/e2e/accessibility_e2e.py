"""The board as a screen reader meets it, through the real accessibility bus.

Run inside accessible_desktop.sh (Xvfb, openbox, a private session bus with
the accessibility bus): starts the game, deals with the menu keys, and reads
the game's accessible tree with pyatspi, as Orca would. Checks that only what
a player can see is showing, that the places are buttons named by where they
lie, that the arrow keys move the accessible focus (the focus events a screen
reader speaks from), that Space selects the focused card, that a refused move
opens a notice announced by its words, and that the places' press action
is their click.
Usage: accessibility_e2e.py <quarrow executable>
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

DEADLINE = 30.0
RANKS = ["Ace", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Jack", "Queen", "King"]
TOP = re.compile(r"^(\w+) of (\w+), top card of fan (\d+)$")

focus_events = []
window_events = []


def on_event(event):
    try:
        entry = (event.source.getRoleName(), event.source.name, event.source.description, event.source)
    except Exception:  # the source may be gone already (a closed notice)
        return
    (focus_events if event.type.startswith("focus") else window_events).append(entry)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(condition, what, timeout=DEADLINE):
    deadline = time.monotonic() + timeout
    while True:
        pump()
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: not within {timeout:.0f} s")
        time.sleep(0.05)


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def has(node, state):
    return node.getState().contains(state)


def the_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Quarrow Solitaire":
            return app
    return None


def board(app):
    frame = next(child for child in app if child.getRoleName() == "frame")
    # The board is the frame's child that holds the places.
    return max((child for child in frame), key=lambda child: child.childCount)


def places(app):
    return [child for child in board(app)]


def focused(app):
    found = [p for p in places(app) if has(p, pyatspi.STATE_FOCUSED) and p.getRoleName() == "push button"]
    assert len(found) <= 1, f"more than one focused place: {[p.name for p in found]}"
    return found[0].name if found else None


def tops(app):
    """Fan -> (rank, name) of each clickable top card."""
    result = {}
    for place in places(app):
        match = TOP.match(place.name or "")
        if match and showing(place):
            result[int(match.group(3))] = (RANKS.index(match.group(1)) + 1, place.name)
    return result


def deal(app):
    """Deal with the menu keys; again while fan 18's lone card is an ace
    (it would leave no fan of one card to refuse a move on)."""
    for _ in range(10):
        before = {p.name for p in places(app)}
        for _ in range(5):
            key("alt+f")
            try:
                wait_for(lambda: any(n.getRoleName() == "popup menu" and showing(n)
                                     for m in app for n in _walk(m, 3)), "the File menu did not open", 5)
                break
            except AssertionError:
                # The first keys may come before the window has the keyboard.
                key("Escape")
        key("d")
        wait_for(lambda: len(tops(app)) == 18 and {p.name for p in places(app)} != before, "no deal")
        if tops(app)[18][0] != 1:
            return
    raise AssertionError("fan 18 was dealt an ace ten times")


def _walk(node, depth):
    yield node
    if depth:
        for child in node:
            if child is not None:
                yield from _walk(child, depth - 1)


def tab_to(app, name):
    for _ in range(40):
        if focused(app) == name:
            return
        count = len(focus_events)
        key("Tab")
        wait_for(lambda: len(focus_events) > count, "Tab moved no focus")
    raise AssertionError(f"Tab never reached {name}")


def announced_notice(since):
    """The notice window announced (activated) after event number `since`."""
    return next((e[3] for e in window_events[since:] if e[0] == "dialog"), None)


def gone(node):
    try:
        return not showing(node)
    except Exception:  # closed and unloaded
        return True


def main(program):
    for kind in ("focus:", "window:activate"):
        pyatspi.Registry.registerEventListener(on_event, kind)
    game = subprocess.Popen([program])
    try:
        app = wait_for(the_app, "the game never showed on the accessibility bus")
        window = wait_for(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Quarrow Solitaire$"],
                                                 capture_output=True, text=True).stdout.split(), "no board window")[0]
        subprocess.run(["xdotool", "windowactivate", "--sync", window], check=True)
        frame = next(child for child in app if child.getRoleName() == "frame")
        wait_for(lambda: has(frame, pyatspi.STATE_ACTIVE), "the board window never became active")
        deal(app)

        # Only what a player sees is showing: the dealt cards and the empty
        # foundations; not the stock of faces beside the board.
        shown = [p for p in places(app) if showing(p)]
        cards = [p.name for p in shown if " of " in (p.name or "") and "foundation" not in p.name]
        assert len(cards) == 52, f"{len(cards)} cards showing"
        assert len(set(re.sub(r",.*", "", c) for c in cards)) == 52, "a card shows twice"
        assert all(p.getRoleName() == "push button" for p in shown), {p.getRoleName() for p in shown}
        assert not [p for p in places(app) if p.getRoleName() == "image" and showing(p)], "the stock is showing"
        clickable = [p for p in shown if has(p, pyatspi.STATE_FOCUSABLE)]
        assert sorted(int(TOP.match(p.name).group(3)) for p in clickable) == list(range(1, 19)), \
            [p.name for p in clickable]
        covered = [p for p in shown if p not in clickable and "foundation" not in p.name]
        assert len(covered) == 52 - 18 and all(p.description.startswith("covered, in fan ") for p in covered)

        # Fan 1 holds the focus after the deal; the first arrow shows the mark
        # there, the next ones move it, and each move is a focus event.
        top = tops(app)
        wait_for(lambda: focused(app) == top[1][1], "fan 1 not focused after the deal")
        key("Right")
        time.sleep(0.2)
        pump()
        assert focused(app) == top[1][1]
        for arrow, fan in (("Right", 2), ("Down", 7), ("Left", 6)):
            key(arrow)
            wait_for(lambda: focus_events and focus_events[-1][1] == top[fan][1], f"{arrow}: no focus on fan {fan}")
            assert focus_events[-1][0] == "push button"
            assert focused(app) == top[fan][1]

        # Space selects the focused card: it says so as a state.
        lone = top[18][0]
        fan, (rank, name) = next((f, t) for f, t in sorted(top.items())
                                 if f < 18 and t[0] != 1 and abs(t[0] - lone) != 1)
        tab_to(app, name)
        key("space")
        wait_for(lambda: any(p.name == name and has(p, pyatspi.STATE_SELECTED) and has(p, pyatspi.STATE_FOCUSED)
                             for p in places(app)), f"{name} not selected under the focus")

        # A full fan refuses it: the notice is announced with its words, and
        # Enter closes it; the focus comes back to the board.
        # (An ace on top would go to its foundation instead.)
        full = next(f for f, t in sorted(top.items()) if f < 18 and f != fan and t[0] != 1)
        tab_to(app, top[full][1])
        seen = len(window_events)
        key("space")
        dialog = wait_for(lambda: announced_notice(seen), "no notice announced")
        assert dialog.description == "Only 3 cards per pile", dialog.description
        key("Return")
        wait_for(lambda: gone(dialog), "the notice stayed")
        wait_for(lambda: focused(app) == top[full][1], "the focus did not come back")

        # Fan 18's one card is no neighbour in rank: the invalid-move notice.
        tab_to(app, top[18][1])
        seen = len(window_events)
        key("space")
        dialog = wait_for(lambda: announced_notice(seen), "no notice announced")
        words = "Invalid move: the card must be one above or below in value"
        pictures = [c for c in dialog if c.getRoleName() == "image" and showing(c)]
        assert dialog.description == words and [p.description for p in pictures] == [words], \
            (dialog.description, [p.description for p in pictures])
        key("Escape")
        wait_for(lambda: gone(dialog), "the notice stayed")
        assert any(p.name == name and has(p, pyatspi.STATE_SELECTED) for p in places(app)), "the selection went"

        # A screen reader's own "press" on the selected card is its click: cancelled.
        frame = next(p for p in places(app) if p.name == name and has(p, pyatspi.STATE_FOCUSABLE))
        action = frame.queryAction()
        assert [action.getName(i) for i in range(action.nActions)] == ["Press"], action.nActions
        action.doAction(0)
        wait_for(lambda: not any(has(p, pyatspi.STATE_SELECTED) for p in places(app)), "press did not cancel")
        print("accessibility e2e: ok")
        return 0
    finally:
        game.terminate()
        game.wait(timeout=10)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
