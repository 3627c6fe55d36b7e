#!/usr/bin/env bash
# Runs the wine step of scripts/windows-core-check.sh (its --tests-only mode)
# several times in a row on one finished build, to show that the run does not
# fail now and then. Prints, for each run, its exit status, what ctest counted
# (from the run's JUnit report), how many programs scripts/wine-run.sh had to
# start again, how long the run took, and the machine's load average and the
# number of compilers running (other builds) when it started. Exits 1 if any
# run failed. Not part of the test command.
#
#   bash scripts/wine-repeat.sh [RUNS]      (default 10; build dir as for
#                                            windows-core-check.sh)
set -uo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
case "$runs" in
  ''|*[!0-9]*|0) echo "usage: bash scripts/wine-repeat.sh [RUNS]" >&2; exit 64 ;;
esac
logs=$(mktemp -d "${TMPDIR:-/tmp}/zovek-wine-repeat.XXXXXX")
echo "wine-repeat: $runs runs, logs in $logs"

bad=0
for i in $(seq 1 "$runs"); do
  load=$(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo '?')
  compilers=$(ps -e -o comm= | grep -c -E '^(cc1|cc1plus|ld|collect2)$')
  begin=$(date +%s.%N)
  ZOVEK_WIN_JUNIT="$logs/run-$i.xml" bash scripts/windows-core-check.sh --tests-only > "$logs/run-$i.log" 2>&1
  status=$?
  seconds=$(awk -v b="$begin" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - b }')
  counts="no JUnit report"
  if [ -f "$logs/run-$i.xml" ]; then
    read -r passed failed skipped < <(bash scripts/ctest-counts.sh --numbers "$logs/run-$i.xml")
    restarts=$(grep -c 'wine-run: wine did not start' "$logs/run-$i.xml")
    counts="$passed passed, $failed failed, $skipped skipped, $restarts wine restarts"
  fi
  echo "run $i: exit $status, $counts, ${seconds}s (at start: load average $load, $compilers compilers running)"
  if [ "$status" -ne 0 ]; then
    bad=$((bad + 1))
  fi
done

echo "wine-repeat: $((runs - bad)) of $runs runs passed"
[ "$bad" -eq 0 ]
