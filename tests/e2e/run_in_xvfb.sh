#!/usr/bin/env bash
# Runs a desktop check on a desktop of its own, as a player's session gives
# the program one: its own Xvfb display and its own session bus, and with
# --wm a window manager (openbox) framing, placing and focusing the windows.
# Without a bus of its own the program's D-Bus library would start one
# (dbus-launch, where dbus-x11 is installed), which writes files and outlives
# the test.
# Usage: run_in_xvfb.sh [--wm] <command> <args...>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
session=()
if [ "${1:-}" = "--wm" ]; then
  session=(--wm)
  shift
fi
tools=(xvfb-run xauth xdotool import xwininfo xprop dbus-run-session)
[ "${#session[@]}" -gt 0 ] && tools+=(openbox)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/deps.sh --tests" >&2; exit 1; }
done
# -noreset: the server otherwise resets whenever its last client leaves, and
# refuses connections meanwhile. With the program starting while xdotool
# polls for its window, or a check starting the program again right after it
# ended, "could not connect to display" would come and go with the load.
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
  dbus-run-session -- "$here/desktop_session.sh" "${session[@]}" "$@"
