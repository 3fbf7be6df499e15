#!/usr/bin/env bash
# The .deb as a distribution would judge it and a player would meet it: build
# it, have lintian find no error and no warning in it, install it, start the
# game from /usr/games under Xvfb until its window maps, show its manual page,
# then purge it and check that nothing of it is left.
set -euo pipefail
build_dir=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
package=quarrow-solitaire
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
  echo "SKIP: $package is already installed on this machine; not touching it"
  exit 77
fi
for tool in lintian man xvfb-run xdotool dbus-run-session dpkg-parsechangelog; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run scripts/deps.sh --tests"; exit 1; }
done
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
chmod 755 "$work"
trap 'dpkg --purge "$package" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

(cd "$work" && cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >/dev/null)
deb=$(ls "$work"/${package}_*.deb)
echo "package: $(basename "$deb")"

# lintian warns when run as root; user nobody reads the packages instead.
lint=$(setpriv --reuid=nobody --regid="$(id -gn nobody)" --clear-groups env HOME="$work" \
         lintian --fail-on error,warning "$deb" 2>&1) || true
[ -z "$lint" ] || { echo "$lint"; fail "lintian has something to say"; }

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[ "$version" = "$(dpkg-parsechangelog -l "$source_dir/packaging/debian/changelog" -S Version)" ] \
  || fail "the package is $version, its changelog's latest entry is not"
grep -q "<release version=\"$version\"" "$source_dir/packaging/example.quarrowgames.Solitaire.metainfo.xml" \
  || fail "the AppStream releases lack $version"
field Depends | grep -q libqt6widgets6 || fail "Depends lacks Qt: $(field Depends)"
if field Depends | grep -q libsdl2; then fail "SDL2 is in Depends; the game plays without it"; fi
for wanted in libsdl2-2.0-0 qt6-wayland; do
  field Recommends | grep -q "$wanted" || fail "Recommends lacks $wanted: $(field Recommends)"
done

# What the package would create: afterwards, only what was there before may remain.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\.||; s|/$||' | grep . > "$work/contents"
: > "$work/existed"
while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then echo "$path" >> "$work/existed"; fi
done < "$work/contents"

dpkg -i "$deb" >/dev/null
program_dir=/usr/lib/games/$package
[ "$(readlink -f /usr/games/$package)" = "$program_dir/quarrow" ] || fail "/usr/games/$package does not lead to the program"
for f in SOUND/APPLAUS.WAV SOUND/CLUCK.WAV SOUND/qrrow_icon.ico SOUND/example.gif rules.txt tvk.txt; do
  cmp -s "$source_dir/gamedata/$f" "$program_dir/$f" || fail "$program_dir/$f is not the game's file"
done
[ "$(man -w 6 $package)" = /usr/share/man/man6/$package.6.gz ] || fail "man does not find the manual page"

cat > "$work/start.sh" <<'INNER'
#!/usr/bin/env bash
set -u
/usr/games/quarrow-solitaire &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Quarrow Solitaire$" | head -n 1)
# The message that the program cannot start bears the same title: only the
# board window is 705 pixels wide.
width=$([ -n "$window" ] && xdotool getwindowgeometry --shell "$window" | sed -n 's/^WIDTH=//p')
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ -n "$window" ] || { echo "FAIL: no window mapped"; exit 1; }
[ "$width" = 705 ] || { echo "FAIL: the window that mapped is $width pixels wide, not the board"; exit 1; }
echo "board window mapped"
INNER
chmod +x "$work/start.sh"
mkdir -m 700 "$work/runtime"
# -noreset: xdotool's polling connections come and go while the program
# connects; a server resetting after the last one left would refuse it.
XDG_RUNTIME_DIR=$work/runtime SDL_AUDIODRIVER=dummy dbus-run-session -- \
  xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" "$work/start.sh"

manual=$(MANWIDTH=80 man -l /usr/share/man/man6/$package.6.gz 2>"$work/man-warnings")
[ ! -s "$work/man-warnings" ] || { cat "$work/man-warnings"; fail "man warns about the page"; }
for heading in NAME SYNOPSIS DESCRIPTION FILES "EXIT STATUS"; do
  grep -q "^$heading" <<<"$manual" || fail "the manual page has no $heading"
done
grep -q "^ *$package - " <<<"$manual" || fail "the manual page's NAME line is not '$package - ...'"
echo "manual page shown"

dpkg --purge "$package" >/dev/null
left=$(while read -r path; do
  if { [ -e "$path" ] || [ -L "$path" ]; } && ! grep -qxF "$path" "$work/existed"; then echo "$path"; fi
done < "$work/contents")
[ -z "$left" ] || fail "left behind: $left"
echo "PASS: lintian-clean; installed, started, manual shown and purged without a trace"
