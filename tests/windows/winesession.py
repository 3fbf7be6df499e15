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
import subprocess
import sys
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


def start(env, program):
    """Starts a Windows program; Wine keeps the process id for it."""
    return subprocess.Popen(["wine", program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


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
    width_p, height_p, pixels = picture
    x, y, width, height = xsession.geometry(window)

    def found(screen):
        for top in range(0, min(80, height - height_p) + 1):
            if screen.region(x, y + top, width_p, height_p) == pixels:
                return top
        return None

    screen = xsession.screen_when(workdir, lambda s: found(s) is not None, timeout=10)
    top = found(screen)
    return None if top is None else (x, y + top, width, height - top)


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
