#!/usr/bin/env bash
# Runs one Windows program under wine for ctest (the cross build's
# CMAKE_CROSSCOMPILING_EMULATOR), starting it again when wine itself failed
# to start it: a non-zero exit with nothing at all on standard output, and on
# standard error nothing or only wine's own client errors ("wine client
# error:0: recvmsg: Connection reset by peer"). Every test program prints
# before it does anything (GoogleTest's "Running main() from ..."), so a
# program that ran and failed is never started again: its output and exit
# status are handed on as they are. At most three starts.
#
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENTS...]      (wine from $ZOVEK_WINE, or wine64)
set -uo pipefail

wine=${ZOVEK_WINE:-/usr/lib/wine/wine64}
out=$(mktemp "${TMPDIR:-/tmp}/zovek-wine-run.XXXXXX")
err=$(mktemp "${TMPDIR:-/tmp}/zovek-wine-run.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT

attempt=1
while true; do
  "$wine" "$@" > "$out" 2> "$err"
  status=$?
  if [ "$status" -eq 0 ] || [ -s "$out" ] || grep -q -v '^wine client error:' "$err" || [ "$attempt" -ge 3 ]; then
    break
  fi
  said=$(tr '\n' ' ' < "$err")
  echo "wine-run: wine did not start $1 (exit status $status${said:+, }${said% }); starting it again" >&2
  attempt=$((attempt + 1))
done
cat "$out"
cat "$err" >&2
exit "$status"
