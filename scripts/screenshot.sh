#!/usr/bin/env bash
# Makes docs/board.png, the picture of the board in mid-game that the README
# opens with and the AppStream file names: the real board window under
# openbox in Xvfb, a fixed deal, a few plays and a card selected
# (packaging/screenshot/board_screenshot.cpp). Run it again after changing the
# artwork. Builds what it needs in build/ (or $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
for tool in xvfb-run openbox xprop dbus-run-session; do
  command -v "$tool" >/dev/null || {
    echo "$tool is missing: apt-get install --no-install-recommends xvfb xauth openbox x11-utils dbus-daemon" >&2
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
cat > "$scratch/session.sh" <<'INNER'
#!/usr/bin/env bash
set -u
openbox --sm-disable &
wm=$!
# openbox has taken the screen once it names itself on the root window.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break
  sleep 0.1
done
"$@"
status=$?
kill "$wm"
exit "$status"
INNER
chmod +x "$scratch/session.sh"
XDG_RUNTIME_DIR=$scratch dbus-run-session -- \
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$scratch/session.sh" \
  "$build/bin/board_screenshot" "$PWD/docs/board.png"
echo "docs/board.png: $(identify -format '%wx%h' docs/board.png 2>/dev/null || true) $(stat -c %s docs/board.png) bytes"
