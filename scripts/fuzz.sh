#!/usr/bin/env bash
# Runs every fuzz target of the sanitizer build for SECONDS each (default 600),
# one after the other, on the corpus kept between runs in the build folder
# (<build>/fuzz/found/<target>, started from fuzz/corpus and fuzz/regressions).
# Crashes go to <build>/fuzz/crashes/<target>/. Prints, and writes to
# <build>/fuzz/last-run.md, one line per target: executions, coverage
# (edges and features libFuzzer counted), corpus size and crashes.
#
#     scripts/fuzz.sh SANITIZER_BUILD [SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: fuzz.sh SANITIZER_BUILD [SECONDS]}" && pwd)
seconds=${2:-600}
report="$build/fuzz/last-run.md"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

{
  echo "Fuzz run of $(date -u '+%Y-%m-%d %H:%M UTC'), $seconds s per target"
  echo
  echo "| target | executions | edges | features | corpus | crashes |"
  echo "|---|---:|---:|---:|---:|---:|"
} > "$report"

status=0
for fuzzer in "$build"/fuzz/fuzz_*; do
  [[ -x $fuzzer && -f $fuzzer ]] || continue
  name=${fuzzer##*/fuzz_}
  found="$build/fuzz/found/$name"
  crashes="$build/fuzz/crashes/$name"
  mkdir -p "$found" "$crashes"
  log="$build/fuzz/$name.log"
  echo "== $name, $seconds s"
  result=0
  "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$crashes/" \
    "$found" "$root/fuzz/corpus/$name" "$root/fuzz/regressions/$name" > "$log" 2>&1 || result=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
  edges=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<< "$coverage")
  features=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<< "$coverage")
  corpus=$(find "$found" -type f | wc -l)
  crashed=$(find "$crashes" -type f | wc -l)
  if [[ $result -ne 0 ]]; then
    status=1
    echo "   $name stopped with $result: see $log"
  fi
  echo "| $name | ${executions:-?} | ${edges:-?} | ${features:-?} | $corpus | $crashed |" >> "$report"
done
echo
cat "$report"
exit $status
