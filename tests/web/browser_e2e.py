#!/usr/bin/python3
"""The built site in headless Chromium, as a player meets it:
browser_e2e.py CASE SITE ORDERED_SITE

- start: the page's title and the empty board, pixel for pixel the board picture;
- deal: Alt+F then D, a card edge at every dealt slot, the menus by mouse,
  Exit back to the empty board;
- mouse_win: the ordered deal (ORDERED_SITE) played to the win with real
  mouse events, through both refusal notices and an undo by the arrow, with
  a double-click taken as one click;
- keyboard_win: the same deal won with keys alone;
- help: the rules and about texts, the link opened in a new tab, then
  refused by the browser: the oops box, and the view kept behind it;
- example: the example picture scrolled by keys, reopened at the top, and
  its message when the picture cannot be fetched;
- accessibility: 52 named cards after a deal, one focused place, nothing
  acting behind a notice;
- offline: installable, and a second start with the server gone, from the
  service worker;
- phone: a 390x844 touch screen, the window scaled to fit, a tap selects the
  card under it.
The moves come from the ordered-deal script the module was built with.
"""
import os
import re
import shutil
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "board", "web"))
import serve  # noqa: E402
from board_e2e import FRAME_GREEN, PEACH, inked, slot_top_left  # noqa: E402
from cdp import Browser, Page, TimedOut, ax_property, ax_text, read_ppm, wait_for  # noqa: E402
from xsession import near  # noqa: E402

CARD_NAME = re.compile(r"^(Ace|Two|Three|Four|Five|Six|Seven|Eight|Nine|Ten|Jack|Queen|King) of "
                       r"(spades|diamonds|clubs|hearts)\b")


