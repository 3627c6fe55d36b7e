#!/usr/bin/env bash
# Reads the JUnit file of one ctest run (ctest --output-junit FILE) and tells
# what ran: passed, failed and skipped tests as ctest counted them, each
# skipped test with the reason its output gives (GoogleTest's GTEST_SKIP
# message, Qt Test's "SKIP" line), and the Qt Test functions that skipped
# inside a test that passed as a whole (one ctest test runs a whole Qt Test
# class).
#
#   bash scripts/ctest-counts.sh NAME FILE            the report, headed by NAME
#   bash scripts/ctest-counts.sh --numbers FILE       "passed failed skipped" only
#
# A test that ctest could not start (a missing executable) counts as failed.
set -euo pipefail

mode=report
if [ "${1:-}" = "--numbers" ]; then
  mode=numbers
  shift
  name=
else
  name=$1
  shift
fi
file=$1
[ -f "$file" ] || { echo "ctest-counts.sh: no JUnit file $file" >&2; exit 1; }

awk -v mode="$mode" -v name="$name" '
function unescape(s) {
  gsub(/&lt;/, "<", s); gsub(/&gt;/, ">", s); gsub(/&quot;/, "\"", s); gsub(/&apos;/, "\047", s)
  gsub(/&#10;/, " ", s); gsub(/&amp;/, "\\&", s)
  return s
}
function attribute(line, key,    rest) {
  if (!match(line, key "=\"[^\"]*\"")) return ""
  rest = substr(line, RSTART + length(key) + 2, RLENGTH - length(key) - 3)
  return unescape(rest)
}
function finish(    reason) {
  if (test == "") return
  if (status == "run") {
    passed++
    for (i = 1; i <= n_inner; i++) inner_lines[++n_inner_all] = "  skipped within " test " (passed as a whole): " inner[i]
  } else if ((status == "notrun" && skip_message ~ /^SKIP_/) || status == "disabled") {
    skipped++
    reason = (gtest_reason != "") ? gtest_reason : (n_inner > 0 ? inner[1] : last_line)
    if (status == "disabled") reason = "disabled"
    skip_lines[++n_skip] = "  skipped " test ": " reason
  } else {
    failed++
    fail_lines[++n_fail] = "  failed  " test
  }
  test = ""
}
/<testcase / {
  finish()
  test = attribute($0, "name"); status = attribute($0, "status")
  skip_message = ""; gtest_reason = ""; n_inner = 0; last_line = ""; in_skip = 0
  next
}
test != "" && /<skipped message=/ { skip_message = attribute($0, "message"); next }
test != "" && /<\/testcase>/ { finish(); next }
test != "" {
  line = unescape($0)
  sub(/^[ \t]*<system-out>/, "", line)
  sub(/<\/system-out>[ \t]*$/, "", line)
  # GoogleTest: "file:line: Skipped", the message, then "[  SKIPPED ] name".
  if (line ~ /: Skipped$/) { in_skip = 1; next }
  if (line ~ /^\[  SKIPPED \]/) { in_skip = 0; next }
  if (in_skip) { gtest_reason = (gtest_reason == "") ? line : gtest_reason " " line; next }
  # Qt Test: "SKIP   : Class::function() reason".
  if (line ~ /^SKIP +: /) { sub(/^SKIP +: /, "", line); inner[++n_inner] = line; next }
  if (line ~ /[^ \t]/) last_line = line
}
END {
  finish()
  if (mode == "numbers") { printf "%d %d %d\n", passed, failed, skipped; exit }
  printf "%s: %d passed, %d failed, %d skipped\n", name, passed, failed, skipped
  for (i = 1; i <= n_fail; i++) print fail_lines[i]
  for (i = 1; i <= n_skip; i++) print skip_lines[i]
  for (i = 1; i <= n_inner_all; i++) print inner_lines[i]
}
' "$file"
