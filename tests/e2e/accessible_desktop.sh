#!/usr/bin/env bash
# Runs a command on a desktop as a screen reader user has it: its own Xvfb
# display with openbox, a private session bus, and the accessibility bus on
# it; Qt programs started inside speak AT-SPI.
# Usage: accessible_desktop.sh <command> <args...>
set -euo pipefail
for tool in Xvfb openbox dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/deps.sh" >&2; exit 1; }
done
if [ -z "${QUARROW_ON_PRIVATE_BUS:-}" ]; then
  export QUARROW_ON_PRIVATE_BUS=1
  exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
children=()
cleanup() {
  for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display and writes its number once it takes clients.
Xvfb -displayfd 9 -screen 0 "${QUARROW_XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset 9>"$work/display" 2>"$work/xvfb.log" &
children+=($!)
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
children+=($!)
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
children+=($!)
# Both are ready once they answer: the manager names itself on the root
# window, the accessibility bus registers its address.
for _ in $(seq 300); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' \
    && dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 \
    && break
  sleep 0.05
done

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$@"
