#!/usr/bin/env bash
# Inside run_in_xvfb.sh, on the new display and bus: with --wm, starts openbox
# and waits until it manages the screen; then runs the command and stops the
# window manager again. QUARROW_TEST_WM names the manager for the checks
# (empty on a bare server).
set -euo pipefail
export QUARROW_TEST_WM=""
if [ "${1:-}" = "--wm" ]; then
  shift
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  trap 'kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null || true' EXIT
  # A manager announces itself on the root window once it has taken over.
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    kill -0 "$wm" 2>/dev/null || { echo "openbox did not start" >&2; exit 1; }
    sleep 0.05
  done
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" \
    || { echo "openbox did not take over the screen" >&2; exit 1; }
  export QUARROW_TEST_WM=openbox
fi
status=0
"$@" || status=$?
exit "$status"
