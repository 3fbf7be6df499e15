#!/usr/bin/env bash
# Runs a command on a desktop as a screen reader user has it: the desktop of
# run_in_xvfb.sh --wm (its own display, openbox, a private session bus) with
# the accessibility bus started on that bus; Qt programs started inside speak
# AT-SPI. With --bare, on a display with no window manager.
# Usage: accessible_desktop.sh [--bare] <command> <args...>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
if [ "${1:-}" != "--on-desktop" ]; then
  [ -x "$launcher" ] || { echo "missing $launcher: run scripts/deps.sh --tests" >&2; exit 1; }
  wm=(--wm)
  if [ "${1:-}" = "--bare" ]; then
    wm=()
    shift
  fi
  exec "$here/run_in_xvfb.sh" "${wm[@]}" "$0" --on-desktop "$@"
fi
shift

log=$(mktemp)
"$launcher" --launch-immediately >"$log" 2>&1 &
bus=$!
# The launcher may be gone by the end (it failed, or the bus went first):
# stopping it must not turn the command's status into a failure.
trap 'kill "$bus" 2>/dev/null || true; wait "$bus" 2>/dev/null || true; rm -f "$log"' EXIT
# Ready once it owns its name on the session bus. Asked without activation:
# a call addressed to org.a11y.Bus itself would have the bus start a second
# launcher from its service file, and whichever lost the race for the name
# would quit, ours included.
for _ in $(seq 300); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true' && break
  kill -0 "$bus" 2>/dev/null || break
  sleep 0.05
done
if ! kill -0 "$bus" 2>/dev/null; then
  echo "the accessibility bus launcher did not stay up:" >&2
  cat "$log" >&2
  exit 1
fi

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
status=0
"$@" || status=$?
exit "$status"
