"""Headless Chromium driven over the DevTools protocol: start it with a fresh
profile, open a page, send real mouse, touch and key events, read the
screen and the accessibility tree.

Everything waits for what the player would see, as the desktop helpers do
(xsession.wait_for), rather than sleeping and looking once.
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import urllib.request

import websocket

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from xsession import DEADLINE, TimedOut, read_ppm, wait_for  # noqa: E402,F401

FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--hide-scrollbars", "--mute-audio", "--autoplay-policy=no-user-gesture-required",
         "--remote-debugging-port=0"]


class Browser:
    """One Chromium with a profile of its own, removed again on close()."""

    def __init__(self, width=800, height=600):
        self.profile = tempfile.mkdtemp(prefix="quarrow-chromium-")
        self.process = subprocess.Popen(
            ["chromium", *FLAGS, f"--user-data-dir={self.profile}", f"--window-size={width},{height}",
             "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        port = None
        for line in self.process.stderr:
            found = re.search(r"DevTools listening on ws://127\.0\.0\.1:(\d+)/", line)
            if found:
                port = int(found.group(1))
                break
        if port is None:
            raise RuntimeError("chromium did not start its DevTools endpoint")
        # Keep reading its messages so it never blocks on a full pipe.
        threading.Thread(target=lambda: [None for _ in self.process.stderr], daemon=True).start()
        self.port = port

    def targets(self):
        with urllib.request.urlopen(f"http://127.0.0.1:{self.port}/json/list") as reply:
            return json.load(reply)

    def page(self):
        target = wait_for(lambda: next((t for t in self.targets() if t["type"] == "page"), None), "a page target")
        return Page(target["webSocketDebuggerUrl"])

    def new_tab(self, page):
        """A second tab, opened on about:blank through page; it hides page's tab."""
        target_id = page.send("Target.createTarget", url="about:blank")["targetId"]
        target = wait_for(lambda: next((t for t in self.targets() if t["id"] == target_id), None), "the new tab")
        tab = Page(target["webSocketDebuggerUrl"])
        tab.target_id = target_id
        return tab

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class Page:
    def __init__(self, url):
        self.socket = websocket.create_connection(url, timeout=DEADLINE, suppress_origin=True)
        self.next_id = 0
        self.events = []

    def send(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            if "method" in message:
                self.events.append(message)

    def evaluate(self, expression):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait(self, expression, what, timeout=DEADLINE):
        """Until the expression is true; one that throws (a page still loading) is not yet."""
        return wait_for(lambda: self.evaluate(f"(() => {{ try {{ return {expression}; }} catch {{ return false; }} }})()"),
                        what, timeout)

    def open(self, url, ready="document.documentElement.dataset.ready === '1'"):
        """Navigates to url and waits until the page says ready (or the given condition)."""
        self.send("Page.enable")
        self.send("Page.navigate", url=url)
        self.wait(ready, f"{url} ready")

    def paused(self, what):
        """The id of the next request the Fetch domain holds back."""
        def find():
            self.send("Runtime.evaluate", expression="0")  # collects the events that came meanwhile
            event = next((e for e in self.events if e.get("method") == "Fetch.requestPaused"), None)
            if event:
                self.events.remove(event)
            return event
        return wait_for(find, what)["params"]["requestId"]

    def viewport(self, width, height, scale=1, mobile=False):
        self.send("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=scale,
                  mobile=mobile)

    def click(self, x, y, count=1):
        self.send("Input.dispatchMouseEvent", type="mouseMoved", x=x, y=y)
        for n in range(1, count + 1):
            for kind in ("mousePressed", "mouseReleased"):
                self.send("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=n)

    def tap(self, x, y):
        point = [{"x": x, "y": y}]
        self.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    KEYS = {"Tab": 9, "Enter": 13, "Escape": 27, " ": 32, "PageUp": 33, "PageDown": 34, "End": 35, "Home": 36,
            "ArrowLeft": 37, "ArrowUp": 38, "ArrowRight": 39, "ArrowDown": 40}
    ALT, SHIFT = 1, 8

    def key(self, key, modifiers=0):
        """A key pressed and released. Letters are given as themselves."""
        code = self.KEYS.get(key, ord(key.upper()) if len(key) == 1 else 0)
        text = {"Enter": "\r", " ": " "}.get(key, key if len(key) == 1 and not modifiers else "")
        down = dict(type="keyDown" if text else "rawKeyDown", key=key, windowsVirtualKeyCode=code,
                    modifiers=modifiers)
        if text:
            down["text"] = text
        self.send("Input.dispatchKeyEvent", **down)
        self.send("Input.dispatchKeyEvent", type="keyUp", key=key, windowsVirtualKeyCode=code, modifiers=modifiers)

    def screenshot(self, workdir, clip=None):
        """The page as RGB pixels: width, height, bytes (through ImageMagick's PPM)."""
        import base64
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(zip(("x", "y", "width", "height"), clip), scale=1)
        png = os.path.join(workdir, "page.png")
        ppm = os.path.join(workdir, "page.ppm")
        with open(png, "wb") as f:
            f.write(base64.b64decode(self.send("Page.captureScreenshot", **params)["data"]))
        subprocess.run(["convert", png, "-depth", "8", f"ppm:{ppm}"], check=True)
        return read_ppm(ppm)

    def ax_nodes(self):
        return [n for n in self.send("Accessibility.getFullAXTree")["nodes"] if not n.get("ignored")]

    def close(self):
        self.socket.close()


def ax_property(node, name):
    return next((p["value"].get("value") for p in node.get("properties", []) if p["name"] == name), None)


def ax_text(node, field):
    return (node.get(field) or {}).get("value", "")
