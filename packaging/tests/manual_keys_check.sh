#!/usr/bin/env bash
# The manual page teaches the keyboard game the README's key table describes:
# every key of that table is named in the rendered page, and the page does not
# claim the game needs a mouse.
set -euo pipefail
manual=$1 readme=$2
command -v man >/dev/null || { echo "FAIL: man is missing: run scripts/deps.sh --tests"; exit 1; }
text=$(MANWIDTH=200 man -l "$manual" 2>/dev/null | col -b)

# The first column of the table under "## Playing with the keyboard".
keys=$(awk '/^## Playing with the keyboard/ {on = 1; next} /^## / {on = 0}
            on && /^\| / && !/^\| Key/ && !/^\|--/ {split($0, cell, "|"); print cell[2]}' "$readme" |
       sed -e 's/, then /\n/g' -e 's/ or /\n/g' -e 's/, /\n/g' | sed 's/^ *//; s/ *$//' | grep -v '^$')
[ "$(wc -l <<<"$keys")" -ge 8 ] || { echo "FAIL: the README's key table was not found: $keys"; exit 1; }

missing=0
while read -r key; do
  if ! grep -qE "(^|[^[:alnum:]+])$(sed 's/[+]/[+]/g' <<<"$key")([^[:alnum:]+]|$)" <<<"$text"; then
    echo "FAIL: the manual page does not name the key $key"
    missing=1
  fi
done <<<"$keys"
if grep -qiE "mouse alone|only with the mouse" <<<"$text"; then
  echo "FAIL: the manual page says the game is played with the mouse alone"
  missing=1
fi
[ "$missing" -eq 0 ] || exit 1
echo "manual page names every key: $(tr '\n' ' ' <<<"$keys")"
