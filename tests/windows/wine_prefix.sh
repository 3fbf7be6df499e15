#!/usr/bin/env bash
# Makes a Wine prefix in the given folder unless it is there already, and
# waits until Wine has finished with it; tests started side by side make it
# once. Wine's menu builder stays off, so that nothing is written outside the
# prefix.
# Usage: wine_prefix.sh <folder>
set -euo pipefail
export WINEPREFIX=$(realpath -m "$1") WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
command -v wine >/dev/null || { echo "missing wine: run scripts/deps.sh --windows" >&2; exit 1; }
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  start=$(date +%s%N)
  # No display: the prefix is the same for programs with and without one.
  env -u DISPLAY wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot made no prefix in $WINEPREFIX" >&2; exit 1; }
  echo "made the Wine prefix $WINEPREFIX in $(( ($(date +%s%N) - start) / 1000000 )) ms" >&2
fi
