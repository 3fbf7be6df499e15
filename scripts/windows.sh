#!/usr/bin/env bash
# Builds the Windows game on Debian 12: installs MinGW-w64, Wine and NSIS if
# missing, cross-builds in build-win, and leaves the program, a portable zip
# and the installer in build-win/dist.
#   scripts/windows.sh            then: ctest --test-dir build-win (under Wine)
# QUARROW_WINDOWS_PROGRAM=<target> packages another program target instead of
# the game (the benchmark's bare_win32_window tries the packaging on its own).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --windows
program=${QUARROW_WINDOWS_PROGRAM:-quarrow}
cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DQUARROW_WINDOWS_PROGRAM="$program"
rm -rf build-win/dist
cmake --build build-win -j "$(( $(nproc) < 2 ? $(nproc) : 2 ))"
if ! cmake --build build-win --target windows_packages >/dev/null 2>&1; then
  echo "build-win has no target $program to package (its front end is not in this tree yet)" >&2
  exit 1
fi
echo
echo "Windows packages in $(pwd)/build-win/dist:"
ls -1 "$(pwd)"/build-win/dist/*
