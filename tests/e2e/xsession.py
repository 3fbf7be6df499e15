"""Driving the built program in an X server without a window manager.

Everything here waits for what the player would see (a window mapped, a
popup gone, pixels on the screen) instead of sleeping and looking once: on a
loaded machine, or in the sanitizer build, the program may take seconds to
answer, and a look taken too early is a false failure. The deadlines are
generous so that a program that really hangs still fails, just later.
"""
import os
import subprocess
import time

# Long enough for the sanitizer build on a machine running other tests.
DEADLINE = 30.0
POLL = 0.05


class TimedOut(AssertionError):
    pass


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def search(*args):
    """Windows matching an xdotool search; none is not an error."""
    return subprocess.run(["xdotool", "search", *args], capture_output=True, text=True).stdout.split()


def wait_for(condition, what, timeout=DEADLINE, poll=POLL):
    """Returns condition()'s first true value; raises TimedOut naming what
    never happened."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimedOut(f"{what}: not within {timeout:.0f} s")
        time.sleep(poll)


def find_window(name, timeout=DEADLINE):
    return wait_for(lambda: (search("--onlyvisible", "--name", name) or [None])[0],
                    f"no window named {name!r} appeared", timeout)


def wait_gone(window_or_name, timeout=DEADLINE):
    """True once no visible window has this id (digits) or matches this name."""
    def gone():
        if window_or_name.isdigit():
            return window_or_name not in search("--onlyvisible", "--maxdepth", "1", "--class", ".")
        return not search("--onlyvisible", "--name", window_or_name)
    try:
        return wait_for(gone, f"{window_or_name} still shows", timeout)
    except TimedOut:
        return False


def geometry(window):
    values = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def top_windows(pid):
    """The program's mapped top-level windows: its main window, dialogs and
    menu popups alike (Qt marks each with the process id)."""
    return set(search("--onlyvisible", "--maxdepth", "1", "--pid", str(pid)))


def focus(window):
    # No window manager: focus goes where we put it, and nowhere otherwise.
    xdotool("windowfocus", "--sync", window)


def choose(window, menu_key, item_key, opens=None):
    """A menu command by keyboard, as in Alt+F then D. Waits for the popup
    to be mapped before pressing the item's key (pressed too early, the key
    goes to the board and the menu then stays open, eating the next click),
    then for the popup to go, which it does as the command starts. With
    opens, a window name: waits for that window instead and returns it."""
    pid = xdotool("getwindowpid", window).strip()
    focus(window)
    before = top_windows(pid)
    xdotool("key", menu_key)
    popup = wait_for(lambda: top_windows(pid) - before, f"{menu_key} opened no menu")
    xdotool("key", item_key)
    if opens:
        return find_window(opens)
    # File > Exit takes every window with it; that is gone too.
    wait_for(lambda: not (top_windows(pid) & popup), f"the menu stayed open after {item_key}")
    return None


def click(x, y):
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", "1")


class Screen:
    """The root window read back as RGB pixels."""

    def __init__(self, workdir):
        path = os.path.join(workdir, "screen.ppm")
        subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True)
        with open(path, "rb") as f:
            data = f.read()
        # Binary PPM: "P6", width, height, maxval, then raw RGB.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        assert fields[0] == b"P6" and fields[3] == b"255", fields
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])


def screen_when(workdir, shows, timeout=DEADLINE):
    """Reads the screen until shows(screen) holds, and returns that screen;
    at the deadline returns the last one read, for the caller's checks to
    report what is wrong with it."""
    deadline = time.monotonic() + timeout
    while True:
        screen = Screen(workdir)
        if shows(screen) or time.monotonic() >= deadline:
            return screen
        # Leave the processor to the program: it is what we wait for.
        time.sleep(0.1)


def near(colour, wanted, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, wanted))
