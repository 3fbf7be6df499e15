#!/usr/bin/env bash
# Builds what the benchmarks need (if it is not built yet) and runs them all,
# then prints one table of figures, ratios and targets.
#
# Usage: bench/run_all.sh [build-dir]        (default: build-perf)
#   RUNS=11     start-up runs per program (at least 7)
#   IDLE=5      idle seconds measured
#   REPS=5      repetitions of each Google Benchmark
# With a Windows build in build-win, also the Windows program under Wine
# (bench/windows/wine_startup.py; needs wine and xdotool).
#
# Needs: cmake, ninja, Qt 6, SDL2, Google Benchmark, Xvfb + xauth, xdotool,
# valgrind, python3. Everything runs in its own Xvfb display or offscreen.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
build=${1:-$source_dir/build-perf}
runs=${RUNS:-11}
idle=${IDLE:-5}
reps=${REPS:-5}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if [[ ! -f $build/build.ninja ]]; then
  cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_BENCH=ON >/dev/null
fi
echo "== building (ninja, only what is out of date)"
ninja -C "$build" quarrow quarrow_gamedata bare_qt_window board_bench core_bench sound_latency | tail -1
bin=$build/bin

echo "== start-up against the bare Qt window ($runs runs each, alternating)"
python3 "$here/startup/startup_bench.py" --runs "$runs" --json "$out/startup.json" \
  "$bin/quarrow" "$bin/bare_qt_window"

echo "== start-up in instructions (callgrind, one run each)"
"$here/startup/startup_instructions.sh" "$bin/quarrow" "$bin/bare_qt_window" | tee "$out/instructions.txt"

echo "== idle CPU with the board dealt"
python3 "$here/idle/idle_cpu.py" --seconds "$idle" --json "$out/idle.json" "$bin/quarrow"

echo "== one click through the real window, offscreen ($reps repetitions)"
QT_QPA_PLATFORM=offscreen "$bin/board_bench" --benchmark_repetitions="$reps" \
  --benchmark_report_aggregates_only=true --benchmark_out="$out/board.json" --benchmark_out_format=json \
  2>/dev/null | grep -E "^(BM_|Benchmark|---)" | grep -v -E "_(stddev|cv|mean) "

echo "== the game core alone"
"$bin/core_bench" --benchmark_min_time=0.2 2>/dev/null | grep -E "^BM_"

echo "== sound: Play() to the device (SDL disk driver)"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null "$bin/sound_latency" "$bin/SOUND/CLUCK.WAV" 15 \
  2>/dev/null | tee "$out/sound.txt"

# The Windows program under Wine, when a Windows build (scripts/windows.sh) is there.
win=$source_dir/build-win/bin
if [[ -f $win/bare_win32_window.exe ]]; then
  echo "== Windows: start-up, size and memory under Wine against a bare Win32 window ($runs runs each)"
  if [[ -f $win/quarrow.exe ]]; then
    python3 "$here/windows/wine_startup.py" --runs "$runs" --prefix "$source_dir/build-win/wine-prefix" \
      "$win/quarrow.exe" "$win/bare_win32_window.exe"
  else
    echo "skipped: build-win has no quarrow.exe yet"
  fi
fi

echo
python3 "$here/report_table.py" "$out"
