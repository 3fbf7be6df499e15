#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, made first if it is
# not there: the emulator through which CTest runs the cross-built tests.
# Usage: wine_run.sh <prefix> <program.exe> [args...]
set -euo pipefail
here=$(dirname "$0")
"$here/wine_prefix.sh" "$1"
export WINEPREFIX=$(realpath -m "$1") WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
shift
exec wine "$@"
