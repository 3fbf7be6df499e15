"""The board as a screen reader meets it, through the real accessibility bus.

Run inside accessible_desktop.sh (Xvfb, openbox or no window manager at all,
a private session bus with the accessibility bus): starts the game, deals
with the menu keys, and reads the game's accessible tree with pyatspi, as
Orca would. Checks that only what a player can see is showing, that the
places are buttons named by where they lie, inside a group named Board, that
exactly one node is focused at a time, that a deal is one focus event on fan
1, that the arrow keys move the accessible focus (the focus events a screen
reader speaks from), that Space selects the focused card, that a refused move
opens a notice announced by its words, that the places' press action is
their click and that no press (nor a menu command) acts behind the notice,
the help window or the example viewer, and that the web link is a link whose
press opens the address. Then the built program dealing the ordered deal is
played to the win with X key events alone, following the script of
ordered_deal_script.h, as ordered_deal.py reads it.
Usage: accessibility_e2e.py <quarrow> <quarrow_ordered_deal> <ordered_deal_script.h>
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

from ordered_deal import is_ace, suit as suit_of, winning_steps
from xsession import find_window, focus as focus_window

DEADLINE = 30.0
RANKS = ["Ace", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Jack", "Queen", "King"]
SUITS = ["spades", "diamonds", "clubs", "hearts"]
TOP = re.compile(r"^(\w+) of (\w+), top card of fan (\d+)$")
HOST = "www.quarrow-games.example"

focus_events = []
window_events = []
name_events = []


def on_event(event):
    try:
        entry = (event.source.getRoleName(), event.source.name, event.source.description, event.source)
    except Exception:  # the source may be gone already (a closed notice)
        return
    if event.type.startswith("focus"):
        focus_events.append(entry)
    elif event.type.startswith("object:property-change"):
        name_events.append(entry)
    else:
        window_events.append(entry)


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
    """The name of the one focused node of the whole program, any window,
    any role; None while none is. Two at once is a failure: a screen reader
    would not know which to follow."""
    found = [n for n in _walk(app, 4) if n is not app and has(n, pyatspi.STATE_FOCUSED)]
    assert len(found) <= 1, f"more than one focused node: {[(n.getRoleName(), n.name) for n in found]}"
    return found[0].name if found else None


def card_name(code):
    rank = code % 13 or 13
    return f"{RANKS[rank - 1]} of {SUITS[(code - 1) // 13]}"


def foundation_name(suit, top):
    return f"{SUITS[suit - 1].capitalize()} foundation, " + (card_name(top) if top else "empty")


def press(node):
    """A screen reader's press on the node."""
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    assert "Press" in names, (node.name, names)
    action.doAction(names.index("Press"))


def place_events(since):
    """The focus events on places of the board since event number `since`."""
    return [e for e in focus_events[since:] if e[0] == "push button"]


def tops(app):
    """Fan -> (rank, name) of each clickable top card."""
    result = {}
    for place in places(app):
        match = TOP.match(place.name or "")
        if match and showing(place):
            result[int(match.group(3))] = (RANKS.index(match.group(1)) + 1, place.name)
    return result


def menu(app, letter):
    """Opens the File (f) or Help (h) menu with its key."""
    for _ in range(5):
        key("alt+" + letter)
        try:
            wait_for(lambda: any(n.getRoleName() == "popup menu" and showing(n)
                                 for m in app for n in _walk(m, 3)), "the menu did not open", 5)
            return
        except AssertionError:
            # The first keys may come before the window has the keyboard.
            key("Escape")
    raise AssertionError(f"alt+{letter} opened no menu")


def deal(app, again_on_ace=True):
    """Deal with the menu keys; again while fan 18's lone card is an ace
    (it would leave no fan of one card to refuse a move on). A deal is one
    focus event on a place, on fan 1's new top card."""
    for _ in range(10):
        before = {p.name for p in places(app)}
        menu(app, "f")
        seen = len(focus_events)
        key("d")
        wait_for(lambda: len(tops(app)) == 18 and {p.name for p in places(app)} != before, "no deal")
        top = tops(app)
        wait_for(lambda: place_events(seen), "the deal raised no focus event")
        time.sleep(0.3)
        pump()
        announced = [e[1] for e in place_events(seen)]
        assert announced == [top[1][1]], f"the deal announced {announced}, not once {top[1][1]}"
        if not again_on_ace or top[18][0] != 1:
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


def start(program, env=None):
    """Starts the program, and returns it and its node on the bus once its
    board window is active."""
    wait_for(lambda: the_app() is None, "a game from before is still on the bus")
    game = subprocess.Popen([program], env=env)
    app = wait_for(the_app, "the game never showed on the accessibility bus")
    focus_window(find_window("^Quarrow Solitaire$"))
    frame = next(child for child in app if child.getRoleName() == "frame")
    wait_for(lambda: has(frame, pyatspi.STATE_ACTIVE), "the board window never became active")
    return game, app


