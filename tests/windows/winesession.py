"""Driving a Windows program under Wine on the test's X display, with
xsession.py's waits and window lookups (run under tests/e2e/run_in_xvfb.sh,
bare or with --wm).

Under Wine the X window of a program's main window holds its menu bar and
client area; the caption and borders are the window manager's frame, or
nothing on a bare server (Wine still places the window as if they were
there). The client area is found on the screen by the picture the program
draws at its top-left corner.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import xsession  # noqa: E402


def environment(prefix):
    """The environment for Wine in this prefix: quiet, and with its menu
    builder off, which would otherwise write desktop entries into the home."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="winemenubuilder.exe=d")
    return env


def make_prefix(prefix):
    """Makes the prefix (if it is not there) and returns the seconds it took."""
    start = time.monotonic()
    subprocess.run([os.path.join(HERE, "wine_prefix.sh"), prefix], check=True, stdout=subprocess.DEVNULL)
    return time.monotonic() - start


def wait_idle(env):
    """Returns once every process Wine started in the prefix has ended."""
    subprocess.run(["wineserver", "-w"], env=env, check=True)


def stop(env):
    subprocess.run(["wineserver", "-k"], env=env)
    wait_idle(env)


def wine(env, *args):
    """Runs a Windows command to its end, and everything it started with it.
    Returns its exit status and standard output."""
    done = subprocess.run(["wine", *args], env=env, capture_output=True, text=True, errors="replace")
    wait_idle(env)
    return done.returncode, done.stdout


def start(env, program, stderr=subprocess.DEVNULL):
    """Starts a Windows program; Wine keeps the process id for it."""
    return subprocess.Popen(["wine", program], env=env, stdout=subprocess.DEVNULL, stderr=stderr)


def picture_pixels(path, workdir):
    """A picture file as width, height and RGB bytes (ImageMagick reads it)."""
    out = os.path.join(workdir, "picture.ppm")
    subprocess.run(["convert", path + "[0]", "-depth", "8", out], check=True)
    return xsession.read_ppm(out)


def client_area(window, picture, workdir):
    """x, y, width, height on the screen of the window's client area: the
    part of its X window below the menu bar, which begins where the picture
    the program draws at its top-left corner begins. None while the picture
    is not (yet) on the screen."""
    x, y, width, height = xsession.geometry(window)
    found = picture_in_window(window, picture, workdir, timeout=10)
    return None if found is None else (x, found[1], width, height - (found[1] - y))


def find_picture(screen, area, picture):
    """Where the picture shows whole inside area (x, y, width, height) of
    the screen: its top-left corner, or None."""
    width_p, height_p, pixels = picture
    x, y, width, height = area
    first_row = pixels[:3 * width_p]
    for top in range(y, y + height - height_p + 1):
        row = screen.region(x, top, width, 1)
        at = row.find(first_row)
        while at >= 0:
            if at % 3 == 0:
                left = x + at // 3
                if left + width_p <= x + width and screen.region(left, top, width_p, height_p) == pixels:
                    return left, top
            at = row.find(first_row, at + 1)
    return None


def picture_in_window(window, picture, workdir, timeout=xsession.DEADLINE):
    """Where the picture shows inside the window, waiting for it to be
    drawn; None if it never is."""
    area = xsession.geometry(window)
    screen = xsession.screen_when(workdir, lambda s: find_picture(s, area, picture) is not None, timeout)
    return find_picture(screen, area, picture)


def client_rect(window, at, offset):
    """x, y, width, height of a window's client area, from where a picture
    drawn at offset in it was found. Bare, Wine draws a tool window's
    caption and borders itself inside the X window; the left border's width
    is then the right and bottom borders' too."""
    x, y, width, height = xsession.geometry(window)
    left, top = at[0] - offset[0], at[1] - offset[1]
    border = left - x
    return left, top, width - 2 * border, y + height - border - top


# The program's files beside it, as the package ships them.
DATA_FILES = ("SOUND/APPLAUS.WAV", "SOUND/CLUCK.WAV", "SOUND/qrrow_icon.ico", "SOUND/example.gif",
              "rules.txt", "tvk.txt")


