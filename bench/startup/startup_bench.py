#!/usr/bin/env python3
"""Start-up time and memory of the game beside a bare Qt window of its shape.

Usage: startup_bench.py [--runs N] <quarrow> <bare_qt_window>

Starts its own Xvfb display (via xvfb-run) unless DISPLAY is set. For each run
and each program, in alternation: the time from starting the process to the
X server mapping its top-level window (MapNotify, seen through Xlib) and the
CPU time the process had used by then, the resident memory (VmRSS) one second later, and the resident memory after the
keys Alt+F, D (the deal; the bare window's Deal does nothing). Prints the
median, minimum and maximum of each figure.
"""
import argparse
import ctypes
import ctypes.util
import os
import platform
import select
import statistics
import subprocess
import sys
import time

MAP_NOTIFY = 19
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class Display:
    """Just enough Xlib to see top-level windows being mapped."""

    def __init__(self):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x11.XPending.argtypes = [ctypes.c_void_p]
        self.x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.dpy = self.x11.XOpenDisplay(None)
        if not self.dpy:
            raise SystemExit("cannot open the X display")
        root = self.x11.XDefaultRootWindow(self.dpy)
        self.x11.XSelectInput(self.dpy, root, SUBSTRUCTURE_NOTIFY_MASK)
        self.x11.XFlush(self.dpy)
        self.fd = self.x11.XConnectionNumber(self.dpy)
        self.event = ctypes.create_string_buffer(192)  # sizeof(XEvent) on 64-bit

    def wait_for_colour(self, window, rgb, timeout=30.0):
        """Polls the pixel in the middle of window until it has the colour rgb
        (a 24-bit display), that is until the program has painted it."""
        x11 = self.x11
        if not hasattr(self, "_ignore"):
            # A window that goes away meanwhile is an error Xlib would exit on.
            handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
            self._ignore = handler(lambda display, error: 0)
            x11.XSetErrorHandler(self._ignore)
            x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
                [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
            x11.XGetImage.restype = ctypes.c_void_p
            x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
            x11.XFree.argtypes = [ctypes.c_void_p]
        root, x, y = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = (ctypes.c_uint() for _ in range(4))
        x11.XGetGeometry(self.dpy, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                         ctypes.byref(width), ctypes.byref(height), ctypes.byref(border), ctypes.byref(depth))
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            image = x11.XGetImage(self.dpy, window, width.value // 2, height.value // 2, 1, 1, 0xFFFFFFFF, 2)
            if image:
                # XImage: width, height, xoffset, format (ints), then the data pointer.
                data = ctypes.cast(ctypes.c_void_p.from_address(image + 16).value, ctypes.POINTER(ctypes.c_ubyte))
                seen = (data[2], data[1], data[0])
                x11.XFree(ctypes.c_void_p.from_address(image + 16).value)
                x11.XFree(image)
                if seen == rgb:
                    return
            time.sleep(0.001)
        raise RuntimeError("the window was never painted")

    def drain(self):
        while self.x11.XPending(self.dpy):
            self.x11.XNextEvent(self.dpy, self.event)

    def wait_for_map(self, timeout=30.0):
        """Seconds until a top-level, non-override-redirect window is mapped."""
        deadline = time.monotonic() + timeout
        while True:
            while self.x11.XPending(self.dpy):
                self.x11.XNextEvent(self.dpy, self.event)
                raw = self.event.raw
                kind = int.from_bytes(raw[0:4], "little")
                override_redirect = int.from_bytes(raw[48:52], "little")
                if kind == MAP_NOTIFY and not override_redirect:
                    return int.from_bytes(raw[40:48], "little")
            left = deadline - time.monotonic()
            if left <= 0:
                raise RuntimeError("no window was mapped")
            select.select([self.fd], [], [], left)


def cpu_ns(pid):
    """CPU time the process has run so far, all its threads, in nanoseconds.

    From the scheduler's own accounting (schedstat), which is exact, unlike
    the 10 ms ticks of /proc/<pid>/stat; and unlike wall time it does not
    count the time the process waited for a CPU on a busy machine."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    raise RuntimeError("no VmRSS")


def measure(display, program):
    env = dict(os.environ, SDL_AUDIODRIVER="dummy")
    env.pop("QT_QPA_PLATFORM", None)
    display.drain()
    start = time.perf_counter()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = display.wait_for_map()
        mapped = time.perf_counter() - start
        cpu = cpu_ns(proc.pid) / 1e9
        time.sleep(1.0)
        after_start = rss_kib(proc.pid)
        subprocess.run(["xdotool", "windowfocus", "--sync", str(window)], check=True)
        subprocess.run(["xdotool", "key", "--window", str(window), "alt+f"], check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", "d"], check=True)
        time.sleep(0.7)
        after_deal = rss_kib(proc.pid)
        return mapped, cpu, after_start, after_deal
    finally:
        proc.kill()
        proc.wait()


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown CPU"


def summary(values, unit, scale=1.0, digits=0):
    med = statistics.median(values) * scale
    return f"{med:.{digits}f} {unit} (min {min(values) * scale:.{digits}f}, max {max(values) * scale:.{digits}f})"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--json", help="also write the medians to this file")
    parser.add_argument("quarrow")
    parser.add_argument("bare")
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        again = [sys.executable, os.path.abspath(__file__), "--runs", str(args.runs)]
        if args.json:
            again += ["--json", os.path.abspath(args.json)]
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24 -nolisten tcp",
                               *again, args.quarrow, args.bare])

    display = Display()
    programs = {"Quarrow Solitaire": os.path.abspath(args.quarrow), "bare Qt window": os.path.abspath(args.bare)}
    results = {name: [] for name in programs}
    # One warm-up each, so both start from a warm file cache.
    for program in programs.values():
        measure(display, program)
    for _ in range(args.runs):
        for name, program in programs.items():
            results[name].append(measure(display, program))

    print(f"{args.runs} runs each, alternating, under Xvfb 1024x768x24, SDL_AUDIODRIVER=dummy")
    print(f"machine: {cpu_model()}, {os.cpu_count()} CPUs, Linux {platform.release()}")
    medians = {}
    for name, runs in results.items():
        mapped, cpu, started, dealt = zip(*runs)
        print(f"{name:18} start to window mapped: {summary(mapped, 'ms', 1000.0, 1)}")
        print(f"{'':18} CPU time until mapped:  {summary(cpu, 'ms', 1000.0, 1)}")
        print(f"{'':18} resident after start-up: {summary(started, 'MiB', 1 / 1024, 1)}")
        print(f"{'':18} resident after Alt+F, D: {summary(dealt, 'MiB', 1 / 1024, 1)}")
        medians[name] = {
            "mapped_ms": statistics.median(mapped) * 1000.0,
            "cpu_ms": statistics.median(cpu) * 1000.0,
            "rss_start_mib": statistics.median(started) / 1024,
            "rss_deal_mib": statistics.median(dealt) / 1024,
        }
    game, bare = medians["Quarrow Solitaire"], medians["bare Qt window"]
    print(f"ratio, wall time to mapped: {game['mapped_ms'] / bare['mapped_ms']:.2f}x;"
          f" CPU time to mapped: {game['cpu_ms'] / bare['cpu_ms']:.2f}x (target <= 1.25x)")
    print(f"extra resident memory: {game['rss_start_mib'] - bare['rss_start_mib']:+.1f} MiB after start-up,"
          f" {game['rss_deal_mib'] - bare['rss_deal_mib']:+.1f} MiB after the deal (target <= +8 MiB)")
    if args.json:
        import json
        with open(args.json, "w") as f:
            json.dump({"runs": args.runs, "game": game, "bare": bare}, f, indent=1)


if __name__ == "__main__":
    main()
