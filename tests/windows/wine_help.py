#!/usr/bin/env python3
"""The help window and the example viewer of the Windows program under
Wine, as a player uses them:

- Help > Rules opens "Quarrow Solitaire - Help" with a 441 x 305 client area,
  the rules text and the leaves picture; About switches it to the about text
  and the logo, Rules back again, and so does a re-activation (another
  window taking the focus and giving it back); after each, the picture
  column shows that view's picture and nothing of the other's;
- the link, clicked, hands http://www.quarrow-games.example to the desktop's
  browser (a stand-in xdg-open first on PATH records it);
- when the link cannot be opened (Wine's browser launcher switched off), the
  "oops" message box comes up, and once it is closed the help window still
  shows the about view, scrolled as it was (the about text made long
  enough to scroll, in a copy of the program's folder);
- Help > Example opens the viewer; Page Down and End move the picture, Home
  brings it back, Escape closes the viewer.

Usage (under tests/e2e/run_in_xvfb.sh [--wm]):
  wine_help.py <program.exe> <assets folder>
"""
import os
import subprocess
import sys
import tempfile
import time

import winesession
from winesession import xsession

HELP = "^Quarrow Solitaire - Help$"
EXAMPLE = "^Example - Ternwick Solitaire$"
HELP_CLIENT = (441, 305)
ADDRESS = "http://www.quarrow-games.example"
# Client pixels: the text box inside its sunken edge, left of its scroll bar;
# the pictures (inside their one-pixel frames); the buttons and the link.
TEXT = (8, 11, 258, 286)
LEAVES_AT = (309, 26)
LOGO_AT = (296, 59)
ABOUT_BUTTON = (363, 254)
RULES_BUTTON = (363, 225)
LINK = (364, 171)
# Where either view draws: both pictures in their frames and the link, and
# what each view may cover of it (x, y, width, height in client pixels).
COLUMN = (295, 25, 140, 155)
DRAWN = {"leaves": [(308, 25, 109, 138)], "logo": [(295, 58, 140, 102), (291, 162, 146, 18)]}
BACKGROUND_AT = (290, 20)


class HelpWindow:
    def __init__(self, board, opens_with, pictures, workdir):
        self.workdir = workdir
        self.pictures = pictures
        self.window = xsession.choose(board.window, "alt+h", opens_with, opens=HELP)
        if xsession.WINDOW_MANAGER:
            xsession.placed(self.window)
        # Whichever view it opens on, its picture tells where the client area is.
        name, offset = ("leaves", LEAVES_AT) if opens_with == "r" else ("logo", LOGO_AT)
        at = winesession.picture_in_window(self.window, pictures[name], workdir)
        if at is None:
            raise xsession.TimedOut(f"the help window opened by Alt+H, {opens_with.upper()} shows no {name} picture")
        self.client = winesession.client_rect(self.window, at, offset)

    def shows(self, screen, name):
        x, y = LEAVES_AT if name == "leaves" else LOGO_AT
        width, height, pixels = self.pictures[name]
        return screen.region(self.client[0] + x, self.client[1] + y, width, height) == pixels

    def text(self, screen):
        return screen.region(self.client[0] + TEXT[0], self.client[1] + TEXT[1], TEXT[2], TEXT[3])

    def click(self, x, y):
        xsession.click(self.client[0] + x, self.client[1] + y)

    def view(self, name, what):
        return xsession.screen_when(self.workdir, lambda s: self.shows(s, name), timeout=10)

    def strays(self, screen, name):
        """Pixels of the picture column, outside what the view named draws,
        that are not the window's background: what is left of the other view."""
        left, top = self.client[:2]
        background = screen.at(left + BACKGROUND_AT[0], top + BACKGROUND_AT[1])
        x0, y0, width, height = COLUMN
        rows = screen.region(left + x0, top + y0, width, height)
        found = []
        for y in range(y0, y0 + height):
            for x in range(x0, x0 + width):
                if any(ax <= x < ax + aw and ay <= y < ay + ah for ax, ay, aw, ah in DRAWN[name]):
                    continue
                at = 3 * ((y - y0) * width + (x - x0))
                if tuple(rows[at:at + 3]) != tuple(background):
                    found.append((x, y))
        return found

    def one_view(self, name, what, failures):
        """Waits for the view's picture, alone in its column; a failure names
        where the other view still shows."""
        screen = xsession.screen_when(self.workdir, lambda s: self.shows(s, name) and not self.strays(s, name),
                                      timeout=5)
        strays = self.strays(screen, name)
        if strays or not self.shows(screen, name):
            failures.append(f"{what}: the {name} view shows " + (
                f"{len(strays)} stray pixels of the other view, the first at {strays[0]}" if strays
                else "not its picture"))

    def close(self):
        xsession.focus(self.window)
        xsession.xdotool("key", "Escape")
        if not xsession.wait_gone(self.window):
            raise xsession.TimedOut("Escape did not close the help window")