def stop(game):
    game.terminate()
    game.wait(timeout=10)


def open_window(app, letter, title):
    """A Help menu command by its key; returns the modal window it opens."""
    seen = len(window_events)
    menu(app, "h")
    key(letter)
    return wait_for(lambda: next((e[3] for e in window_events[seen:] if e[1] and e[1].startswith(title)), None),
                    f"{title} did not open")


def nothing_acts_behind(app, modal, selected, target):
    """Presses on the board, and the Deal command, while a modal window is
    open: none of them may act, at once or when the window has gone."""
    before = sorted(p.name for p in places(app) if showing(p))
    seen = len(window_events)
    deal_item = next(n for n in _walk(app, 5) if n.getRoleName() == "menu item" and n.name == "Deal")
    for node in (target, selected, deal_item):
        press(node)
    time.sleep(0.5)
    pump()
    assert sorted(p.name for p in places(app) if showing(p)) == before, f"the board changed behind {modal.name}"
    assert has(selected, pyatspi.STATE_SELECTED), f"the selection went behind {modal.name}"
    assert not [e for e in window_events[seen:] if e[3] != modal], \
        f"another window came up behind {modal.name}: {[e[1] for e in window_events[seen:]]}"


def check_board(program, recorded):
    """The board, its places, keys, notices and presses; the modal windows
    and the link."""
    shim = os.path.dirname(recorded)
    game, app = start(program, dict(os.environ, PATH=shim + os.pathsep + os.environ["PATH"]))
    try:
        group = board(app)
        assert (group.name, group.getRoleName()) == ("Board", "panel"), (group.name, group.getRoleName())
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

        # Space selects the focused card: it says so as a state, on one node.
        lone = top[18][0]
        fan, (rank, name) = next((f, t) for f, t in sorted(top.items())
                                 if f < 18 and t[0] != 1 and abs(t[0] - lone) != 1)
        tab_to(app, name)
        key("space")
        wait_for(lambda: any(p.name == name and has(p, pyatspi.STATE_SELECTED) and has(p, pyatspi.STATE_FOCUSED)
                             for p in places(app)), f"{name} not selected under the focus")
        assert len([p for p in places(app) if has(p, pyatspi.STATE_SELECTED)]) == 1, "two selected nodes"
        assert len([p for p in places(app) if p.name == name and showing(p)]) == 1, f"{name} shows twice"
        selected = next(p for p in places(app) if has(p, pyatspi.STATE_SELECTED))

        # A full fan refuses it: the notice is announced with its words, and
        # Enter closes it; the focus comes back to the board. While it is
        # open, a screen reader's presses and menu commands do nothing.
        # (An ace on top would go to its foundation instead.)
        full = next(f for f, t in sorted(top.items()) if f < 18 and f != fan and t[0] != 1)
        tab_to(app, top[full][1])
        seen = len(window_events)
        key("space")
        dialog = wait_for(lambda: announced_notice(seen), "no notice announced")
        assert dialog.description == "Only 3 cards per pile", dialog.description
        lone_node = next(p for p in places(app) if p.name == top[18][1])
        nothing_acts_behind(app, dialog, selected, lone_node)
        key("Return")
        wait_for(lambda: gone(dialog), "the notice stayed")
        wait_for(lambda: focused(app) == top[full][1], "the focus did not come back")

        # The help window and the example viewer hold the board as the notice does.
        for letter, title, close in (("r", "Quarrow Solitaire - Help", "Return"), ("e", "Example", "Escape")):
            window = open_window(app, letter, title)
            nothing_acts_behind(app, window, selected, lone_node)
            key(close)
            wait_for(lambda: gone(window), f"{title} stayed")
            wait_for(lambda: focused(app) == top[full][1], f"the focus did not come back from {title}")

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

        # A screen reader's own "press" on the selected card is its click:
        # cancelled. On a place the focus is not on, the focus goes there.
        action = selected.queryAction()
        assert [action.getName(i) for i in range(action.nActions)] == ["Press"], action.nActions
        seen = len(focus_events)
        action.doAction(0)
        wait_for(lambda: not any(has(p, pyatspi.STATE_SELECTED) for p in places(app)), "press did not cancel")
        wait_for(lambda: place_events(seen) and place_events(seen)[-1][1] == name, "the focus did not follow the press")
        assert focused(app) == name

        # The web link in the about view is a link, and its press opens the address.
        window = open_window(app, "a", "Quarrow Solitaire - Help")
        link = next(n for n in _walk(window, 2) if n.getRoleName() == "link")
        assert link.name == HOST and showing(link), (link.name, showing(link))
        press(link)
        wait_for(lambda: os.path.exists(recorded) and open(recorded).read().split(), "the link's press opened nothing")
        assert open(recorded).read().split() == ["http://" + HOST], open(recorded).read()
        key("Return")
        wait_for(lambda: gone(window), "the help window stayed")
    finally:
        stop(game)


