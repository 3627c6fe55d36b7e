#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite once as built, once more under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, then a bounded fuzzing run of each fuzz target,
# then a cross-compile of the Qt-free core and its unit tests for Windows.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${ZOVEK_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

# GUI tests run on Qt's offscreen platform; each test gets its own data dir.
export QT_QPA_PLATFORM=offscreen
logs=$(mktemp -d)
ctest --test-dir "$build" --output-on-failure -j "$jobs" | tee "$logs/plain.txt"
plain_done=$SECONDS

# The same suite built with both sanitizers. Any report ends the process that
# made it with an error, so the test that triggered it fails.
sanitize_build="${build}-sanitize"
cmake -S . -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOVEK_SANITIZE=ON
cmake --build "$sanitize_build" -j "$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan-suppressions.txt:print_suppressions=0" \
  ctest --test-dir "$sanitize_build" --output-on-failure -j "$jobs" | tee "$logs/sanitized.txt"
sanitized_done=$SECONDS

# About a minute of fuzzing per target, from the seed corpus in fuzz/corpus/.
ZOVEK_BUILD_DIR="$build" bash scripts/fuzz.sh
fuzz_done=$SECONDS

# The Qt-free core and its unit tests cross-compiled for Windows (built, not run).
ZOVEK_WIN_BUILD_DIR="${build}-win" bash scripts/windows-core-check.sh

echo "test.sh: ${SECONDS}s in all: build and tests ${plain_done}s," \
  "sanitizer build and tests $((sanitized_done - plain_done))s, fuzzing $((fuzz_done - sanitized_done))s," \
  "Windows core check $((SECONDS - fuzz_done))s"

# One closing line over both ctest runs ("N passed, N failed").
total=0
for run in plain sanitized; do
  n=$(sed -n 's/.*tests failed out of \([0-9][0-9]*\).*/\1/p' "$logs/$run.txt" | tail -n 1)
  total=$((total + ${n:-0}))
done
rm -rf "$logs"
echo "tests: ${total} passed, 0 failed"
