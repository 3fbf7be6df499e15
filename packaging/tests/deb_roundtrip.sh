#!/usr/bin/env bash
# Builds the .deb, installs it, starts the game from its launcher under Xvfb
# until its window is mapped, then removes the package and checks nothing of
# it is left.
set -euo pipefail
build_dir=$1
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg-query -W -f='${Status}' quarrow-solitaire 2>/dev/null | grep -q "install ok installed"; then
  echo "SKIP: quarrow-solitaire is already installed on this machine; not touching it"
  exit 77
fi

work=$(mktemp -d)
trap 'dpkg -r quarrow-solitaire >/dev/null 2>&1 || true; rm -rf "$work"' EXIT

(cd "$work" && cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >/dev/null)
deb=$(ls "$work"/quarrow-solitaire_*.deb)
echo "package: $(basename "$deb")"
for needed in libqt6widgets6 libsdl2-2.0-0; do
  dpkg-deb -f "$deb" Depends | grep -q "$needed" || { echo "FAIL: Depends lacks $needed: $(dpkg-deb -f "$deb" Depends)"; exit 1; }
done

dpkg -i "$deb" >/dev/null
for f in /usr/bin/quarrow-solitaire /usr/lib/quarrow-solitaire/quarrow /usr/lib/quarrow-solitaire/SOUND/CLUCK.WAV \
         /usr/lib/quarrow-solitaire/rules.txt /usr/share/applications/example.quarrowgames.Solitaire.desktop \
         /usr/share/icons/hicolor/32x32/apps/example.quarrowgames.Solitaire.png; do
  [ -e "$f" ] || { echo "FAIL: $f not installed"; exit 1; }
done

cat > "$work/start.sh" <<'INNER'
#!/usr/bin/env bash
set -u
quarrow-solitaire &
pid=$!
timeout 60 xdotool search --sync --onlyvisible --name "^Quarrow Solitaire$" >/dev/null
found=$?
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
[ "$found" -eq 0 ] || { echo "FAIL: no window mapped"; exit 1; }
echo "window mapped"
INNER
chmod +x "$work/start.sh"
# -noreset: xdotool's polling connections come and go while the program
# connects; a server resetting after the last one left would refuse it. The
# session bus of its own keeps the D-Bus library from starting one itself.
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp -noreset" \
  dbus-run-session -- "$work/start.sh"

dpkg -r quarrow-solitaire >/dev/null
for f in /usr/bin/quarrow-solitaire /usr/lib/quarrow-solitaire; do
  [ ! -e "$f" ] || { echo "FAIL: $f left behind"; exit 1; }
done
echo "PASS: installed, started and removed cleanly"
