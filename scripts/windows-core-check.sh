#!/usr/bin/env bash
# Proves that the Qt-free core builds and works on Windows: cross-compiles the
# core libraries (zovek_savefile with its Windows file, zovek_names,
# zovek_savedata, zovek_session) and the text rules (zovek_textrules) with
# MinGW-w64, our warnings as errors, then the core's GoogleTest unit tests
# against googletest built from Debian's sources, and runs those tests under
# wine (64-bit, no display needed) through CTest.
#
#   bash scripts/windows-core-check.sh      (build dir: build-win, or $ZOVEK_WIN_BUILD_DIR)
#   bash scripts/windows-core-check.sh --tests-only
#                                           only the wine run, in a build dir
#                                           this script has already built
#
# ZOVEK_WIN_JUNIT=FILE also writes ctest's JUnit report of the wine run there
# (scripts/test.sh counts the tests from it).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

tests_only=false
case "${1:-}" in
  "") ;;
  --tests-only) tests_only=true ;;
  *) echo "usage: bash scripts/windows-core-check.sh [--tests-only]" >&2; exit 64 ;;
esac
build=${ZOVEK_WIN_BUILD_DIR:-build-win}
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

# The cross compiler with the posix thread model (std::thread, std::filesystem),
# googletest's sources and wine; installed only when missing.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64)
if $tests_only; then
  packages=()
  if [ ! -f "$build/CTestTestfile.cmake" ] || [ ! -f "$build/wineprefix/zovek-prefix-ready" ]; then
    echo "windows-core-check: $build holds no finished build; run the script once without --tests-only" >&2
    exit 1
  fi
fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
installed=$SECONDS

jobs=$(nproc 2>/dev/null || echo 2)
toolchain=$(pwd)/cmake/toolchain-mingw-w64.cmake
wineprefix="$(mkdir -p "$build" && cd "$build" && pwd)/wineprefix"

if ! $tests_only; then
  # googletest for Windows, built once into the build dir.
  gtest_prefix=$(cd "$build" && pwd)/googletest   # the build dir may be relative or absolute
  if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
    cmake --build "$build/googletest-build" -j "$jobs"
    cmake --install "$build/googletest-build" > /dev/null
  fi

  # CTest starts every .exe (and lists each one's tests) through wine: its own
  # prefix inside the build dir, no X display (wine then needs none), no wine
  # debug chatter, and no offer to download Mono or Gecko. scripts/wine-run.sh
  # starts a program again only when wine itself failed to start it.
  emulator="env;-u;DISPLAY;-u;WAYLAND_DISPLAY;WINEPREFIX=${wineprefix};WINEDEBUG=-all;WINEDLLOVERRIDES=mscoree,mshtml=;ZOVEK_WINE=${wine};$(pwd)/scripts/wine-run.sh"

  cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOVEK_BUILD_GUI=OFF \
    -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulator"
  # The libraries first, so that a fault in them is reported on its own.
  cmake --build "$build" -j "$jobs" --target zovek_savefile zovek_names zovek_savedata zovek_session zovek_textrules
  cmake --build "$build" -j "$jobs"

  # The prefix is made once; tests running side by side then share it. Its
  # menu builder is switched off in the prefix's registry, for every later wine
  # process too: otherwise wine makes menu and file-type folders in the user's
  # home. The setup waits until wine has finished with the prefix.
  if [ ! -f "$wineprefix/zovek-prefix-ready" ]; then
    (
      unset DISPLAY WAYLAND_DISPLAY
      export WINEPREFIX="$wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
      "$wine" wineboot --init
      "$wine" reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /t REG_SZ /d '' /f >/dev/null
      "$wineserver" -w
    )
    touch "$wineprefix/zovek-prefix-ready"
  fi
fi
built=$SECONDS

# One wine server for the whole run. Started on demand, Debian's wine server
# quits the moment its last program ends (-p0), so a test started in that
# moment meets a server going down and fails before it runs ("wine client
# error:0: recvmsg: Connection reset by peer"). A persistent server started
# here serves every test, and wine's own services stay up between them.
# Those services are started here, by a boot of the prefix whose output goes
# nowhere: a service started by a test's wine would keep that test's output
# pipe open for as long as the server lives, and ctest would wait for it.
# A server left running by an interrupted run is stopped first; this run's
# server is stopped when the script ends, however it ends.
stop_wineserver() {
  WINEPREFIX="$wineprefix" "$wineserver" -k 2>/dev/null || true
  WINEPREFIX="$wineprefix" "$wineserver" -w 2>/dev/null || true
}
stop_wineserver
trap stop_wineserver EXIT
(
  unset DISPLAY WAYLAND_DISPLAY
  export WINEPREFIX="$wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  "$wineserver" -p
  "$wine" wineboot < /dev/null > /dev/null 2>&1
)

junit=()
if [ -n "${ZOVEK_WIN_JUNIT:-}" ]; then
  junit=(--output-junit "$ZOVEK_WIN_JUNIT" --test-output-size-passed 1048576)
fi
ctest --test-dir "$build" --output-on-failure -j "$jobs" "${junit[@]}"

if $tests_only; then
  echo "windows-core-check: the unit tests in $build pass under wine ($((SECONDS - built))s)"
else
  echo "windows-core-check: the core, the text rules and their unit tests build for Windows and pass under wine" \
    "(${SECONDS}s: install $((installed - start))s, build $((built - installed))s, wine $((SECONDS - built))s)"
fi