class Failed(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise Failed(message)


# Every breach of the page's security policy, kept for the end of the case.
POLICY_WATCH = ("window.policyBreaches = []; document.addEventListener('securitypolicyviolation',"
                " (e) => policyBreaches.push(`${e.violatedDirective} ${e.blockedURI}`));")


def site_copy(folder, workdir, name, age_days=0):
    """A copy of the site as a static host holds it, every file dated age_days ago."""
    copy = os.path.join(workdir, name)
    shutil.copytree(folder, copy)
    if age_days:
        dated = time.time() - age_days * 86400
        for parent, _, files in os.walk(copy):
            for f in files:
                os.utime(os.path.join(parent, f), (dated, dated))
    return copy


class Site:
    """A site served on 127.0.0.1 and opened in a fresh Chromium; with
    age_days, a copy of it whose files are that old."""

    def __init__(self, folder, width=800, height=600, scale=1, mobile=False, age_days=0):
        self.workdir = tempfile.mkdtemp(prefix="quarrow-web-e2e-")
        self.folder = site_copy(folder, self.workdir, "host", age_days) if age_days else folder
        self.servers = []
        self.server, self.url = self.serve(self.folder)
        self.browser = Browser()
        self.page = self.browser.page()
        self.page.viewport(width, height, scale, mobile)
        if mobile:
            self.page.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
        self.page.send("Page.enable")
        self.page.send("Page.addScriptToEvaluateOnNewDocument", source=POLICY_WATCH)
        self.page.open(self.url)

    def serve(self, folder):
        server = serve.serve(folder)
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.servers.append(server)
        return server, f"http://127.0.0.1:{server.server_address[1]}/"

    def stop_server(self, server=None):
        server = server or self.server
        server.shutdown()
        server.server_close()

    def close(self):
        self.page.close()
        self.browser.close()
        for server in self.servers:
            try:
                self.stop_server(server)
            except OSError:
                pass
        shutil.rmtree(self.workdir, ignore_errors=True)

    # --- the page ---
    def js(self, expression):
        return self.page.evaluate(expression)

    def rect(self, element_id):
        """An element's rectangle on the screen, transforms included."""
        return self.js(f"(() => {{ const r = document.getElementById('{element_id}').getBoundingClientRect();"
                       f" return [r.x, r.y, r.width, r.height]; }})()")

    def centre(self, element_id):
        x, y, width, height = self.rect(element_id)
        return x + width / 2, y + height / 2

    def board_point(self, x, y):
        """A point of the board's own pixels on the screen."""
        left, top, width, _ = self.rect("board")
        scale = width / 704
        return left + x * scale, top + y * scale

    def click_id(self, element_id, count=1):
        self.page.click(*self.centre(element_id), count=count)

    def is_open(self, dialog):
        return self.js(f"document.getElementById('{dialog}').open")

    def shown(self, element_id):
        return self.js(f"document.getElementById('{element_id}').dataset.shown === '1'")

    def face(self, element_id):
        return int(self.js(f"document.getElementById('{element_id}').dataset.face"))

    def top_of_fan(self, fan):
        return self.js(f"[{3 * fan}, {3 * fan - 1}, {3 * fan - 2}].find(s => s <= 54 &&"
                       f" document.getElementById('s' + s).dataset.shown === '1') || 0")

    def active(self):
        return self.js("document.activeElement && document.activeElement.id")

    def in_board(self):
        return self.js("document.getElementById('board').contains(document.activeElement)")

    def dom_ids(self, selector):
        """The backend DOM ids of the elements matching selector, as the
        accessibility tree refers to them."""
        root = self.page.send("DOM.getDocument", depth=0)["root"]["nodeId"]
        found = self.page.send("DOM.querySelectorAll", nodeId=root, selector=selector)["nodeIds"]
        return {self.page.send("DOM.describeNode", nodeId=n)["node"]["backendNodeId"] for n in found}

    def call(self, name, *args):
        joined = ", ".join(str(a) for a in args)
        return self.js(f"quarrow.game.module.UTF8ToString(quarrow.game.module._{name}({joined}))")

    def script(self):
        return [tuple(int(n) for n in line.split()) for line in self.call("ordered_deal_script").splitlines()]

    def board_pixels(self):
        """The board's 704x454 pixels as RGB bytes."""
        left, top, _, _ = self.rect("board")
        width, height, pixels = self.page.screenshot(self.workdir, (left, top, 704, 454))
        check((width, height) == (704, 454), f"board screenshot {width}x{height}")
        return pixels

    def board_at(self, pixels, x, y):
        i = 3 * (y * 704 + x)
        return tuple(pixels[i:i + 3])

    def deal_by_keys(self):
        self.page.key("f", Page.ALT)
        self.page.wait("!document.getElementById('menu_file').hidden", "Alt+F opens the File menu")
        self.page.key("d")
        self.page.wait("document.querySelectorAll('.place[data-shown=\"1\"][data-face]:not([data-face=\"0\"])')"
                       ".length === 52", "52 cards dealt")


def board_picture(workdir):
    path = os.path.join(workdir, "board.ppm")
    import subprocess
    subprocess.run(["convert", os.path.join(ROOT, "assets", "board.gif"), "-depth", "8", f"ppm:{path}"], check=True)
    return read_ppm(path)[2]


FOCUS_INK = (24, 24, 72)


def wait_for_pixels(site, shows, what):
    return wait_for(lambda: (lambda p: p if shows(p) else None)(site.board_pixels()), what)


# --- the cases ---

def case_start(site, _):
    check(site.js("document.title") == "Quarrow Solitaire", f"title {site.js('document.title')!r}")
    check(site.js("document.getElementById('board_picture').src.endsWith('/assets/board.gif')"),
          "the 1x board picture on a 1x screen")
    wanted = board_picture(site.workdir)
    pixels = wait_for_pixels(site, lambda p: p == wanted, "the empty board, pixel for pixel")
    check(pixels == wanted, "the empty board differs from the board picture")


def case_deal(site, _):
    site.deal_by_keys()
    pixels = wait_for_pixels(site, lambda p: all(inked(site.board_at(p, *edge(s))) for s in range(1, 53)),
                             "a card edge at every dealt slot")
    for slot in (53, 54):
        x, y = slot_top_left(slot)
        check(near(site.board_at(pixels, x + 69, y + 50), PEACH), f"a card shows at slot {slot}")
    # By mouse: File, Deal, then File, Exit: the board as it was at start.
    site.click_id("mnu_file")
    site.page.wait("!document.getElementById('menu_file').hidden", "File opens on a click")
    site.click_id("mnu_deal")
    check(site.js("document.getElementById('menu_file').hidden"), "the menu closes after Deal")
    # Zoomed to 200 %, half the CSS pixels at twice the density: the @2x
    # pictures replace the 1x ones in place, and back again.
    site.page.viewport(400, 300, 2)
    site.page.wait("document.getElementById('board_picture').src.endsWith('/assets/board@2x.gif')"
                   " && document.getElementById('s52').style.backgroundImage.includes('@2x.gif')",
                   "the @2x pictures after the density changed")
    site.page.viewport(800, 600, 1)
    site.page.wait("document.getElementById('s52').style.backgroundImage.match(/\\/\\d\\d\\.gif/)",
                   "the 1x faces again")
    site.click_id("mnu_file")
    site.click_id("mnu_exit")
    wanted = board_picture(site.workdir)
    pixels = wait_for_pixels(site, lambda p: p == wanted, "Exit clears the board")
    check(pixels == wanted, "Exit left something on the board")


def edge(slot):
    x, y = slot_top_left(slot)
    return x, y + 50


def play_step(site, step, double=False):
    """One step of the script with the mouse: the card, then where it goes."""
    source_fan, target_fan, card = step
    source = site.top_of_fan(source_fan)
    check(site.face(f"s{source}") == card, f"fan {source_fan} does not show card {card}")
    site.click_id(f"s{source}", count=2 if double else 1)
    rank = (card - 1) % 13 + 1
    if not (rank == 1 and target_fan == 0):
        check(site.shown("img_border"), f"card {card} not selected")
        target = f"f{(card - 1) // 13 + 1}" if target_fan == 0 else f"s{site.top_of_fan(target_fan)}"
        site.click_id(target)
    check(not site.shown(f"s{source}"), f"card {card} did not leave fan {source_fan}")


def case_mouse_win(site, _):
    site.deal_by_keys()
    site.page.wait("document.documentElement.dataset.sounds === '1'", "the sounds")
    check(site.js("Object.keys(quarrow.sound.buffers).sort().join()") == "applause,cluck", "both sounds decoded")
    # The three of spades onto a full fan, then onto the lone king of hearts.
    site.click_id("s3")
    check(site.shown("img_border"), "the three is not selected")
    site.click_id("s6")
    site.page.wait("document.getElementById('frm_message').open", "the full-fan notice")
    check(site.js("document.getElementById('img_error').hidden && document.getElementById('img_win').hidden"),
          "the full-fan notice shows another face")
    check(site.js("quarrow.sound.playing !== null"), "no cluck")
    # Behind the notice nothing acts: a click on another card changes nothing.
    before = site.js("document.getElementById('board').innerHTML")
    site.page.click(*site.board_point(378 + 35, 7 + 50))
    check(site.js("document.getElementById('board').innerHTML") == before, "the board took a click behind the notice")
    site.click_id("btn_OK")
    site.page.wait("!document.getElementById('frm_message').open", "OK closes the notice")
    site.click_id("s52")
    site.page.wait("document.getElementById('frm_message').open", "the invalid-move notice")
    check(not site.js("document.getElementById('img_error').hidden"), "no invalid-move picture")
    site.page.key("Enter")
    site.page.wait("!document.getElementById('frm_message').open", "Enter closes the notice")
    site.click_id("img_border")
    check(not site.shown("img_border"), "a click on the frame does not put the card back")

    steps = site.script()
    undone = False
    for n, step in enumerate(steps):
        check(not site.is_open("frm_message"), f"a notice before step {n}")
        play_step(site, step, double=(n == 0))
        if not undone and step[1] != 0:
            # Take the move back with the arrow, then make it again.
            check(site.shown("undo"), "no undo arrow after a move")
            site.click_id("undo")
            check(site.face(f"s{site.top_of_fan(step[0])}") == step[2], "the undo did not bring the card back")
            check(not site.shown("undo"), "the arrow stays after an undo")
            play_step(site, step)
            undone = True
    site.page.wait("document.getElementById('frm_message').open", "the win notice")
    check(not site.js("document.getElementById('img_win').hidden"), "no win picture")
    check(site.js("document.getElementById('frm_message').getAttribute('aria-label')") == "Well done!",
          "the notice does not say the win")
    site.click_id("btn_OK")
    site.page.wait("!document.getElementById('frm_message').open", "OK closes the win notice")
    for k in range(1, 5):
        check(site.face(f"f{k}") % 13 == 0, f"foundation {k} does not end in its king")


def case_keyboard_win(site, _):
    site.deal_by_keys()
    page = site.page

    def tab_to(element_id, what):
        # Tab walks the places and leaves the board past either end; the
        # player comes back the way they left and walks the other way.
        forward = True
        for _ in range(80):
            if site.active() == element_id and site.js("!document.getElementById('focus_mark').hidden"):
                return
            if not site.in_board():
                forward = not forward
            page.key("Tab", 0 if forward else Page.SHIFT)
        raise Failed(f"Tab never reached {what} ({element_id})")

    # The mark is the desktop's: two-pixel dashes four long, closed at the corners.
    site.page.key("Tab")
    x, y, width, height = (int(n) for n in site.call("focus").split("\t")[1].split())
    pixels = wait_for_pixels(site, lambda p: site.board_at(p, x, y) == FOCUS_INK, "the focus mark")
    for dx, dy, ink in ((0, 0, True), (1, 1, True), (3, 0, True), (5, 0, False), (width - 1, height - 1, True),
                        (2, 2, False), (0, 5, False)):
        check((site.board_at(pixels, x + dx, y + dy) == FOCUS_INK) == ink,
              f"the focus mark's pixel ({dx}, {dy}) is {'not ' if ink else ''}in its ink")

    for source_fan, target_fan, card in site.script():
        source = f"s{site.top_of_fan(source_fan)}"
        tab_to(source, f"card {card}")
        name = site.js("document.activeElement.getAttribute('aria-label')")
        check(name.startswith(site.call("card_name", card)), f"the focused place is {name!r}, not card {card}")
        page.key("Enter")
        if (card - 1) % 13 != 0 or target_fan != 0:
            check(site.active() == "img_border", f"the focus is not on the selected card {card}")
            target = f"f{(card - 1) // 13 + 1}" if target_fan == 0 else f"s{site.top_of_fan(target_fan)}"
            tab_to(target, f"the place for card {card}")
            page.key(" ")
        check(not site.shown(source), f"card {card} did not leave fan {source_fan}")
    page.wait("document.getElementById('frm_message').open", "the win notice")
    check(site.active() == "btn_OK", "OK does not have the focus")
    page.key("Enter")
    page.wait("!document.getElementById('frm_message').open", "Enter closes the win notice")


def source_text(name):
    with open(os.path.join(ROOT, "gamedata", name), "rb") as f:
        data = f.read()
    return data.decode("cp1252").replace("\r\n", "\n").replace("\r", "\n")


def help_view(site):
    """The help window's text once its file has arrived."""
    site.page.wait("document.getElementById('frm_help').open"
                   " && !document.getElementById('txt_help').hasAttribute('aria-busy')", "the help text")
    return site.js("document.getElementById('txt_help').value")


def case_help(site, _):
    page = site.page
    # The rules text fails to arrive at the first showing: an empty text box,
    # and the file is read again at the next showing.
    page.send("Network.enable")
    page.send("Network.setBypassServiceWorker", bypass=True)
    page.send("Network.setCacheDisabled", cacheDisabled=True)
    page.send("Fetch.enable", patterns=[{"urlPattern": "*rules.txt*"}])
    page.key("h", Page.ALT)
    # The item's key counts only once its menu is open.
    page.wait("!document.getElementById('menu_help').hidden", "the Help menu")
    page.key("r")
    page.wait("document.getElementById('frm_help').open", "the help window")
    page.send("Fetch.failRequest", requestId=page.paused("the rules requested"), errorReason="Failed")
    check(help_view(site) == "", "a text shows although the rules never arrived")
    page.send("Fetch.disable")
    page.send("Network.setBypassServiceWorker", bypass=False)
    check(site.active() == "btn_help_4", "OK does not have the focus")
    page.key("Enter")
    page.wait("!document.getElementById('frm_help').open", "Enter closes the help window")

    page.key("h", Page.ALT)
    page.key("r")
    check(help_view(site) == source_text("rules.txt"), "not the rules text at the second showing")
    check(site.js("document.getElementById('lbl_url').hidden"), "the link shows with the rules")
    site.click_id("btn_help_5")
    check(help_view(site) == source_text("tvk.txt"), "not the about text")
    # A screen reader finds the web link as a link named by its host, and the text box by its name.
    roles = {(ax_text(n, "role"), ax_text(n, "name")) for n in page.ax_nodes()}
    check(("link", "www.quarrow-games.example") in roles, "the web link is no link named by its host")
    check(("textbox", "Help text") in roles, "the help text box has no name")
    check(not site.js("document.getElementById('img_logo').hidden"), "no logo in the about view")
    check("hand.cur" in site.js("getComputedStyle(document.getElementById('lbl_url')).cursor"),
          "no pointing hand over the link")

    # The link opens the web address in a new tab.
    before = {t["id"] for t in site.browser.targets()}
    site.click_id("lbl_url")
    tab = wait_for(lambda: next((t for t in site.browser.targets() if t["id"] not in before and t["type"] == "page"),
                                None), "a new tab for the link")
    wait_for(lambda: any(t["id"] == tab["id"] and t["url"].startswith("http://www.quarrow-games.example")
                         for t in site.browser.targets()), "the new tab on the web address")
    page.send("Target.closeTarget", targetId=tab["id"])
    # Back in the game's tab the window activates again: OK has the focus and
    # the menu's view, the rules, shows again over the one the button chose.
    page.wait("document.getElementById('txt_help').value.startsWith(" + repr(source_text("rules.txt")[:40]) + ")",
              "the rules again when the tab comes back")
    check(site.active() == "btn_help_4", "OK does not have the focus after the tab came back")
    check(site.js("document.getElementById('lbl_url').hidden"), "the link shows over the rules")

    # The browser refuses the tab: the oops box, and the view as it was.
    site.click_id("btn_help_5")
    page.wait("!document.getElementById('lbl_url').hidden", "the about view")
    site.js("window.open = () => null")
    site.js("document.getElementById('txt_help').scrollTop = 10")
    scrolled = site.js("document.getElementById('txt_help').scrollTop")
    site.click_id("lbl_url")
    page.wait("document.getElementById('message_box').open", "the oops box")
    check(site.js("document.getElementById('message_text').textContent") == "oops, unable to link you there",
          "the oops box says something else")
    site.click_id("message_ok")
    page.wait("!document.getElementById('message_box').open", "OK closes the oops box")
    check(site.is_open("frm_help"), "the help window closed with the oops box")
    check(site.js("document.getElementById('txt_help').value") == source_text("tvk.txt"), "the about text went")
    check(site.js("document.getElementById('txt_help').scrollTop") == scrolled, "the text scrolled away")
    site.click_id("btn_help_4")
    page.wait("!document.getElementById('frm_help').open", "OK closes the help window")

    # About from the menu; a press on the logo and one on the window's face
    # leave OK the focus, so Enter closes the window.
    page.key("h", Page.ALT)
    page.key("a")
    check(help_view(site) == source_text("tvk.txt"), "Help > About shows another text")
    check(not site.js("document.getElementById('lbl_url').hidden"), "no link in the about view")
    site.click_id("img_logo")
    x, y, _, _ = site.rect("help_client")
    page.click(x + 290, y + 5)
    check(site.active() == "btn_help_4", f"a press beside OK moved the focus to {site.active()!r}")
    page.key("Enter")
    page.wait("!document.getElementById('frm_help').open", "Enter closes the help window")


def case_example(site, _):
    page = site.page
    page.key("h", Page.ALT)
    page.key("e")
    page.wait("document.getElementById('ScrollerForm').open && quarrow.example.range", "Help > Example")
    check(site.js("document.getElementById('example_caption').textContent") == "Example - Ternwick Solitaire",
          "the example's caption")
    check(not site.js("document.getElementById('vbarScroller').hidden"), "no scroll bar for a tall picture")
    top = "parseInt(document.getElementById('picInner').style.top)"
    _, lowest, small, large, _ = (int(n) for n in site.js("quarrow.example.range.join(' ')").split())
    check((small, large) == (62, 312), f"the viewer's steps are {small} and {large}, not 62 and 312")

    # The bar's own arrows and track step by the viewer's amounts, and the
    # keys still reach the picture afterwards.
    site.click_id("vbarDown")
    check(site.js(top) == -small, f"the down arrow moved the picture to {site.js(top)}, not {-small}")
    x, y, width, height = site.rect("vbarTrack")
    page.click(x + width / 2, y + height - 3)
    check(site.js(top) == -small - large, f"the track moved it to {site.js(top)}, not {-small - large}")
    site.click_id("vbarUp")
    check(site.js(top) == -large, f"the up arrow moved it to {site.js(top)}, not {-large}")
    check(site.active() == "picOuter", f"the bar took the focus to {site.active()!r}")
    # Dragging the thumb moves the picture before the button is let go.
    x, y = site.centre("vbarThumb")
    page.send("Input.dispatchMouseEvent", type="mousePressed", x=x, y=y, button="left", clickCount=1)
    page.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y + 40, button="left")
    dragged = site.js(top)
    page.send("Input.dispatchMouseEvent", type="mouseReleased", x=x, y=y + 40, button="left", clickCount=1)
    check(dragged < -large, f"the drag left the picture at {dragged}")
    page.key("Home")
    check(site.js(top) == 0, "the picture does not start at the top")
    page.key("ArrowDown")
    check(site.js(top) == -small, f"Down moved the picture to {site.js(top)}, not {-small}")
    page.key("PageDown")
    check(site.js(top) == -small - large, f"Page Down moved it to {site.js(top)}")
    page.key("End")
    check(site.js(top) == lowest, f"End moved it to {site.js(top)}, not {lowest}")
    check(site.js("document.getElementById('picInner').getBoundingClientRect().bottom ==="
                  " document.getElementById('picOuter').getBoundingClientRect().bottom - 2"),
          "at the end the picture's bottom does not meet the frame's")
    page.key("Escape")
    page.wait("!document.getElementById('ScrollerForm').open", "Escape closes the example")
    page.key("h", Page.ALT)
    page.key("e")
    page.wait("document.getElementById('ScrollerForm').open && quarrow.example.range", "the example again")
    check(site.js(top) == 0, "the example reopened scrolled")
    page.key("Escape")

    # The picture's request is never answered: the page gives up on it and
    # shows the picture's message instead of hanging.
    page.send("Network.enable")
    page.send("Network.setBypassServiceWorker", bypass=True)
    page.send("Network.setCacheDisabled", cacheDisabled=True)
    page.send("Fetch.enable", patterns=[{"urlPattern": "*example.gif*"}])
    page.key("h", Page.ALT)
    page.key("e")
    page.paused("the example picture requested")
    # The viewer is there at once, and modal while its picture is awaited.
    check(site.is_open("ScrollerForm"), "the viewer waits for its picture to open")
    page.key("f", Page.ALT)
    site.click_id("mnu_help")
    check(site.js("document.getElementById('menu_file').hidden && document.getElementById('menu_help').hidden"),
          "a menu opened behind the viewer")
    page.wait("document.getElementById('message_box').open", "the example's message")
    message = site.js("document.getElementById('message_text').textContent")
    check("SOUND/example.gif is missing" in message, f"the message does not name the picture: {message!r}")
    check(not site.is_open("ScrollerForm"), "the example opened without its picture")
    site.click_id("message_ok")
    page.wait("!document.getElementById('message_box').open", "OK closes the message")
    page.key("f", Page.ALT)
    page.key("d")
    page.wait("document.getElementById('s52').dataset.shown === '1'", "the game goes on after the message")


