#!/usr/bin/env python3
"""The Windows program read the way a Windows screen reader reads it: its
place windows asked through oleacc, from another process (msaa_probe.exe),
on the ordered deal.

- After a deal: 52 cards, each a push button named by its card; the 34
  covered ones are unavailable, described as covered and have no default
  action; the 18 fan tops say where they lie and their default action is
  Press; one node has the focus.
- The press on fan 1's top selects it: one node is then selected, the frame
  in its place, and the card under it is not read twice.
- A press on a full fan is refused with the full-fan notice, which is
  raised as an alert with its words; while it is open no press acts.
- Pressing the selected card puts it back.
- In Help > About the text box is named, and the web link is a link named
  by its host whose default action is Jump.

Usage (under tests/e2e/run_in_xvfb.sh [--wm]):
  wine_accessibility.py <quarrow_ordered_deal.exe> <msaa_probe.exe> <assets folder>
"""
import os
import subprocess
import sys
import tempfile
import time

import winesession
from winesession import xsession

ROLE_PUSHBUTTON, ROLE_LINK, ROLE_TEXT = 0x2B, 0x1E, 0x2A
STATE_UNAVAILABLE, STATE_SELECTED, STATE_FOCUSED, STATE_CHECKED = 0x1, 0x2, 0x4, 0x10
TITLE = "Quarrow Solitaire"


class Reader:
    def __init__(self, probe, env):
        self.probe = probe
        self.env = env

    def _run(self, *args, timeout=20):
        done = subprocess.run(["wine", self.probe, *args], env=self.env, capture_output=True, timeout=timeout)
        return done.returncode, done.stdout.decode("utf-8", "replace")

    def nodes(self, title=TITLE):
        """The window's nodes: (role, state, name, description, action)."""
        status, out = self._run("list", title)
        if status != 0:
            raise xsession.TimedOut(f"the probe could not read the board (status {status})")
        nodes = []
        for line in out.splitlines():
            role, state, name, description, action = (line.split("\t") + [""] * 5)[:5]
            nodes.append((int(role) if role.lstrip("-").isdigit() else -1,
                          int(state, 16) if state != "?" else 0, name, description, action))
        return nodes

    def press(self, name):
        status, out = self._run("press", TITLE, name)
        if status != 0:
            raise xsession.TimedOut(f"no node named {name!r} to press")
        return int(out.strip() or "1", 16)

    def listen(self, seconds):
        """Starts waiting for an alert; the result comes from heard()."""
        self.listener = subprocess.Popen(["wine", self.probe, "alert", str(seconds)], env=self.env,
                                         stdout=subprocess.PIPE)
        line = self.listener.stdout.readline().decode()
        if line.strip() != "listening":
            raise xsession.TimedOut("the probe could not listen for alerts")

    def heard(self):
        out, _ = self.listener.communicate(timeout=30)
        return out.decode("utf-8", "replace").strip()


def read_once(reader, failures, what, until, timeout=10):
    """The nodes once until(nodes) holds; a failure naming what otherwise."""
    end = time.monotonic() + timeout
    nodes = reader.nodes()
    while not until(nodes) and time.monotonic() < end:
        time.sleep(0.3)
        nodes = reader.nodes()
    if not until(nodes):
        failures.append(f"{what}: {[n for n in nodes if n[2]][:8]}")
    return nodes


def cards(nodes):
    return [n for n in nodes if " of " in n[2] and "foundation" not in n[2]]


def main():
    program, probe, assets = sys.argv[1:4]
    prefix = os.environ["WINEPREFIX"]
    winesession.make_prefix(prefix)
    env = winesession.environment(prefix)
    failures = []
    with tempfile.TemporaryDirectory() as workdir:
        winesession.stop(env)
        board = winesession.Board(program, env, workdir, os.path.join(assets, "board.gif"))
        reader = Reader(probe, env)
        try:
            board.deal()
            nodes = read_once(reader, failures, "after a deal, not 52 cards",
                              lambda ns: len(cards(ns)) == 52, timeout=15)
            dealt = cards(nodes)
            if any(role != ROLE_PUSHBUTTON for role, *_ in dealt):
                failures.append(f"a card is no push button: {[n for n in dealt if n[0] != ROLE_PUSHBUTTON][:3]}")
            covered = [n for n in dealt if n[1] & STATE_UNAVAILABLE]
            tops = [n for n in dealt if not n[1] & STATE_UNAVAILABLE]
            if len(covered) != 34 or any(not n[3].startswith("covered, in fan ") or n[4] for n in covered):
                failures.append(f"covered cards not 34, described and without action: {covered[:3]}")
            if len(tops) != 18 or any("top card of fan" not in n[2] or n[4] != "Press" for n in tops):
                failures.append(f"fan tops not 18 located buttons with Press: {tops[:3]}")
            focused = [n for n in nodes if n[1] & STATE_FOCUSED]
            if len(focused) != 1:
                failures.append(f"after a deal {len(focused)} focused nodes: {focused}")

            # Fan 1's top is the three of spades on the ordered deal.
            three = "Three of spades, top card of fan 1"
            if reader.press(three) != 0:
                failures.append("the press on fan 1's top was not taken")
            nodes = read_once(reader, failures, "after the press, not one selected node",
                              lambda ns: len([n for n in ns if n[1] & STATE_SELECTED]) == 1)
            selected = [n for n in nodes if n[1] & STATE_SELECTED]
            if selected and (selected[0][2] != three or not selected[0][1] & STATE_CHECKED):
                failures.append(f"the selected node is not the checked three of spades: {selected}")
            if len([n for n in nodes if n[2] == three]) != 1:
                failures.append("the selected card is read twice")

            # Fan 2 is full: the move is refused, and the notice says so.
            reader.listen(15)
            if reader.press("Six of spades, top card of fan 2") != 0:
                failures.append("the press on fan 2's top was not taken")
            notice = board.popup("the full-fan notice")
            heard = reader.heard()
            if heard != "Only 3 cards per pile":
                failures.append(f"the notice was alerted as {heard!r}")
            if reader.press(three) == 0:
                failures.append("a press was taken while the notice was open")
            xsession.focus(notice)
            xsession.xdotool("key", "Return")
            xsession.wait_for(lambda: not board.others(), "the notice did not close", poll=0.1)
            if not [n for n in reader.nodes() if n[1] & STATE_SELECTED]:
                failures.append("a press behind the notice acted: the selection went")

            if reader.press(three) != 0:
                failures.append("the press on the selected card was not taken")
            read_once(reader, failures, "pressing the selected card did not put it back",
                      lambda ns: not [n for n in ns if n[1] & STATE_SELECTED])

            xsession.choose(board.window, "alt+h", "a")
            help_window = board.popup("Help > About")
            helps = reader.nodes("Quarrow Solitaire - Help")
            if (ROLE_TEXT, "Help text") not in [(n[0], n[2]) for n in helps]:
                failures.append(f"the help text box is not named: {helps}")
            if (ROLE_LINK, "www.quarrow-games.example", "Jump") not in [(n[0], n[2], n[4]) for n in helps]:
                failures.append(f"the web link is no link named by its host: {helps}")
            xsession.focus(help_window)
            xsession.xdotool("key", "Escape")
            xsession.wait_for(lambda: not board.others(), "the help window did not close", poll=0.1)
            board.leave()
        except (xsession.TimedOut, subprocess.TimeoutExpired) as failure:
            failures.append(str(failure))
        finally:
            board.kill()
            winesession.stop(env)
    return winesession.report(failures, "the board through oleacc")


if __name__ == "__main__":
    sys.exit(main())
