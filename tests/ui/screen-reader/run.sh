#!/usr/bin/env bash
# Reads the editor's window as a screen reader does: through AT-SPI, on a
# private X server, a private session bus and a private accessibility bus,
# all started here and all ended on exit. Never the user's session bus.
#   run.sh ZOVEK LANGUAGE CARD
# Any part that does not come up is a failure, not a skip.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: run.sh ZOVEK LANGUAGE CARD" >&2; exit 2; }
zovek=$1 language=$2 card=$3
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "screen reader: $*" >&2; exit 1; }
for tool in Xvfb dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd; do
  command -v "$tool" >/dev/null || fail "missing $tool: run scripts/install-deps.sh"
done
/usr/bin/python3 -c 'import pyatspi' || fail "missing python3-pyatspi: run scripts/install-deps.sh"

tmp=$(mktemp -d)
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do wait "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap cleanup EXIT

# Waits up to 10 s for a command to succeed.
await() {
  local _
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# The X server takes the first free display number itself and says which:
# two runs side by side (ctest -j) cannot pick the same one.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
await test -s "$tmp/display" || { cat "$tmp/xvfb.log" >&2; fail "Xvfb did not start"; }
export DISPLAY=":$(cat "$tmp/display")"

# The session bus, with a configuration of its own: no services to start on
# demand, so that only what is started here is on it.
cat >"$tmp/session.conf" <<CONF
<busconfig>
  <type>session</type>
  <listen>unix:dir=$tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$tmp/session.conf" --nofork --print-address=3 3>"$tmp/bus" 2>"$tmp/bus.log" &
pids+=($!)
await test -s "$tmp/bus" || fail "the session bus did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$tmp/bus")
export DBUS_SESSION_BUS_ADDRESS
unset AT_SPI_BUS_ADDRESS

# The accessibility bus and its registry, which lists the applications on it.
/usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 >"$tmp/launcher.log" 2>&1 &
pids+=($!)
a11y_address() {
  dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress
}
await a11y_address || { cat "$tmp/launcher.log" >&2; fail "the accessibility bus did not start"; }
a11y=$(a11y_address | tr -d ' ')
/usr/libexec/at-spi2-registryd >"$tmp/registryd.log" 2>&1 &
pids+=($!)
registry_up() {
  dbus-send --bus="$a11y" --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner \
    string:org.a11y.atspi.Registry
}
await registry_up \
  || { cat "$tmp/registryd.log" >&2; fail "the accessibility registry did not start"; }

mkdir "$tmp/data" "$tmp/config"
XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  "$zovek" --language "$language" "$card" >"$tmp/zovek.log" 2>&1 &
editor=$!
pids+=("$editor")

status=0
/usr/bin/python3 -u "$here/read_window.py" "$editor" || status=$?
# libatspi ends the process with a trap when it cannot reach the bus.
[ "$status" -le 128 ] || echo "screen reader: the reader was ended by signal $((status - 128))" >&2
if ! kill -0 "$editor" 2>/dev/null; then
  echo "screen reader: the editor ended early" >&2
  status=1
fi
[ "$status" -eq 0 ] || { echo "--- the editor's output:"; cat "$tmp/zovek.log"; } >&2
exit "$status"
