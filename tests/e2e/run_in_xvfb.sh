#!/usr/bin/env bash
# Runs a desktop check inside its own Xvfb display (no window manager).
# Usage: run_in_xvfb.sh <script> <args...>
set -euo pipefail
for tool in xvfb-run xauth xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/deps.sh" >&2; exit 1; }
done
# -noreset: the server otherwise resets whenever its last client leaves, and
# refuses connections meanwhile. With the program starting while xdotool
# polls for its window, or a check starting the program again right after it
# ended, "could not connect to display" would come and go with the load.
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" "$@"
