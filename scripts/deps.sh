#!/usr/bin/env bash
# Installs what building, testing and running the game needs on Debian 12.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libgif-dev libsdl2-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick fonts-dejavu-core
  dpkg-dev desktop-file-utils appstream
  clang libclang-rt-14-dev strace
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
