#!/usr/bin/env bash
# Installs the dependencies, builds the game and starts it. Only the game is
# built (the program and the files it reads beside itself), not the tests,
# fuzz targets or benchmarks; a build folder that exists already is reused as
# it is configured, so a later scripts/test.sh carries on from the same objects.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
if [ ! -f build/CMakeCache.txt ]; then
  # The test command's build type, so its build reuses this one.
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_BENCH=OFF
fi
cmake --build build --target quarrow
exec build/bin/quarrow
