#!/usr/bin/env bash
# Proves that the Qt-free core builds for Windows: cross-compiles the core
# libraries (zovek_savefile with its Windows file, zovek_names, zovek_savedata,
# zovek_session) and the text rules (zovek_textrules) with MinGW-w64, our
# warnings as errors, then the core's GoogleTest unit tests against googletest
# built from Debian's sources. Nothing is run: this is a compile check only.
#
#   bash scripts/windows-core-check.sh      (build dir: build-win, or $ZOVEK_WIN_BUILD_DIR)
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS

# The cross compiler with the posix thread model (std::thread, std::filesystem),
# and googletest's sources; installed only when missing.
packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest)
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

build=${ZOVEK_WIN_BUILD_DIR:-build-win}
jobs=$(nproc 2>/dev/null || echo 2)
toolchain=$(pwd)/cmake/toolchain-mingw-w64.cmake

# googletest for Windows, built once into the build dir.
mkdir -p "$build"
gtest_prefix=$(cd "$build" && pwd)/googletest   # the build dir may be relative or absolute
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON
  cmake --build "$build/googletest-build" -j "$jobs"
  cmake --install "$build/googletest-build" > /dev/null
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOVEK_BUILD_GUI=OFF \
  -DGTest_DIR="$gtest_prefix/lib/cmake/GTest"
# The libraries first, so that a fault in them is reported on its own.
cmake --build "$build" -j "$jobs" --target zovek_savefile zovek_names zovek_savedata zovek_session zovek_textrules
cmake --build "$build" -j "$jobs"

echo "windows-core-check: the core, the text rules and their unit tests build for Windows" \
  "(${SECONDS}s: install $((installed - start))s, build $((SECONDS - installed))s)"
