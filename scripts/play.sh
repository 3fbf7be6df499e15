#!/usr/bin/env bash
# Installs the dependencies, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARROW_BENCH=OFF
cmake --build build
exec build/bin/quarrow
