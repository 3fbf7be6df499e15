#!/usr/bin/env python3
"""Start-up time, size and memory of the Windows program beside a bare Win32
window of its shape, both under Wine.

Usage: wine_startup.py [--runs N] [--prefix DIR] <quarrow.exe> <bare_win32_window.exe>

Starts its own Xvfb display (via xvfb-run) unless DISPLAY is set. The prefix
(default: a new one in a temporary folder) is made first and its wineserver
kept running throughout, as a running Windows is: each start then pays for
the program, not for booting Wine. For each run and each program, in
alternation: the time from starting the process to the X server mapping its
window, the CPU time the process had used by then, the time until the middle
of the window shows the board picture (the first paint), and the resident memory of
the process one second later and after Alt+F, D (the deal; the bare window's
Deal does nothing). The resident memory is that of the Linux process hosting
the program, Wine's own libraries included: the same for both, so the
difference is the program's. Prints the median, minimum and maximum of each,
and the size of both executables as shipped (stripped).
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "startup"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "windows"))
import startup_bench  # noqa: E402
import winesession  # noqa: E402


BOARD_PEACH = (254, 230, 206)


def measure(display, env, program):
    display.drain()
    start = time.perf_counter()
    proc = subprocess.Popen(["wine", program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = display.wait_for_map()
        mapped = time.perf_counter() - start
        cpu = startup_bench.cpu_ns(proc.pid) / 1e9
        # Mapped is not yet seen: both draw the same board picture, whose
        # middle is the board's peach.
        display.wait_for_colour(window, BOARD_PEACH)
        painted = time.perf_counter() - start
        time.sleep(1.0)
        after_start = startup_bench.rss_kib(proc.pid)
        subprocess.run(["xdotool", "windowfocus", "--sync", str(window)], check=True)
        subprocess.run(["xdotool", "key", "--window", str(window), "alt+f"], check=True)
        time.sleep(0.3)
        subprocess.run(["xdotool", "key", "d"], check=True)
        time.sleep(0.7)
        after_deal = startup_bench.rss_kib(proc.pid)
        return mapped, cpu, after_start, after_deal, painted
    finally:
        proc.kill()
        proc.wait()
        # Until Wine has let the window go, its unmapping could be taken for
        # the next program's.
        time.sleep(0.3)


def stripped_kib(program, workdir):
    """The executable's size as shipped: without its symbols."""
    out = os.path.join(workdir, "stripped.exe")
    subprocess.run(["x86_64-w64-mingw32-strip", "-o", out, program], check=True)
    return os.path.getsize(out) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--prefix", help="Wine prefix to use (made if missing)")
    parser.add_argument("quarrow")
    parser.add_argument("bare")
    args = parser.parse_args()

    if not os.environ.get("DISPLAY"):
        again = [sys.executable, os.path.abspath(__file__), "--runs", str(args.runs)]
        if args.prefix:
            again += ["--prefix", os.path.abspath(args.prefix)]
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24 -nolisten tcp -noreset",
                               *again, os.path.abspath(args.quarrow), os.path.abspath(args.bare)])

    with tempfile.TemporaryDirectory() as workdir:
        sizes = [stripped_kib(args.quarrow, workdir), stripped_kib(args.bare, workdir)]
        prefix = args.prefix or os.path.join(workdir, "prefix")
        made = winesession.make_prefix(prefix)
        env = winesession.environment(prefix)
        winesession.stop(env)
        subprocess.run(["wineserver", "-p"], env=env, check=True)
        try:
            display = startup_bench.Display()
            programs = {"Quarrow Solitaire": args.quarrow, "bare Win32 window": args.bare}
            results = {name: [] for name in programs}
            # One warm-up each: the first start on a display sets Wine up.
            for program in programs.values():
                measure(display, env, program)
            for _ in range(args.runs):
                for name, program in programs.items():
                    results[name].append(measure(display, env, program))
        finally:
            winesession.stop(env)

    print(f"{args.runs} runs each, alternating, under Wine ({subprocess.run(['wine', '--version'], capture_output=True, text=True).stdout.strip()})"
          f" in Xvfb 1024x768x24; prefix ready in {made:.1f} s")
    print(f"machine: {startup_bench.cpu_model()}, {os.cpu_count()} CPUs")
    medians = {}
    summary = startup_bench.summary
    for (name, runs), program, size in zip(results.items(), programs.values(), sizes):
        mapped, cpu, started, dealt, painted = zip(*runs)
        print(f"{name:18} executable: {size:.0f} KiB stripped ({os.path.basename(program)})")
        print(f"{'':18} start to window mapped: {summary(mapped, 'ms', 1000.0, 1)}")
        print(f"{'':18} CPU time until mapped:  {summary(cpu, 'ms', 1000.0, 1)}")
        print(f"{'':18} start to board painted: {summary(painted, 'ms', 1000.0, 1)}")
        print(f"{'':18} resident after start-up: {summary(started, 'MiB', 1 / 1024, 1)}")
        print(f"{'':18} resident after Alt+F, D: {summary(dealt, 'MiB', 1 / 1024, 1)}")
        medians[name] = (statistics.median(mapped), statistics.median(cpu),
                         statistics.median(started), statistics.median(dealt), statistics.median(painted))
    game, bare = medians["Quarrow Solitaire"], medians["bare Win32 window"]
    print(f"ratio, wall time to mapped: {game[0] / bare[0]:.2f}x; CPU time to mapped: {game[1] / bare[1]:.2f}x;"
          f" wall time to the board painted: {game[4] / bare[4]:.2f}x")
    # Each run's two starts follow each other, so their ratio is taken under
    # the same load: steadier than the ratio of medians when the load drifts.
    pairs = list(zip(results["Quarrow Solitaire"], results["bare Win32 window"]))
    print("median of the runs' own ratios: to mapped"
          f" {statistics.median(g[0] / b[0] for g, b in pairs):.2f}x, to the board painted"
          f" {statistics.median(g[4] / b[4] for g, b in pairs):.2f}x")
    print(f"extra resident memory: {(game[2] - bare[2]) / 1024:+.1f} MiB after start-up,"
          f" {(game[3] - bare[3]) / 1024:+.1f} MiB after the deal")


if __name__ == "__main__":
    main()
