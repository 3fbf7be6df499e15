#!/usr/bin/env bash
# Instructions executed from exec to the window mapped and idle, counted by
# callgrind: a start-up figure that does not depend on how busy the machine is.
# Usage: startup_instructions.sh <program> [<program>...]
# Each program runs alone in its own Xvfb display; its window is waited for,
# given a second to finish its first paint, and then the program is stopped.
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for program in "$@"; do
  SDL_AUDIODRIVER=dummy valgrind --tool=callgrind --callgrind-out-file="$out/cg.%p" "$program" \
    >/dev/null 2>"$out/log" &
  pid=$!
  # Any top-level window of the program, mapped.
  timeout 120 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null 2>&1 \
    || timeout 120 xdotool search --sync --onlyvisible --name "." >/dev/null
  sleep 1
  kill -TERM "$pid"
  wait "$pid" || true
  # Only the program's own process: Qt forks a short-lived D-Bus launcher
  # at start-up, and callgrind reports that child separately.
  refs=$(sed -n "s/^==$pid== Collected : \([0-9]*\).*/\1/p" "$out/log")
  printf '%s %s\n' "$(basename "$program")" "${refs:-unknown}"
done
