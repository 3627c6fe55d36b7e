#!/usr/bin/env bash
# Starts the editor under a virtual X server, opens examples/demo.mcr through
# the real menu and file dialog, and writes one PNG per tab, plus an open cell
# edit, the opened drop-down lists and the save confirmation, into
# <build>/screenshots/ (the Japanese window) or <build>/screenshots/en/.
#   screenshot.sh [ja|en]
set -euo pipefail
language=${1:-ja}
case "$language" in ja|en) ;; *) echo "usage: screenshot.sh [ja|en]" >&2; exit 64 ;; esac
cd "$(dirname "$0")/.."
root=$(pwd)

for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-deps.sh" >&2; exit 1; }
done

build=${ZOVEK_BUILD_DIR:-build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DZOVEK_BUILD_GUI=ON >/dev/null
fi
cmake --build "$build" --target zovek -j 2 >/dev/null
case "$build" in /*) out="$build/screenshots" ;; *) out="$root/$build/screenshots" ;; esac
[ "$language" = ja ] || out="$out/$language"
mkdir -p "$out"
rm -f "$out"/*.png

# A display number nobody uses.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
export DISPLAY=":$display"

data_home=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$data_home"
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

XDG_DATA_HOME="$data_home" QT_QPA_PLATFORM=xcb "$build/src/app/zovek" --language "$language" &
editor=$!
pids+=("$editor")

window=$(xdotool search --sync --onlyvisible --pid "$editor" --name 'Zovek' | head -n1)
# Without a window manager nothing gives a window the keyboard focus.
xdotool windowfocus --sync "$window"
sleep 0.5

# ﾌｧｲﾙ(&F) → ﾌｧｲﾙを開く(&O); the English window keeps the access keys.
xdotool key --window "$window" alt+f
sleep 0.3
xdotool key o
dialog=""
for _ in $(seq 50); do
  dialog=$(xdotool search --onlyvisible --pid "$editor" --name '.' 2>/dev/null | grep -vx "$window" | head -n1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "the open dialog did not appear" >&2; exit 1; }
xdotool windowfocus --sync "$dialog"
sleep 0.5
import -window "$dialog" "$out/open-dialog.png"
xdotool type --delay 20 "$root/examples/demo.mcr"
xdotool key Return
sleep 1
xdotool windowfocus --sync "$window"
sleep 0.3

# The focus is on the tab control after opening; Right moves to the next tab.
for tab in 1 2 3; do
  import -window "$window" "$out/tab$tab.png"
  xdotool key Right
  sleep 0.4
done
xdotool key Left Left  # back to the first tab
sleep 0.3

# A cell edit left open: SSTab → txtValue(0) → cmbChara → Fgrid(0); the first
# Down picks the first data cell, four more the HP row; a digit opens txtFlex
# over the cell. Enter commits (nothing is saved), then back to SSTab.
xdotool key Tab Tab Tab Down Down Down Down Down 7
sleep 0.4
import -window "$window" "$out/cell-edit.png"
xdotool key Return shift+Tab shift+Tab shift+Tab
sleep 0.3

# The drop-down lists, opened: SSTab → txtValue(0) → cmbChara.
xdotool key Tab Tab alt+Down
sleep 0.6
import -window root "$out/cmbChara-open.png"
xdotool key Escape
sleep 0.3
xdotool key shift+Tab shift+Tab Right
sleep 0.3
# SSTab → cmbWaza, the first stop on the second tab.
xdotool key Tab alt+Down
sleep 0.6
import -window root "$out/cmbWaza-open.png"
xdotool key Escape
sleep 0.3

# ﾌｧｲﾙ(&F) → ﾃﾞｰﾀ保存(&S): the confirmation, answered No.
xdotool key alt+f
sleep 0.3
xdotool key s
sleep 0.8
import -window root "$out/save-confirm.png"
xdotool key Escape
sleep 0.3

ls "$out"
