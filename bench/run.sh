#!/usr/bin/env bash
# Builds the programs and the benchmarks in Release and runs every benchmark,
# then prints one table. Figures only: nothing here fails on time.
#
#   bash bench/run.sh            (build dir: build-bench, or $ZOVEK_BENCH_BUILD_DIR)
#   ZOVEK_BENCH_FILES=2000 bash bench/run.sh   (fewer card images for verify)
#   ZOVEK_BENCH_BASELINE=REV bash bench/run.sh (also start the editor built from
#       git revision REV, taking turns with this one: before and after a change
#       in one run)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ZOVEK_BENCH_BUILD_DIR:-build-bench}
files=${ZOVEK_BENCH_FILES:-10000}
cycles=${ZOVEK_BENCH_CYCLES:-5000}
rounds=${ZOVEK_BENCH_ROUNDS:-31}

# Release at -O2, the level Debian builds its packages with (GCC 12 also
# raises false -Wrestrict errors in std::string code at -O3).
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
if ! cmake --build "$build" -j 2 --target zovek zovek-cli bench_core bench_verify bench_startup bench_minimal_qt bench_minimal_qt_japanese \
    >"$build/bench-build.log" 2>&1; then
  tail -30 "$build/bench-build.log"
  echo "bench/run.sh: the build failed (log: $build/bench-build.log)" >&2
  exit 1
fi

baseline_editor=""
if [ -n "${ZOVEK_BENCH_BASELINE:-}" ]; then
  # The earlier revision's tree, exported once per revision (no worktree left
  # behind) and built alike in a folder of its own: the exported files carry
  # the commit's time, so one build folder for several revisions would take
  # another revision's objects for up to date.
  rev=$(git rev-parse --short "$ZOVEK_BENCH_BASELINE^{commit}")
  baseline_src="$build-baseline-$rev-src"
  baseline_build="$build-baseline-$rev"
  if [ ! -f "$baseline_src/.exported" ]; then
    rm -rf "$baseline_src"
    mkdir -p "$baseline_src"
    git archive "$rev" | tar -x -C "$baseline_src"
    touch "$baseline_src/.exported"
  fi
  cmake -S "$baseline_src" -B "$baseline_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
  if ! cmake --build "$baseline_build" -j 2 --target zovek >"$build/bench-baseline-build.log" 2>&1; then
    tail -30 "$build/bench-baseline-build.log"
    echo "bench/run.sh: the baseline build failed (log: $build/bench-baseline-build.log)" >&2
    exit 1
  fi
  baseline_editor="$baseline_build/src/app/zovek"
  echo "baseline: $(git rev-parse --short "$ZOVEK_BENCH_BASELINE") ($ZOVEK_BENCH_BASELINE)"
fi

results=$(mktemp)
trap 'rm -f "$results"' EXIT

echo "== core cycle"
"$build/bench/bench_core" "$cycles" | tee -a "$results" | grep -v '^RESULT|'
echo "== verify over $files card images"
"$build/bench/bench_verify" "$build/src/cli/zovek-cli" "$files" | tee -a "$results" | grep -v '^RESULT|'
echo "== start-up"
startup=("$build/bench/bench_startup" "$build/src/app/zovek" "$build/bench/minimal_qt/bench_minimal_qt" "$rounds"
         "$build/bench/minimal_qt/bench_minimal_qt_japanese")
if [ -n "$baseline_editor" ]; then startup+=("$baseline_editor"); fi
if [ -n "${DISPLAY:-}" ]; then
  "${startup[@]}" | tee -a "$results" | grep -v '^RESULT|' || echo "start-up benchmark failed"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "${startup[@]}" | tee -a "$results" | grep -v '^RESULT|' ||
    echo "start-up benchmark failed"
fi

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo
echo "Machine: $(nproc) cores, $cpu; $(uname -sr); $(date -u +%Y-%m-%d)"
echo
printf '| %s | %s | %s | %s | %s | %s |\n' "benchmark" "measured" "limit" "ratio" "target" "note"
printf '|---|---|---|---|---|---|\n'
grep '^RESULT|' "$results" | while IFS='|' read -r _ name measured limit ratio target note; do
  printf '| %s | %s | %s | %s | %s | %s |\n' "$name" "$measured" "$limit" "$ratio" "$target" "$note"
done
