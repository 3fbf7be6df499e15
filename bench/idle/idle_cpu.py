#!/usr/bin/env python3
"""CPU used by the game while the player does nothing.

Usage: idle_cpu.py [--seconds S] [--driver dummy|disk ...] [--json FILE] <quarrow>

Starts its own Xvfb display (via xvfb-run) unless DISPLAY is set. For each SDL
audio driver: starts the game, deals (Alt+F, D), lets it settle, then reads
every thread's CPU time before and after S idle seconds (default 5):
utime+stime in clock ticks from /proc/<pid>/task/<tid>/stat (what the target
is stated in), the scheduler's exact run time (schedstat, nanoseconds) and
the number of times each thread was woken (context switches). Then it makes
a refused move, so the notice shows and the cluck plays (opening the audio
device), answers the notice, waits 1.5 s (the sound is 0.12 s; the player
closes the device one second after a sound has played out) and measures S
idle seconds again. A thread that polls or runs a timer shows up as wake-ups even
when it is too cheap to cost a tick.
"""
import argparse
import json
import os
import platform
import subprocess
import sys
import time

CLIENT_HEIGHT = 455  # the board picture plus one pixel, under the menu bar
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def windows_of(pid):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                           capture_output=True, text=True)
    return set(found.stdout.split())


def wait_for(condition, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise RuntimeError("timed out")


def slot_top_left(slot):
    column = (slot - 1) % 15
    row = (slot - 1) // 15
    return 86 + 124 * (column // 3) + 22 * (column % 3), 7 + 104 * row


def threads(pid):
    """tid -> (name, ticks, run ns, wake-ups) for every thread alive now."""
    out = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        base = f"/proc/{pid}/task/{tid}"
        try:
            with open(f"{base}/stat") as f:
                stat = f.read()
            with open(f"{base}/schedstat") as f:
                run_ns = int(f.read().split()[0])
            switches = 0
            with open(f"{base}/status") as f:
                for line in f:
                    if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                        switches += int(line.split()[1])
        except OSError:
            continue  # ended meanwhile
        name = stat[stat.index("(") + 1:stat.rindex(")")]
        fields = stat[stat.rindex(")") + 2:].split()
        ticks = int(fields[11]) + int(fields[12])  # utime, stime
        out[tid] = (name, ticks, run_ns, switches)
    return out


def process_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        stat = f.read()
    fields = stat[stat.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])


def idle_period(pid, seconds):
    before_ticks, before = process_ticks(pid), threads(pid)
    time.sleep(seconds)
    after_ticks, after = process_ticks(pid), threads(pid)
    per_thread = []
    for tid, (name, ticks, run_ns, switches) in sorted(after.items(), key=lambda item: int(item[0])):
        _, t0, n0, s0 = before.get(tid, (name, 0, 0, 0))
        per_thread.append({"tid": int(tid), "name": name, "ticks": ticks - t0,
                           "cpu_us": (run_ns - n0) / 1000.0, "wakeups": switches - s0,
                           "new": tid not in before})
    return {"ticks": after_ticks - before_ticks, "threads": per_thread}


def refused_move(window, pid, left, top):
    """Clicks the top cards of successive full fans until the notice shows
    (a selected card onto a full fan is always refused; an ace clicked goes
    up to its foundation instead, so the next fan is tried). Answers it."""
    board_windows = windows_of(pid)
    for fan in range(1, 18):
        sx, sy = slot_top_left(3 * fan)
        xdotool("mousemove", "--sync", str(left + sx + 5), str(top + sy + 50))
        xdotool("click", "1")
        time.sleep(0.3)
        notices = windows_of(pid) - board_windows
        if notices:
            notice = notices.pop()
            xdotool("windowfocus", "--sync", notice)
            time.sleep(0.2)
            xdotool("key", "Return")
            wait_for(lambda: not (windows_of(pid) - board_windows))
            xdotool("windowfocus", "--sync", window)
            return fan
    raise RuntimeError("no notice came up")


def run(program, driver, seconds):
    env = dict(os.environ, SDL_AUDIODRIVER=driver)
    if driver == "disk":
        env["SDL_DISKAUDIOFILE"] = "/dev/null"
    env.pop("QT_QPA_PLATFORM", None)
    game = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = wait_for(lambda: xdotool("search", "--sync", "--onlyvisible", "--pid", str(game.pid)).split())[0]
        xdotool("windowfocus", "--sync", window)
        geometry = dict(line.split("=", 1) for line in xdotool("getwindowgeometry", "--shell", window).split())
        left = int(geometry["X"])
        top = int(geometry["Y"]) + int(geometry["HEIGHT"]) - CLIENT_HEIGHT
        xdotool("key", "--window", window, "alt+f")
        time.sleep(0.3)
        xdotool("key", "d")
        time.sleep(1.0)
        dealt = idle_period(game.pid, seconds)
        refused_move(window, game.pid, left, top)
        # The cluck (0.12 s) began when the notice came up; the player closes
        # the audio device a second after a sound has played out.
        time.sleep(1.5)
        after_sound = idle_period(game.pid, seconds)
        return {"dealt": dealt, "after_sound": after_sound}
    finally:
        game.kill()
        game.wait()


def describe(period):
    busy = [t for t in period["threads"] if t["wakeups"] or t["ticks"] or t["cpu_us"] > 0]
    parts = [f"{t['name']}{' (new)' if t['new'] else ''}: {t['ticks']} ticks, {t['cpu_us']:.0f} us,"
             f" {t['wakeups']} wake-ups" for t in busy]
    return f"{period['ticks']} ticks" + ("; " + "; ".join(parts) if parts else "; no thread woke")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=5.0)
    parser.add_argument("--driver", action="append", help="SDL audio driver (repeatable); default dummy and disk")
    parser.add_argument("--json")
    parser.add_argument("quarrow")
    args = parser.parse_args()
    drivers = args.driver or ["dummy", "disk"]

    if not os.environ.get("DISPLAY"):
        again = [sys.executable, os.path.abspath(__file__), "--seconds", str(args.seconds)]
        for driver in drivers:
            again += ["--driver", driver]
        if args.json:
            again += ["--json", os.path.abspath(args.json)]
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24 -nolisten tcp",
                               *again, os.path.abspath(args.quarrow)])

    print(f"idle {args.seconds:g} s with the board dealt, under Xvfb; {TICKS_PER_SECOND} ticks a second;"
          f" Linux {platform.release()}")
    results = {}
    for driver in drivers:
        result = run(os.path.abspath(args.quarrow), driver, args.seconds)
        results[driver] = result
        print(f"SDL_AUDIODRIVER={driver}")
        print(f"  dealt, no sound yet:        {describe(result['dealt'])}")
        print(f"  after a refused move's cluck: {describe(result['after_sound'])}")
    if args.json:
        with open(args.json, "w") as f:
            json.dump(results, f, indent=1)


if __name__ == "__main__":
    main()
