#!/usr/bin/env python3
"""The table run_all.sh ends with, from the results it left in one folder."""
import json
import os
import platform
import re
import sys


def machine():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    with open("/proc/loadavg") as f:
        load = f.read().split()[0]
    return f"{model}, {os.cpu_count()} CPUs, Linux {platform.release()}, load average {load} at the end"


def verdict(ok):
    return "met" if ok else "NOT met"


def main(folder):
    rows = []

    def row(figure, game, reference, ratio, target, ok):
        rows.append((figure, game, reference, ratio, target, verdict(ok) if ok is not None else "-"))

    with open(os.path.join(folder, "startup.json")) as f:
        startup = json.load(f)
    game, bare = startup["game"], startup["bare"]
    runs = startup["runs"]
    r = game["mapped_ms"] / bare["mapped_ms"]
    row(f"start-up to window mapped, wall, median of {runs}", f"{game['mapped_ms']:.1f} ms",
        f"{bare['mapped_ms']:.1f} ms", f"{r:.2f}x", "<= 1.25x", r <= 1.25)
    r = game["cpu_ms"] / bare["cpu_ms"]
    row(f"start-up to window mapped, CPU, median of {runs}", f"{game['cpu_ms']:.1f} ms",
        f"{bare['cpu_ms']:.1f} ms", f"{r:.2f}x", "<= 1.25x", r <= 1.25)

    counts = {}
    with open(os.path.join(folder, "instructions.txt")) as f:
        for line in f:
            name, _, value = line.strip().partition(" ")
            if value.isdigit():
                counts[name] = int(value)
    if "quarrow" in counts and "bare_qt_window" in counts:
        r = counts["quarrow"] / counts["bare_qt_window"]
        row("start-up to mapped and idle, instructions", f"{counts['quarrow'] / 1e6:.1f} M",
            f"{counts['bare_qt_window'] / 1e6:.1f} M", f"{r:.2f}x", "<= 1.25x", r <= 1.25)

    for key, what in (("rss_start_mib", "after start-up"), ("rss_deal_mib", "after a deal")):
        extra = game[key] - bare[key]
        row(f"resident memory {what}, median", f"{game[key]:.1f} MiB", f"{bare[key]:.1f} MiB",
            f"{extra:+.1f} MiB", "<= bare + 8 MiB", extra <= 8.0)

    with open(os.path.join(folder, "idle.json")) as f:
        idle = json.load(f)
    for driver, result in idle.items():
        for key, what in (("dealt", "dealt"), ("after_sound", "after a cluck")):
            period = result[key]
            wakeups = sum(t["wakeups"] for t in period["threads"])
            cpu_us = sum(t["cpu_us"] for t in period["threads"])
            row(f"idle CPU over the period, {what} (SDL {driver})", f"{period['ticks']} ticks",
                f"{wakeups} wake-ups, {cpu_us:.0f} us", "", "0 ticks", period["ticks"] == 0)

    with open(os.path.join(folder, "board.json")) as f:
        board = json.load(f)
    names = {
        "BM_ClickMove": "click: a move, handled and repainted",
        "BM_ClickRefusedMove": "click: a refused move, its notice answered",
        "BM_ClickUndo": "click: an undo, handled and repainted",
        "BM_Deal": "a deal (all 52 cards move), repainted",
        "BM_FirstDeal/iterations:30": "the first deal, faces decoded",
    }
    for entry in board["benchmarks"]:
        if entry.get("aggregate_name") != "median":
            continue
        name = entry["run_name"]
        if name in names:
            unit = entry.get("time_unit", "us")
            row(f"{names[name]} (CPU, median)", f"{entry['cpu_time']:.0f} {unit}",
                f"wall {entry['real_time']:.0f} {unit}", f"{entry.get('paints', 0):.0f} paints", "(figure)", None)

    with open(os.path.join(folder, "sound.txt")) as f:
        for line in f:
            m = re.match(r"(first sound|later sound|after quiet)\s+n=\s*(\d+)\s+queued: median ([\d.]+) ms.*"
                         r"taken by device: median ([\d.]+) ms", line)
            if m:
                row(f"sound: Play() to the device, {m.group(1)} (n={m.group(2)})",
                    f"{m.group(4)} ms", f"queued {m.group(3)} ms", "", "(figure)", None)

    widths = [max(len(str(r[i])) for r in rows + [("Figure", "Quarrow", "Reference", "Ratio", "Target", "")])
              for i in range(6)]
    header = ("Figure", "Quarrow", "Reference", "Ratio", "Target", "")
    print(f"Machine: {machine()}")
    for r in [header] + rows:
        print("  ".join(str(v).ljust(w) for v, w in zip(r, widths)).rstrip())


if __name__ == "__main__":
    main(sys.argv[1])