def program_folder(program, parent, without=()):
    """A copy of the program's folder (the executable and its files) under
    parent, leaving out the files named in without. Returns the copy's
    executable."""
    folder = tempfile.mkdtemp(prefix="quarrow-win-", dir=parent)
    os.makedirs(os.path.join(folder, "SOUND"))
    shipped = os.path.dirname(os.path.abspath(program))
    copy = os.path.join(folder, os.path.basename(program))
    shutil.copy2(program, copy)
    for name in DATA_FILES:
        if name not in without:
            shutil.copy2(os.path.join(shipped, name), os.path.join(folder, name))
    return copy


def icon_sizes(window):
    """The icons the window offers the desktop (_NET_WM_ICON) as
    {(width, height): [ARGB, ...]}."""
    out = subprocess.run(["xprop", "-id", window, "-notype", "32c", "_NET_WM_ICON"],
                         capture_output=True, text=True).stdout
    if "=" not in out:
        return {}
    values = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
    icons = {}
    while len(values) >= 2:
        width, height = values[0], values[1]
        icons[(width, height)] = values[2:2 + width * height]
        values = values[2 + width * height:]
    return icons


def same_icon(argb, icon_file, workdir):
    """Whether an ARGB icon shows the icon file's picture: the same colour
    wherever the file's icon is opaque, and transparent where it is not."""
    raw = os.path.join(workdir, "icon.rgba")
    subprocess.run(["convert", icon_file + "[0]", "-depth", "8", "rgba:" + raw], check=True)
    with open(raw, "rb") as f:
        rgba = f.read()
    if len(rgba) != 4 * len(argb):
        return False
    for i, pixel in enumerate(argb):
        r, g, b, a = rgba[4 * i:4 * i + 4]
        if (pixel >> 24 & 0xFF) != a:
            return False
        if a and (pixel & 0xFFFFFF) != (r << 16 | g << 8 | b):
            return False
    return True


BOARD_TITLE = "^Quarrow Solitaire$"


class Board:
    """The board window of a started program, driven as a player would: its
    client area is found by the board picture (so before any deal), places
    are clicked at their centres, and every action waits for what it shows.
    log names a file for Wine's debugging output (with WINEDEBUG set in env)."""

    def __init__(self, program, env, workdir, board_picture, log=None):
        self.workdir = workdir
        self.log = log
        stderr = open(log, "wb") if log else subprocess.DEVNULL
        self.process = start(env, program, stderr)
        if log:
            stderr.close()
        self.window = xsession.wait_for(self._shown, "the board window never showed")
        self.pid = xsession.xdotool("getwindowpid", self.window).strip()
        xsession.focus(self.window)
        if xsession.WINDOW_MANAGER:
            xsession.placed(self.window)
        client = client_area(self.window, picture_pixels(board_picture, workdir), workdir)
        if client is None:
            raise xsession.TimedOut("the board picture never showed whole")
        self.left, self.top = client[:2]

    def _shown(self):
        if self.process.poll() is not None:
            raise xsession.TimedOut(f"the program ended before its window showed, status {self.process.returncode}")
        return (xsession.search("--onlyvisible", "--name", BOARD_TITLE) or [None])[0]

    def screen(self):
        return xsession.Screen(self.workdir)

    def at(self, screen, x, y):
        """A pixel of the client area."""
        return screen.at(self.left + x, self.top + y)

    def click(self, x, y):
        xsession.click(self.left + x, self.top + y)

    def others(self):
        """The program's other windows on the screen: notices, message boxes,
        the help window..."""
        return xsession.top_windows(self.pid) - {self.window}

    def until(self, shows, what, timeout=xsession.DEADLINE):
        """Waits until shows(screen) holds; a window coming up instead is a
        failure naming it."""
        def seen():
            popped = self.others()
            if popped:
                names = [xsession.xdotool("getwindowname", w).strip() for w in popped]
                raise xsession.TimedOut(f"{what}: a window came up instead: {names}")
            screen = self.screen()
            return screen if shows(screen) else None
        return xsession.wait_for(seen, what, timeout, poll=0.1)

    def popup(self, what, timeout=xsession.DEADLINE):
        """The program's window that comes up over the board."""
        return xsession.wait_for(lambda: next(iter(self.others()), None), f"{what}: no window came up", timeout)

    def deal(self):
        xsession.choose(self.window, "alt+f", "d")

    def leave(self, timeout=xsession.DEADLINE):
        """File > Exit; returns the exit status."""
        xsession.choose(self.window, "alt+f", "x")
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise xsession.TimedOut("File > Exit did not end the program")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


