#!/usr/bin/env bash
# Installs what building and running the game needs on Debian 12; with
# --tests, also what the test suite needs (Xvfb, a window manager, a session
# bus, Weston and Qt's Wayland plugin, the accessibility bus, xdotool, the
# package checker, sanitizers, fuzzing, the Windows tools below and the
# browser build with headless Chromium to drive it); with --windows, what the
# Windows build and its tests need (MinGW-w64, Wine, NSIS, GoogleTest's
# sources, Xvfb and xdotool); with --web, what building the browser site needs.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libsdl2-dev libgtest-dev
  fonts-dejavu-core
)
windows=(
  cmake ninja-build googletest
  g++-mingw-w64-x86-64-posix wine wine64 nsis
  python3 xvfb xauth xdotool x11-utils imagemagick dbus-daemon openbox
)
if [ "${1:-}" = "--windows" ]; then
  packages=("${windows[@]}")
fi
web=(cmake ninja-build emscripten node-acorn googletest python3)
if [ "${1:-}" = "--web" ]; then
  packages=("${web[@]}")
fi
if [ "${1:-}" = "--tests" ]; then
  packages+=("${windows[@]}")
  packages+=(
    "${web[@]}" chromium python3-websocket
    libbenchmark-dev python3
    xvfb xauth xdotool x11-utils imagemagick strace
    openbox dbus-daemon weston qt6-wayland
    dpkg-dev desktop-file-utils appstream lintian man-db
    clang libclang-rt-14-dev
    dbus-bin at-spi2-core python3-pyatspi
  )
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
