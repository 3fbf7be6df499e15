#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each one.
#   fuzz/run.sh [seconds per target]   (default 30)
# New crash inputs land in build-fuzz/crashes/<target>/; copy them into
# fuzz/regressions/<target>/ once fixed, so the normal suite replays them.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUARROW_FUZZ=ON -DQUARROW_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_wave fuzz_wave_decode fuzz_wave_check fuzz_text fuzz_example
status=0
for t in wave wave_decode wave_check text example; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/crashes/$t"
  inputs=("build-fuzz/corpus/$t")
  # The decoder and the check share the player's saved inputs.
  shared=${t%_decode}
  shared=${shared%_check}
  for saved in "fuzz/corpus/$shared" "fuzz/regressions/$shared"; do
    [ -d "$saved" ] && inputs+=("$saved")
  done
  log="build-fuzz/fuzz_$t.log"
  echo "== fuzz_$t for ${seconds}s"
  if ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
      "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=20 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/crashes/$t/" "${inputs[@]}" >"$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
  else
    echo "fuzz_$t failed; the end of its output:"
    tail -n 40 "$log"
    status=1
  fi
  [ -z "$(ls -A "build-fuzz/crashes/$t")" ] || { echo "crash inputs in build-fuzz/crashes/$t"; status=1; }
done
exit $status