def case_accessibility(site, _):
    site.deal_by_keys()
    nodes = site.page.ax_nodes()
    cards = [n for n in nodes if ax_text(n, "role") == "button" and CARD_NAME.match(ax_text(n, "name"))]
    check(len(cards) == 52, f"{len(cards)} named cards, not 52")
    covered = [n for n in cards if ax_text(n, "description").startswith("covered, in fan")]
    check(len(covered) == 34, f"{len(covered)} covered cards, not 34")
    site.page.key("Tab")
    # The document is focused too; of the rest, one place.
    focused = [n for n in site.page.ax_nodes() if ax_property(n, "focused") and ax_text(n, "role") != "RootWebArea"]
    check(len(focused) == 1, f"{len(focused)} focused nodes: {[ax_text(n, 'name') for n in focused]}")
    # Deal puts the focus on fan 1, whose top card in the ordered deal is card 3.
    check(ax_text(focused[0], "name") == site.call("card_name", 3) + ", top card of fan 1",
          f"the focus is on {ax_text(focused[0], 'name')!r}")
    mark = site.dom_ids("#focus_mark, #focus_mark *")
    check(len(mark) >= 2 and not site.js("document.getElementById('focus_mark').hidden"), "no focus mark drawn")
    check(not [n for n in site.page.ax_nodes() if n.get("backendDOMNodeId") in mark],
          "the focus mark is in the accessibility tree")

    # Tab walks the places in reading order and, past the last one, leaves
    # the board for the page; Shift+Tab comes back to it, and leaves again
    # before the first. The arrows stay inside.
    walked = []
    while site.in_board() and len(walked) < 30:
        walked.append(site.active())
        site.page.key("Tab")
    check(len(walked) == 18 and walked[-1] == "s52", f"Tab walked {walked} before leaving the board")
    check(not site.in_board(), f"Tab past the last place stayed on {site.active()!r}")
    site.page.key("Tab", Page.SHIFT)
    check(site.active() == "s52", f"Shift+Tab came back to {site.active()!r}, not the last place")
    site.page.key("ArrowLeft")
    check(site.in_board() and site.active() != "s52", f"Left went to {site.active()!r}")
    for _ in range(20):
        if site.active() == "s3":
            break
        site.page.key("Tab", Page.SHIFT)
    check(site.active() == "s3", f"Shift+Tab never reached fan 1, stopped on {site.active()!r}")
    site.page.key("Tab", Page.SHIFT)
    check(site.active() == "mnu_file", f"Shift+Tab before the first place went to {site.active()!r}, not the menus")
    site.page.key("ArrowDown")
    check(site.active() == "mnu_deal", f"Down on File went to {site.active()!r}, not into its menu")
    site.page.key("Escape")
    check(site.active() == "s3", f"Escape from the menu went to {site.active()!r}, not back to the board")
    site.page.key("Tab", Page.SHIFT)
    site.page.key("Tab")
    check(site.active() == "s3", f"Tab back into the board landed on {site.active()!r}, not fan 1")

    # The selected card is one node, the frame, pressed and named like the
    # card; the card under it is not read a second time.
    site.page.key(" ")
    pressed = [n for n in site.page.ax_nodes() if ax_property(n, "pressed") not in (None, "false", False)]
    check([ax_text(n, "name") for n in pressed] == [site.call("card_name", 3) + ", top card of fan 1"],
          f"pressed nodes: {[ax_text(n, 'name') for n in pressed]}")
    check(site.dom_ids("#img_border") == {pressed[0].get("backendDOMNodeId")}, "the pressed node is not the frame")
    named = [n for n in site.page.ax_nodes() if ax_text(n, "name").startswith(site.call("card_name", 3))]
    check(len(named) == 1, f"{len(named)} nodes named like the selected card")

    # A refused move opens the notice: it says its words, has the focus, and
    # no key or click reaches the board behind it.
    site.click_id("s6")
    site.page.wait("document.getElementById('frm_message').open", "the notice")
    focused = [n for n in site.page.ax_nodes() if ax_property(n, "focused") and ax_text(n, "role") != "RootWebArea"]
    check([ax_text(n, "name") for n in focused] == ["OK"], "the notice's OK is not the one focus")
    dialog = [n for n in site.page.ax_nodes() if ax_text(n, "role") == "alertdialog"]
    check(dialog and ax_text(dialog[0], "name") == "Only 3 cards per pile", "the notice does not say its words")
    site.page.wait("document.documentElement.dataset.sounds === '1'", "the sounds")
    site.js("window.started = 0; (() => { const begin = AudioBufferSourceNode.prototype.start;"
            " AudioBufferSourceNode.prototype.start = function (...a) { started++; return begin.apply(this, a); };"
            " })()")
    before = site.js("document.getElementById('board').innerHTML")
    for key in ("Tab", "ArrowRight"):
        site.js("document.getElementById('s9').focus()")
        site.page.key(key)
    check(site.active() == "btn_OK" and site.js("started") == 0, "Tab left the notice, or it clucked again")
    site.page.click(*site.board_point(378 + 35, 7 + 50))
    check(site.js("document.getElementById('board').innerHTML") == before, "the board acted behind the notice")
    check(site.is_open("frm_message"), "the notice went")
    live = [n for n in site.page.ax_nodes() if ax_text(n, "role") == "button" and CARD_NAME.match(ax_text(n, "name"))
            and not ax_property(n, "disabled")]
    check(not any(ax_property(n, "focusable") for n in live), "a card behind the notice can take the focus")

    # A press on the notice's picture leaves OK the focus. The tab going
    # behind another and coming back activates the notice again: the same
    # face, and its cluck once more.
    x, y, _, _ = site.rect("frm_message")
    site.page.click(x + 60, y + 60)
    check(site.active() == "btn_OK", f"a press on the notice moved the focus to {site.active()!r}")
    tab = site.browser.new_tab(site.page)
    site.page.wait("document.hidden", "the game's tab behind another")
    check(site.js("started") == 0, "a sound played as the tab went behind")
    site.page.send("Target.closeTarget", targetId=tab.target_id)
    tab.close()
    site.page.wait("started === 1", "the cluck again as the tab comes back")
    check(site.js("document.getElementById('img_error').hidden && document.getElementById('img_win').hidden"),
          "the notice changed its face")
    site.page.key("Enter")
    site.page.wait("!document.getElementById('frm_message').open", "Enter closes the notice")