def reading_order(app):
    """The names of the places Tab visits, in its order: foundations, fans, undo."""
    order = []
    for place in places(app):
        if not (showing(place) and has(place, pyatspi.STATE_FOCUSABLE)):
            continue
        foundation = re.match(r"^(\w+) foundation", place.name)
        fan = re.search(r" fan (\d+)$", place.name)
        rank = (0, SUITS.index(foundation.group(1).lower())) if foundation else (1, int(fan.group(1))) if fan else (2, 0)
        order.append((rank, place.name))
    return [name for _, name in sorted(order)]


def focus_now():
    """The name of the place the last focus event was on, as it is now: a
    foundation keeps the focus while its name changes with the card laid."""
    events = place_events(0)
    try:
        return events[-1][3].name if events else None
    except Exception:  # gone
        return None


def go_to(app, name):
    """Tabs (or Shift+Tabs, whichever is shorter) to the place of that name,
    following the focus events a screen reader follows."""
    for _ in range(3):
        current = focus_now()
        if current == name:
            return
        order = reading_order(app)
        assert name in order, f"{name} takes no focus: {order}"
        seen = len(focus_events)
        if current not in order:
            key("Tab")
        else:
            ahead = (order.index(name) - order.index(current)) % len(order)
            keys = ["Tab"] * ahead if ahead <= len(order) - ahead else ["shift+Tab"] * (len(order) - ahead)
            subprocess.run(["xdotool", "key", "--delay", "20", *keys], check=True)
        try:
            wait_for(lambda: any(e[1] == name for e in place_events(seen)), f"Tab did not reach {name}", 10)
            return
        except AssertionError:
            continue
    raise AssertionError(f"never reached {name}; on {focus_now()}")


def heard(events, since, name, what):
    """Waits for an event of the list, from number `since` on, whose node is named `name`."""
    return wait_for(lambda: next((e for e in events[since:] if e[1] == name), None), what)


def play_ordered(program, script):
    """The ordered deal played to the win with X key events alone: the menu
    keys, Tab, Shift+Tab, Space and Return. Each step is followed by the
    events a screen reader hears: the focus moving, and a foundation's new
    name."""
    game, app = start(program)
    try:
        deal(app, again_on_ace=False)
        key("Right")  # the first key only shows the mark
        steps = winning_steps(script)
        for number, (source, to, card) in enumerate(steps):
            suit = suit_of(card)
            mine = f"{card_name(card)}, top card of fan {source}"
            go_to(app, mine)
            names, seen = len(name_events), len(focus_events)
            key("space")
            if is_ace(card):
                heard(name_events, names, foundation_name(suit, card), f"step {number}: {mine} not played")
                continue
            # The frame, which stands for the selected card, takes the focus.
            frame = heard(focus_events, seen, mine, f"step {number}: {mine} not selected")[3]
            assert has(frame, pyatspi.STATE_SELECTED), f"step {number}: {mine} focused but not selected"
            target = foundation_name(suit, card - 1) if to == 0 else tops(app)[to][1]
            go_to(app, target)
            names, seen, windows = len(name_events), len(focus_events), len(window_events)
            key("space")
            if to == 0:
                # The focus stays on the foundation, which takes the card's name.
                done = heard(name_events, names, foundation_name(suit, card), f"step {number}: {mine} not home")
            else:
                done = heard(focus_events, seen, f"{card_name(card)}, top card of fan {to}",
                             f"step {number}: {mine} not laid on {target}")
            if number == len(steps) - 1:
                dialog = wait_for(lambda: announced_notice(windows), "no win notice announced")
                assert dialog.description == "Well done!", dialog.description
                key("Return")
                wait_for(lambda: gone(dialog), "the win notice stayed")
                wait_for(lambda: focused(app) == done[1], "the focus did not come back after the win")
            else:
                assert not announced_notice(windows), f"step {number}: a notice came up"
        print(f"ordered deal won with keys alone in {len(steps)} steps")
    finally:
        stop(game)


def main(program, ordered, script):
    for kind in ("focus:", "window:activate", "object:property-change:accessible-name"):
        pyatspi.Registry.registerEventListener(on_event, kind)
    shim = tempfile.mkdtemp(prefix="quarrow-a11y-")
    try:
        # A stand-in browser opener, first on the program's PATH.
        recorded = os.path.join(shim, "opened")
        opener = os.path.join(shim, "xdg-open")
        with open(opener, "w") as f:
            f.write(f'#!/bin/sh\necho "$@" >> "{recorded}"\n')
        os.chmod(opener, 0o755)
        check_board(program, recorded)
        play_ordered(ordered, script)
    finally:
        shutil.rmtree(shim, ignore_errors=True)
    print("accessibility e2e: ok")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