def inked(pixels):
    """Whether a region holds text: dark pixels on the white page."""
    return any(pixels[i] < 128 and pixels[i + 1] < 128 and pixels[i + 2] < 128 for i in range(0, len(pixels), 3))


def rules_about_and_link(board, pictures, opened, workdir, failures):
    help_window = HelpWindow(board, "r", pictures, workdir)
    if help_window.client[2:] != HELP_CLIENT:
        failures.append(f"help client area {help_window.client[2:]}, not {HELP_CLIENT}")
    help_window.one_view("leaves", "Help > Rules", failures)
    rules = xsession.Screen(workdir)
    if not inked(help_window.text(rules)):
        failures.append("Help > Rules shows no text")
    help_window.click(*ABOUT_BUTTON)
    help_window.one_view("logo", "Rules, then About", failures)
    about = xsession.Screen(workdir)
    if help_window.text(about) == help_window.text(rules) or not inked(help_window.text(about)):
        failures.append("About did not change the text")
    help_window.click(*RULES_BUTTON)
    help_window.one_view("leaves", "About, then Rules", failures)
    help_window.click(*ABOUT_BUTTON)
    help_window.one_view("logo", "About again", failures)
    # Another program takes the focus and gives it back: the window shows
    # the view the menu chose again. Bare, Wine keeps its activation when
    # another X client takes the focus, so only a window manager can tell.
    if xsession.WINDOW_MANAGER:
        other = subprocess.Popen(["xmessage", "-geometry", "+0+0", "elsewhere"])
        try:
            xsession.focus(xsession.find_window("^xmessage$"))
            xsession.focus(help_window.window)
            help_window.one_view("leaves", "a re-activation in the about view of Help > Rules", failures)
        finally:
            other.kill()
            other.wait()
        help_window.click(*ABOUT_BUTTON)
        help_window.one_view("logo", "About after the re-activation", failures)
    step("rules, about, rules, re-activated")

    help_window.click(*LINK)

    def asked():
        if os.path.exists(opened):
            with open(opened) as f:
                return f.read().split()
        return None
    try:
        addresses = xsession.wait_for(asked, "the browser was never asked to open the link", timeout=15)
        # Wine's launcher writes an address with no path with its closing slash.
        if addresses not in ([ADDRESS], [ADDRESS + "/"]):
            failures.append(f"the browser was asked to open {addresses}, not {ADDRESS}")
    except xsession.TimedOut as failure:
        failures.append(str(failure))
    if set(board.others()) != {help_window.window}:
        failures.append("a window came up after the link opened")
    help_window.close()
    step("link opened")