def case_offline(site, _):
    page = site.page
    page.wait("navigator.serviceWorker.controller !== null", "the service worker controls the page")
    errors = page.send("Page.getInstallabilityErrors")["installabilityErrors"]
    check(not errors, f"the browser would not install the site: {errors}")
    page.wait("caches.keys().then(k => k.length === 1 && caches.open(k[0])).then(c => c.keys())"
              ".then(r => r.length > 100)", "the site cached")
    check(site.js("document.getElementById('update_bar').hidden"), "the first version offered as a new one")
    site.stop_server()
    check(site.js("fetch('/nothing-here?' + Date.now()).then(() => false, () => true)"), "the server still answers")
    page.send("Page.reload", ignoreCache=False)
    page.wait("document.documentElement.dataset.ready === '1'", "the game started offline")
    check(site.js("document.title") == "Quarrow Solitaire", "no title offline")
    site.deal_by_keys()
    wait_for_pixels(site, lambda p: all(inked(site.board_at(p, *edge(s))) for s in range(1, 53)),
                    "the dealt faces offline")
    site.page.wait("Object.keys(quarrow.sound.buffers).length === 2", "the sounds offline")


def case_phone(site, _):
    check(abs(float(site.js("getComputedStyle(document.documentElement).getPropertyValue('--scale')")) - 390 / 704)
          < 1e-3, "the window is not scaled to the screen's width")
    check(site.js("document.getElementById('board_picture').src.endsWith('/assets/board@2x.gif')"),
          "not the @2x board picture on a 3x screen")
    left, _, width, _ = site.rect("board")
    check(left >= 0 and left + width <= 390.5, f"the board does not fit the width: {left} + {width}")
    site.page.tap(*site.centre("mnu_file"))
    site.page.wait("!document.getElementById('menu_file').hidden", "a tap opens File")
    site.page.tap(*site.centre("mnu_deal"))
    site.page.wait("document.getElementById('s52').dataset.shown === '1'", "the deal")
    # A tap on the strip of a covered card selects nothing; one on the lone
    # card of fan 18 selects it.
    x, y = slot_top_left(50)
    site.page.tap(*site.board_point(x + 11, y + 50))
    check(not site.shown("img_border"), "a tap on a covered card selected something")
    x, y = slot_top_left(52)
    site.page.tap(*site.board_point(x + 35, y + 50))
    site.page.wait("document.getElementById('img_border').dataset.shown === '1'", "the tapped card selected")
    check(site.js("document.getElementById('img_border').style.left") == f"{x}px", "the frame is not on slot 52")


