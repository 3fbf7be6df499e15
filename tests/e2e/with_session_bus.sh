#!/usr/bin/env bash
# Runs a command that starts the program with no screen (offscreen) on a
# session bus of its own, as a desktop session would give it one. Without it
# the program's D-Bus library would start a bus itself (dbus-launch, where
# dbus-x11 is installed), which writes files and outlives the test.
# Usage: with_session_bus.sh <command> <args...>
set -euo pipefail
command -v dbus-run-session >/dev/null || { echo "missing dbus-run-session: run scripts/deps.sh --tests" >&2; exit 1; }
exec dbus-run-session -- "$@"