def link_fails(board, pictures, workdir, failures):
    help_window = HelpWindow(board, "a", pictures, workdir)
    help_window.one_view("logo", "Help > About", failures)
    top = help_window.text(xsession.Screen(workdir))
    # One notch of the wheel down the text leaves the focus where it is.
    xsession.move_to(help_window.client[0] + TEXT[0] + TEXT[2] // 2, help_window.client[1] + TEXT[1] + TEXT[3] // 2)
    xsession.xdotool("click", "5")
    about = help_window.text(xsession.screen_when(workdir, lambda s: help_window.text(s) != top, timeout=10))
    if about == top:
        raise xsession.TimedOut("the about text did not scroll")
    help_window.click(*LINK)
    box = xsession.wait_for(lambda: next(iter(board.others() - {help_window.window}), None),
                            "no message box when the link could not be opened")
    if xsession.xdotool("getwindowname", box).strip() != "Quarrow Solitaire":
        failures.append("the message box does not carry the program's name")
    step("oops box up")
    xsession.focus(box)
    xsession.xdotool("key", "Return")
    if not xsession.wait_gone(box):
        raise xsession.TimedOut("the message box did not close on Return")
    # The help window gets the activation back (the window manager, or
    # bare, the player's click); whatever that does, it has done it by now.
    xsession.focus(help_window.window)
    deadline = time.monotonic() + 2.0
    while time.monotonic() < deadline:
        screen = xsession.Screen(workdir)
        if not help_window.shows(screen, "logo") or help_window.text(screen) != about:
            what = "the about text from its top" if help_window.text(screen) == top else "another view"
            failures.append(f"after the message box the help window shows {what}, not the about text as it was")
            break
        time.sleep(0.2)
    help_window.close()


def example(board, workdir, failures):
    window = xsession.choose(board.window, "alt+h", "e", opens=EXAMPLE)
    if xsession.WINDOW_MANAGER:
        xsession.placed(window)
    x, y, width, height = xsession.geometry(window)
    # The picture's part of the window, whatever frame Wine draws round it.
    inside = (x + width // 4, y + height // 3, width // 2, height // 3)

    def look(screen):
        return screen.region(*inside)

    def settled(before):
        """The picture once it has moved from before and stopped: a look
        taken during a repaint may show it half drawn."""
        looks = []

        def still(screen):
            looks.append(look(screen))
            return len(looks) >= 2 and looks[-1] == looks[-2] != before
        xsession.screen_when(workdir, still, timeout=5)
        return looks[-1]

    first = look(xsession.screen_when(workdir, lambda s: len(set(look(s))) > 2, timeout=10))
    xsession.focus(window)
    seen = [first]
    for key in ("Next", "End"):
        xsession.xdotool("key", key)
        seen.append(settled(seen[-1]))
        if seen[-1] == seen[-2]:
            failures.append(f"{key} did not move the example picture")
    xsession.xdotool("key", "Home")
    if look(xsession.screen_when(workdir, lambda s: look(s) == first, timeout=5)) != first:
        failures.append("Home did not bring the example picture back to its top")
    if seen[2] == seen[1]:
        failures.append("End showed the same part as Page Down")
    xsession.xdotool("key", "Escape")
    if not xsession.wait_gone(window):
        failures.append("Escape did not close the example viewer")
    step("example viewer")


def step(what):
    print(f"{time.monotonic() - START:6.1f} s  {what}", flush=True)


START = time.monotonic()


def main():
    program, assets = sys.argv[1:3]
    prefix = os.environ["WINEPREFIX"]
    winesession.make_prefix(prefix)
    failures = []
    with tempfile.TemporaryDirectory() as workdir:
        pictures = {name: winesession.picture_pixels(os.path.join(assets, f"{file}.gif"), workdir)
                    for name, file in (("leaves", "help_leaves"), ("logo", "logo"))}
        browser = os.path.join(workdir, "bin")
        os.makedirs(browser)
        opened = os.path.join(workdir, "opened")
        with open(os.path.join(browser, "xdg-open"), "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{opened}"\n')
        os.chmod(os.path.join(browser, "xdg-open"), 0o755)
        env = winesession.environment(prefix)
        long_about = winesession.program_folder(program, workdir)
        with open(os.path.join(os.path.dirname(long_about), "tvk.txt"), "ab") as f:
            f.write(b"".join(b"Line %d of the about text.\r\n" % n for n in range(1, 81)))
        runs = (
            (program, dict(env, PATH=browser + os.pathsep + env["PATH"]),
             lambda b: (rules_about_and_link(b, pictures, opened, workdir, failures), example(b, workdir, failures))),
            # Wine opens a link through its own launcher; switched off, the
            # link cannot be followed.
            (long_about, dict(env, WINEDLLOVERRIDES=env["WINEDLLOVERRIDES"] + ";winebrowser.exe=d"),
             lambda b: link_fails(b, pictures, workdir, failures)),
        )
        for run_program, run_env, part in runs:
            winesession.stop(env)
            board = None
            try:
                board = winesession.Board(run_program, run_env, workdir, os.path.join(assets, "board.gif"))
                part(board)
                status = board.leave()
                if status != 0:
                    failures.append(f"exit status {status} after File > Exit")
            except xsession.TimedOut as failure:
                failures.append(str(failure))
            finally:
                if board:
                    board.kill()
        winesession.stop(env)
    return winesession.report(failures, "help and example windows")


if __name__ == "__main__":
    sys.exit(main())
