#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it on this desktop,
# with the file given, if any, open: bash scripts/run.sh [FILE]
# The editor starts in the caller's folder, so that a relative FILE is found.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/install-deps.sh"

build=${ZOVEK_BUILD_DIR:-build}
case $build in /*) ;; *) build=$root/$build ;; esac
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOVEK_BUILD_GUI=ON
cmake --build "$build" --target zovek -j "$jobs"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No desktop to show the window on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi
exec "$build/src/app/zovek" "$@"
