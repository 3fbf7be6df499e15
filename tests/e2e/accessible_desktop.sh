#!/usr/bin/env bash
# Runs a command on a desktop as a screen reader user has it: the desktop of
# run_in_xvfb.sh --wm (its own display, openbox, a private session bus) with
# the accessibility bus started on that bus; Qt programs started inside speak
# AT-SPI.
# Usage: accessible_desktop.sh <command> <args...>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
launcher=/usr/libexec/at-spi-bus-launcher
if [ "${1:-}" != "--on-desktop" ]; then
  [ -x "$launcher" ] || { echo "missing $launcher: run scripts/deps.sh --tests" >&2; exit 1; }
  exec "$here/run_in_xvfb.sh" --wm "$0" --on-desktop "$@"
fi
shift

log=$(mktemp)
"$launcher" --launch-immediately >"$log" 2>&1 &
bus=$!
trap 'kill "$bus" 2>/dev/null; wait "$bus" 2>/dev/null; rm -f "$log"' EXIT
# Ready once it answers with its address on the session bus.
for _ in $(seq 300); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.05
done

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
status=0
"$@" || status=$?
exit "$status"
