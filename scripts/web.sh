#!/usr/bin/env bash
# Builds the browser site (the game compiled to WebAssembly and the page
# around it) and prints the folder it is in: any static web server can serve
# that folder as it is. With --serve, also serves it on 127.0.0.1 (port
# QUARROW_PORT, 8000 unless set) until interrupted.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --web
emcmake cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
cmake --build build-web --target quarrow_site_files -j "${QUARROW_JOBS:-$(nproc)}" > /dev/null
site="$(pwd)/build-web/site"
echo "$site"
if [ "${1:-}" = "--serve" ]; then
  port="${QUARROW_PORT:-8000}"
  echo "Serving on http://127.0.0.1:$port/ (Ctrl+C stops)"
  exec python3 board/web/serve.py "$site" "$port"
fi
