#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it on this desktop.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${ZOVEK_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOVEK_BUILD_GUI=ON
cmake --build "$build" --target zovek -j "$jobs"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No desktop to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi
exec "$build/src/app/zovek"
