"""Driving the built program in an X server, bare or under a window manager
(run_in_xvfb.sh [--wm] sets QUARROW_TEST_WM to the manager's name, or to
nothing on a bare server).

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

WINDOW_MANAGER = os.environ.get("QUARROW_TEST_WM", "")
# A reparenting manager puts each window inside a frame of its own, one level
# further down from the root; override-redirect popups (menus) stay on top.
TOP_DEPTH = "2" if WINDOW_MANAGER else "1"


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
            return window_or_name not in search("--onlyvisible", "--maxdepth", TOP_DEPTH, "--class", ".")
        return not search("--onlyvisible", "--name", window_or_name)
    try:
        return wait_for(gone, f"{window_or_name} still shows", timeout)
    except TimedOut:
        return False


def geometry(window):
    """The window's client area on the screen: x, y, width, height. Under a
    reparenting manager xdotool's own geometry is off by the frame;
    xwininfo's absolute corner is not."""
    info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True, text=True).stdout
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
            int(values["Width"]), int(values["Height"]))


def window_property(window, name):
    """A window property as xprop prints it after the '=', or None."""
    out = subprocess.run(["xprop", "-id", window, name], capture_output=True, text=True).stdout
    return out.split("=", 1)[1].strip() if "=" in out else None


def frame_extents(window):
    """left, right, top, bottom of the frame the window manager drew round
    the window; all 0 on a bare server."""
    value = window_property(window, "_NET_FRAME_EXTENTS")
    return tuple(int(v) for v in value.split(",")) if value else (0, 0, 0, 0)


def outer_geometry(window):
    """x, y, width, height of the window with its frame."""
    x, y, width, height = geometry(window)
    left, right, top, bottom = frame_extents(window)
    return x - left, y - top, width + left + right, height + top + bottom


def screen_size():
    out = subprocess.run(["xwininfo", "-root"], check=True, capture_output=True, text=True).stdout
    values = dict(line.strip().split(":", 1) for line in out.splitlines() if ":" in line)
    return int(values["Width"]), int(values["Height"])


def centred(window, screen=None):
    """Whether the window, frame included, lies in the middle of the screen,
    to within a pixel."""
    width_s, height_s = screen or screen_size()
    x, y, width, height = outer_geometry(window)
    return abs(x - (width_s - width) // 2) <= 1 and abs(y - (height_s - height) // 2) <= 1


def placed(window, timeout=10):
    """The window's client geometry once the program has put it in its place.
    A window manager's frame is known to the program only after mapping, and
    the program may then move its window once more, to centre the frame; a
    position read before that move would be stale. A window that never gets
    centred is for the centring check to report: go on after the timeout."""
    try:
        wait_for(lambda: centred(window), "window centred", timeout)
    except TimedOut:
        pass
    return geometry(window)


def allowed_actions(window):
    """The actions the window manager offers for the window, as _NET_WM_ACTION_... names."""
    value = window_property(window, "_NET_WM_ALLOWED_ACTIONS") or ""
    return {name.strip() for name in value.split(",") if name.strip()}


def top_windows(pid):
    """The program's mapped top-level windows: its main window, dialogs and
    menu popups alike (Qt marks each with the process id)."""
    return set(search("--onlyvisible", "--maxdepth", TOP_DEPTH, "--pid", str(pid)))


def focus(window):
    if WINDOW_MANAGER:
        # Asked of the manager, as a player's click on the window would. Its
        # --sync waits for the window to become active, for ever if it is
        # active already.
        active = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True).stdout.strip()
        if active != window:
            xdotool("windowactivate", "--sync", window)
    else:
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


def handled(window):
    """Returns once the program has handled all input sent to it before:
    X delivers events in order, so a menu opened by a key press comes up only
    after every click before it has been dealt with. Closes the menu again."""
    pid = xdotool("getwindowpid", window).strip()
    before = top_windows(pid)
    xdotool("key", "alt+f")
    popup = wait_for(lambda: top_windows(pid) - before, "alt+f opened no menu")
    xdotool("key", "Escape")
    wait_for(lambda: not (top_windows(pid) & popup), "the menu stayed open after Escape")


# A press this soon after the last one, at the same spot, is the second half
# of a double-click, which the program takes as no click at all. Qt's
# interval is 400 ms unless the desktop says otherwise; a player never clicks
# the same card twice within it on purpose, but a script would, when a menu
# command by keyboard comes between two clicks.
APART = 1.0
_last_click = (-APART, None)


def click(x, y, times=1):
    """A click, or with times=2 a real double-click: two clicks well within
    the double-click interval, as a player's quick finger gives them. A
    click at the spot of the one before waits until it cannot join it."""
    global _last_click
    when, where = _last_click
    if where and abs(where[0] - x) <= 5 and abs(where[1] - y) <= 5:
        time.sleep(max(0.0, when + APART - time.monotonic()))
    move_to(x, y)
    xdotool("click", "--repeat", str(times), "--delay", "40", "1")
    _last_click = (time.monotonic(), (x, y))


def move_to(x, y):
    """Moves the pointer and waits until it is there. xdotool's --sync waits
    for the pointer to move, which it never does when it is there already."""
    where = dict(line.split("=", 1) for line in xdotool("getmouselocation", "--shell").split())
    if (int(where["X"]), int(where["Y"])) != (x, y):
        xdotool("mousemove", "--sync", str(x), str(y))


def read_ppm(path):
    """A binary PPM ("P6", width, height, 255, then raw RGB) as width, height
    and the pixel bytes."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    return int(fields[1]), int(fields[2]), data[pos + 1:]


class Screen:
    """The root window read back as RGB pixels."""

    def __init__(self, workdir):
        path = os.path.join(workdir, "screen.ppm")
        subprocess.run(["import", "-window", "root", "-depth", "8", path], check=True)
        self.width, self.height, self.pixels = read_ppm(path)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def region(self, x, y, width, height):
        """The raw pixels of a rectangle, for comparing two looks at it."""
        rows = (self.pixels[3 * ((y + row) * self.width + x):3 * ((y + row) * self.width + x + width)]
                for row in range(height))
        return b"".join(rows)


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
