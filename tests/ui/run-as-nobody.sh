#!/usr/bin/env bash
# Runs a test executable as the user nobody when called by root, for the
# cases that check permission bits: root reads and writes through them, so
# those cases skip in a root run. Called by anyone else, it just runs the test.
#
# Usage: run-as-nobody.sh EXECUTABLE [ARGUMENT...]
#
# The build tree may lie below a folder that only root may enter (a clone in a
# `mktemp -d` folder is 0700), so the executable is copied into a fresh folder
# that nobody owns, with its home, XDG folders and TMPDIR inside, rather than
# changing the permissions of folders that are not ours. Our libraries are
# linked statically, so the copy runs on its own. Sanitizer suppression files
# named in *SAN_OPTIONS are copied along for the same reason.
#
# Whatever stops the run as nobody is an error, never a skip.
set -euo pipefail

exe=$1
shift
if [ "$(id -u)" -ne 0 ]; then
  exec "$exe" "$@"
fi

fail() {
  echo "run-as-nobody.sh: $*: the permission cases cannot run unprivileged" >&2
  exit 1
}
command -v setpriv >/dev/null || fail "setpriv (util-linux) is missing"
uid=$(id -u nobody 2>/dev/null) || fail "there is no user nobody"
gid=$(id -g nobody)

dir=$(mktemp -d "${TMPDIR:-/tmp}/zovek-unprivileged.XXXXXX")
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/bin" "$dir/home" "$dir/tmp" "$dir/runtime" "$dir/data" "$dir/config" "$dir/cache"
cp "$exe" "$dir/bin/"
for var in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
  options=${!var:-}
  if [[ $options =~ suppressions=([^:]+) ]]; then
    copy="$dir/bin/${var%_OPTIONS}-suppressions.txt"
    cp "${BASH_REMATCH[1]}" "$copy"
    export "$var=${options/suppressions=${BASH_REMATCH[1]}/suppressions=$copy}"
  fi
done
chown -R "$uid:$gid" "$dir"
chmod 0700 "$dir/runtime"

as_nobody=(setpriv --reuid="$uid" --regid="$gid" --clear-groups)
"${as_nobody[@]}" test -x "$dir/bin/$(basename "$exe")" -a -w "$dir/tmp" ||
  fail "nobody cannot reach $dir (is a folder above it closed to other users?)"

cd "$dir"
export HOME="$dir/home" TMPDIR="$dir/tmp" XDG_RUNTIME_DIR="$dir/runtime" \
  XDG_DATA_HOME="$dir/data" XDG_CONFIG_HOME="$dir/config" XDG_CACHE_HOME="$dir/cache" \
  USER=nobody LOGNAME=nobody
"${as_nobody[@]}" "$dir/bin/$(basename "$exe")" "$@"
