#!/usr/bin/env bash
# Builds the libFuzzer targets (clang-14, AddressSanitizer and UBSan) and runs
# each for a bounded time, starting from the seed corpus in fuzz/corpus/<target>/.
# New inputs the fuzzer finds are kept in the build directory, never in the
# repository. A broken property or a sanitizer report fails the run and leaves
# the input in <build>/fuzz-artifacts/: add it to fuzz/corpus/<target>/ (the
# unit tests replay that corpus) and a named regression test in tests/fuzz/.
#
#   ZOVEK_FUZZ_BUILD_DIR  build directory (default: <ZOVEK_BUILD_DIR or build>-fuzz)
#   ZOVEK_FUZZ_SECONDS    time per target (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

build=${ZOVEK_FUZZ_BUILD_DIR:-${ZOVEK_BUILD_DIR:-build}-fuzz}
seconds=${ZOVEK_FUZZ_SECONDS:-60}
jobs=$(nproc 2>/dev/null || echo 2)
targets=(file_scan walk_roundtrip text_rules)

# Longest input worth mutating: the card directory and a little beyond it; a
# whole data region; a text far longer than any box takes.
declare -A max_len=([file_scan]=2100 [walk_roundtrip]=7808 [text_rules]=512)

cmake -S . -B "$build" -G Ninja -DZOVEK_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target "${targets[@]/#/fuzz_}" -j "$jobs"

# The file-scan target writes a card image per input; memory is much faster than disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"
failed=()
for target in "${targets[@]}"; do
  work="$build/fuzz-corpus/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$work"
  # The first corpus directory receives what the fuzzer finds; the seeds are read only.
  if "$build/fuzz/fuzz_$target" "$work" "$root/fuzz/corpus/$target" \
      -max_total_time="$seconds" -seed=20240611 -rss_limit_mb=2048 -timeout=10 \
      -max_len="${max_len[$target]}" -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-artifacts/$target-" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n1)
    echo "fuzz $target: ${runs:-?} inputs in ${seconds}s (${speed:-?}/s), $cov, no finding"
  else
    echo "fuzz $target: FAILED, see $log" >&2
    tail -n 40 "$log" >&2
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found problems in: ${failed[*]} (inputs in $build/fuzz-artifacts/)" >&2
  exit 1
fi
