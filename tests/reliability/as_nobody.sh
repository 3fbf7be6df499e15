#!/bin/sh
# Runs a command as user nobody when started as root, so that file permissions
# apply to it; as anyone else, runs it as it is. Exits 77 (skipped) when
# nobody cannot be switched to or cannot reach the command.
set -eu
if [ "$(id -u)" -ne 0 ]; then
  exec "$@"
fi
if ! command -v setpriv >/dev/null || ! id nobody >/dev/null 2>&1; then
  echo "skipped: no setpriv or no user nobody to drop root's rights to" >&2
  exit 77
fi
group=$(id -gn nobody)
if ! setpriv --reuid=nobody --regid="$group" --clear-groups test -x "$1"; then
  echo "skipped: user nobody cannot reach $1" >&2
  exit 77
fi
# nobody's home is usually missing; give it a scratch one so nothing fails on it.
scratch=$(setpriv --reuid=nobody --regid="$group" --clear-groups mktemp -d)
trap 'rm -rf "$scratch"' EXIT
HOME=$scratch XDG_RUNTIME_DIR=$scratch TMPDIR=/tmp \
  setpriv --reuid=nobody --regid="$group" --clear-groups "$@"