def deploy(folder, version):
    """Copies a new version over the hosted one, as an upload does: the page
    and the build's list of files change, dated now."""
    for name, old, new in (("index.html", r'<html lang="en"[^>]*>', f'<html lang="en" data-version="{version}">'),
                           ("precache.js", r'PRECACHE_VERSION = "[^"]*"', f'PRECACHE_VERSION = "{version}"')):
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            text = re.sub(old, new, f.read())
        with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
            f.write(text)


def case_deploy(site, _):
    # The host is an ordinary static one (serve.py: Last-Modified from the
    # files' dates, no Cache-Control), its files a month old: a browser may
    # keep them for days without asking.
    page = site.page
    page.wait("navigator.serviceWorker.controller !== null", "the service worker controls the page")
    version = "document.documentElement.dataset.version"

    # B copied over it: the next visit offers B while it shows A, and Reload
    # brings B.
    deploy(site.folder, "B")
    page.open(site.url)
    check(site.js(version) is None, "a page mixed in the new version")
    page.wait("!document.getElementById('update_bar').hidden", "the offer of the new version")
    site.click_id("update_reload")
    page.wait(f"{version} === 'B' && document.documentElement.dataset.ready === '1'", "version B after Reload")

    # C copied over B, and the offer not taken: the visit after it shows C.
    deploy(site.folder, "C")
    page.open(site.url)
    page.wait("!document.getElementById('update_bar').hidden", "the offer of version C")
    tab = site.browser.new_tab(page)
    tab.send("ServiceWorker.enable")
    page.send("Target.closeTarget", targetId=page.send("Target.getTargetInfo")["targetInfo"]["targetId"])
    page.close()
    site.page = page = tab

    # The new version takes over by itself once no page of the old one is
    # left; the player's next visit comes after that.
    def taken_over():
        page.send("Runtime.evaluate", expression="0")
        status = {}
        for event in page.events:
            if event.get("method") == "ServiceWorker.workerVersionUpdated":
                status.update((v["versionId"], v["status"]) for v in event["params"]["versions"])
        return status and all(s in ("activated", "redundant") for s in status.values())
    wait_for(taken_over, "version C taking over")
    page.send("Page.addScriptToEvaluateOnNewDocument", source=POLICY_WATCH)
    page.open(site.url)
    check(site.js(version) == "C", f"the second visit after the deploy shows version {site.js(version)!r}")

    # D copied over C: a reload while the offer shows brings D.
    deploy(site.folder, "D")
    page.open(site.url)
    page.wait("!document.getElementById('update_bar').hidden", "the offer of version D")
    page.send("Page.reload")
    page.wait(f"{version} === 'D' && document.documentElement.dataset.ready === '1'", "version D after a reload")
    kept = site.js("caches.keys().then(async (names) => [names.join(),"
                   " await (await (await caches.open(names[0])).match('./')).text()])")
    with open(os.path.join(site.folder, "index.html"), encoding="utf-8") as f:
        check(kept == ["quarrow-D", f.read()], f"the caches {kept[0]!r} do not hold version D's page")