NOTICE_FACES = ("notice_full.gif", "notice_invalid.gif", "notice_win.gif")
# The invalid-move picture lies one pixel in from the notice's corner; above
# the OK button every face is all picture.
NOTICE_OFFSETS = {"notice_full.gif": (0, 0), "notice_invalid.gif": (1, 1), "notice_win.gif": (0, 0)}
NOTICE_ROWS = 150


def notice_faces(assets, workdir):
    """{face file: (offset, pixels of its rows above the OK button)}."""
    faces = {}
    for name in NOTICE_FACES:
        width, _, pixels = picture_pixels(os.path.join(assets, name), workdir)
        faces[name] = (NOTICE_OFFSETS[name], width, pixels[:3 * width * NOTICE_ROWS])
    return faces


def notice_face(screen, window, faces):
    """Which face the notice window shows: a key of faces, or None."""
    x, y, _, _ = xsession.geometry(window)
    for name, ((dx, dy), width, pixels) in faces.items():
        if screen.region(x + dx, y + dy, width, NOTICE_ROWS) == pixels:
            return name
    return None


def sound_plays(log):
    """The sounds Wine's winmm channel saw played, in order: for each call
    (flags, RIFF size, data size); the sizes come from the image the call
    was given, as the system read it."""
    with open(log, "rb") as f:
        text = f.read().decode("latin-1")
    flags = re.findall(r"MULTIMEDIA_PlaySound pszSound='[^']*' hmod=\S+ fdwSound=([0-9A-Fa-f]+)", text)
    riffs = re.findall(r"ParentChunk ckid=RIFF fccType=WAVE cksize=([0-9A-Fa-f]+)", text)
    datas = re.findall(r"Chunk Found ckid=data fccType=\S+ cksize=([0-9A-Fa-f]+)", text)
    plays = [int(f, 16) for f in flags if int(f, 16) != 0]  # 0: stopping a sound
    return [(flag, int(r, 16), int(d, 16)) for flag, r, d in zip(plays, riffs, datas)]


def wave_sizes(path):
    """A wave file's RIFF size and data size, as its header gives them."""
    with open(path, "rb") as f:
        data = f.read()
    riff = int.from_bytes(data[4:8], "little")
    at = 12
    while at + 8 <= len(data):
        size = int.from_bytes(data[at + 4:at + 8], "little")
        if data[at:at + 4] == b"data":
            return riff, size
        at += 8 + size + (size & 1)
    raise ValueError(f"{path}: no data chunk")


def card_faces(cards, workdir):
    """The 52 faces from the cards folder (01.gif ... 52.gif) as
    {code: (width, height, RGB bytes)}, read in one go."""
    names = [os.path.join(cards, f"{code:02d}.gif") for code in range(1, 53)]
    subprocess.run(["convert", *names, "-depth", "8", os.path.join(workdir, "face-%d.ppm")], check=True)
    return {code: xsession.read_ppm(os.path.join(workdir, f"face-{code - 1}.ppm")) for code in range(1, 53)}


def region_of(picture, x, y, width, height):
    """A rectangle of a picture's pixels, as Screen.region gives the screen's."""
    width_p, _, pixels = picture
    return b"".join(pixels[3 * ((y + row) * width_p + x):3 * ((y + row) * width_p + x + width)]
                    for row in range(height))


def report(failures, what):
    """Prints every failure and a closing line naming the desktop; the exit status."""
    for failure in failures:
        print("FAIL:", failure)
    print(f"{'failed' if failures else 'passed'}: {what} under Wine, "
          f"window manager {xsession.WINDOW_MANAGER or 'none'}")
    return 1 if failures else 0
