#!/usr/bin/env bash
# Installs the dependencies, then builds and runs the whole test suite: the
# core alone without Qt, the browser build (the core and shared layer under
# Node, the site in headless Chromium), everything in a normal build,
# everything again under AddressSanitizer + UndefinedBehaviorSanitizer, a
# short run of each fuzz target, and the Windows build with its tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --tests
jobs=$(nproc)

# The game core on its own, without Qt: it must stay free of it.
cmake -S . -B build-core -G Ninja -DQUARROW_GUI=OFF -DQUARROW_BENCH=OFF
cmake --build build-core
ctest --test-dir build-core --output-on-failure -j "$jobs"

# The browser build: the core and the shared layer compiled to WebAssembly and
# tested under Node, then the site end to end in headless Chromium.
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-web
ctest --test-dir build-web --output-on-failure -j "$jobs"

# Benchmarks on explicitly: a build folder first made by scripts/play.sh has them off.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_SANITIZE=ON -DQUARROW_BENCH=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

fuzz/run.sh "${QUARROW_FUZZ_SECONDS:-30}"

# The Windows build (MinGW-w64) and its tests under Wine: the core, the
# program starting in Xvfb, and the installer round trip.
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DQUARROW_WINDOWS_PROGRAM=quarrow
cmake --build build-win
ctest --test-dir build-win --output-on-failure -j "$jobs"
