#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite once as built, once more under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, then a bounded fuzzing run of each fuzz target,
# then a cross-compile of the Qt-free core and its unit tests for Windows,
# run under wine. Ends with what each ctest run counted (passed, failed,
# skipped, each skip with its reason) and one closing line over all three:
#   tests: N passed, N failed, N skipped
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${ZOVEK_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

# Each ctest run leaves a JUnit report in $logs, with the whole output of
# passed tests too (ctest keeps 1 KiB of it by default), where the skip
# reasons are; the summary at the end is read from those, as ctest counted.
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
runs=()
summary() {
  local passed=0 failed=0 skipped=0 p f s run
  echo
  for run in "${runs[@]}"; do
    if [ -f "$logs/$run.xml" ]; then
      bash scripts/ctest-counts.sh "$run" "$logs/$run.xml"
      read -r p f s < <(bash scripts/ctest-counts.sh --numbers "$logs/$run.xml")
      if [ "$run" = "${failed_name:-}" ] && [ "$f" -eq 0 ]; then
        echo "  failed: ctest itself ended with an error"
        f=1
      fi
      passed=$((passed + p)); failed=$((failed + f)); skipped=$((skipped + s))
    else
      echo "$run: no report, ctest did not finish"
      failed=$((failed + 1))
    fi
  done
  echo "tests: ${passed} passed, ${failed} failed, ${skipped} skipped"
}
# A failed run ends the command there, with the counts so far.
failed_name=
failed_run() {
  failed_name=$1
  echo "test.sh: the $1 run failed" >&2
  summary
  exit 1
}

# GUI tests run on Qt's offscreen platform; each test gets its own data dir.
export QT_QPA_PLATFORM=offscreen
runs+=(plain)
ctest --test-dir "$build" --output-on-failure -j "$jobs" --output-junit "$logs/plain.xml" \
  --test-output-size-passed 1048576 || failed_run plain
plain_done=$SECONDS

# The same suite built with both sanitizers. Any report ends the process that
# made it with an error, so the test that triggered it fails.
sanitize_build="${build}-sanitize"
cmake -S . -B "$sanitize_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOVEK_SANITIZE=ON
cmake --build "$sanitize_build" -j "$jobs"
runs+=(sanitizer)
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan-suppressions.txt:print_suppressions=0" \
  ctest --test-dir "$sanitize_build" --output-on-failure -j "$jobs" --output-junit "$logs/sanitizer.xml" \
  --test-output-size-passed 1048576 \
  || failed_run sanitizer
sanitized_done=$SECONDS

# About a minute of fuzzing per target, from the seed corpus in fuzz/corpus/.
ZOVEK_BUILD_DIR="$build" bash scripts/fuzz.sh
fuzz_done=$SECONDS

# The Qt-free core and its unit tests cross-compiled for Windows, run under wine.
runs+=(wine)
ZOVEK_WIN_BUILD_DIR="${build}-win" ZOVEK_WIN_JUNIT="$logs/wine.xml" bash scripts/windows-core-check.sh \
  || failed_run wine

echo "test.sh: ${SECONDS}s in all: build and tests ${plain_done}s," \
  "sanitizer build and tests $((sanitized_done - plain_done))s, fuzzing $((fuzz_done - sanitized_done))s," \
  "Windows core check and wine run $((SECONDS - fuzz_done))s"

# Each run's counts and skips, then the closing line over all three runs.
summary
