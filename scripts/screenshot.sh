#!/usr/bin/env bash
# Makes docs/board.png, the picture of the board in mid-game that the README
# opens with and the AppStream file names: the real board window under
# openbox in Xvfb, a fixed deal, a few plays and a card selected
# (packaging/screenshot/board_screenshot.cpp). Run it again after changing the
# artwork. Builds what it needs in build/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
for tool in xvfb-run xauth xdotool import openbox xwininfo xprop dbus-run-session; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing: apt-get install --no-install-recommends xvfb xauth xdotool imagemagick openbox x11-utils dbus-daemon" >&2
    exit 1
  }
done
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARROW_BENCH=OFF
fi
cmake --build "$build" --target board_screenshot
mkdir -p docs

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
XDG_RUNTIME_DIR=$scratch tests/e2e/run_in_xvfb.sh --wm \
  "$build/bin/board_screenshot" "$PWD/docs/board.png"
echo "docs/board.png: $(identify -format '%wx%h' docs/board.png 2>/dev/null || true) $(stat -c %s docs/board.png) bytes"