def failure_told(site, words):
    """The message box says words; once it is closed the menus stay shut."""
    site.page.wait("document.getElementById('message_box').open", f"the message {words!r}")
    text = site.js("document.getElementById('message_text').textContent")
    check(words in text, f"the message says {text!r}")
    site.page.key("Enter")
    site.page.wait("!document.getElementById('message_box').open", "Enter closes the message")
    site.page.key("f", Page.ALT)
    site.click_id("mnu_help")
    check(site.js("document.getElementById('menu_file').hidden && document.getElementById('menu_help').hidden"),
          "a menu opened in a game that could not run")


def case_files(site, _):
    page = site.page
    # The sounds never arrive: the board is live long before the page gives
    # up on them.
    page.send("Network.enable")
    page.send("Network.setBypassServiceWorker", bypass=True)
    page.send("Network.setCacheDisabled", cacheDisabled=True)
    page.send("Fetch.enable", patterns=[{"urlPattern": "*.WAV*"}])
    begun = time.monotonic()
    page.open(site.url)
    site.deal_by_keys()
    check(time.monotonic() - begun < 5, "the board waited for the sounds")
    check(site.js("document.documentElement.dataset.sounds") is None, "the sounds arrived though held back")
    page.send("Fetch.disable")
    page.send("Network.setBypassServiceWorker", bypass=False)
    page.send("Network.setCacheDisabled", cacheDisabled=False)

    # A rules text of 40 MB: the window shows its first mebibyte at once.
    big = site_copy(site.folder, site.workdir, "big")
    os.remove(os.path.join(big, "sw.js"))
    line = b"A line of a very long rules text, \xe9crit again and again.\r\n"
    rules = line * (40 * 1024 * 1024 // len(line))
    with open(os.path.join(big, "rules.txt"), "wb") as f:
        f.write(rules)
    _, url = site.serve(big)
    page.open(url)
    begun = time.monotonic()
    page.key("h", Page.ALT)
    page.key("r")
    shown = help_view(site)
    check(time.monotonic() - begun < 3, f"the 40 MB text took {time.monotonic() - begun:.1f} s")
    limit = int(site.js("quarrow.game.textFileLimit()"))
    wanted = rules[:limit].decode("cp1252").replace("\r\n", "\n").replace("\r", "\n")
    check(shown == wanted, f"{len(shown)} characters shown, not the first {limit} bytes")
    page.key("Enter")

    # No module, a browser without WebAssembly, a module failing inside:
    # each is told, and the menus stay shut.
    broken = site_copy(site.folder, site.workdir, "broken")
    os.remove(os.path.join(broken, "game.wasm"))
    _, url = site.serve(broken)
    page.open(url, ready="document.getElementById('message_box').open")
    failure_told(site, "could not start")
    check(site.js("document.querySelectorAll('.place').length") == 0, "a board without its module")

    script = page.send("Page.addScriptToEvaluateOnNewDocument", source="delete globalThis.WebAssembly;")
    page.open(site.url, ready="document.getElementById('message_box').open")
    failure_told(site, "needs WebAssembly")
    page.send("Page.removeScriptToEvaluateOnNewDocument", identifier=script["identifier"])

    page.open(site.url)
    site.js("try { quarrow.game.clicked(2, 999); } catch { }")
    failure_told(site, "stopped after an internal error")


CASES = {
    "start": (case_start, False, {}),
    "deal": (case_deal, False, {}),
    "mouse_win": (case_mouse_win, True, {}),
    "keyboard_win": (case_keyboard_win, True, {}),
    "help": (case_help, False, {}),
    "example": (case_example, False, {}),
    "accessibility": (case_accessibility, True, {}),
    "offline": (case_offline, False, {}),
    "phone": (case_phone, True, dict(width=390, height=844, scale=3, mobile=True)),
    "deploy": (case_deploy, False, dict(age_days=30)),
    "files": (case_files, False, {}),
}


def main(case, site_dir, ordered_dir):
    run, ordered, options = CASES[case]
    site = None
    try:
        site = Site(ordered_dir if ordered else site_dir, **options)
        run(site, ordered_dir)
        breaches = site.js("window.policyBreaches && policyBreaches.join('; ')")
        check(not breaches, f"the page broke its security policy: {breaches}")
        failure = None
    except (Failed, TimedOut, RuntimeError) as error:
        failure = str(error)
    finally:
        if site:
            site.close()
    print(f"browser {case}:", "FAILED: " + failure if failure else "passed")
    return 1 if failure else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
