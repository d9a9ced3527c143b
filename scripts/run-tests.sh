#!/usr/bin/env bash
# Runs every test of the build folders given (default: build) through CTest:
# the normal build first, then the sanitizer builds of the cores and fuzzers
# (AddressSanitizer with UndefinedBehaviorSanitizer, then ThreadSanitizer).
#
# As root it first starts a private print system with a PDF printer
# (scripts/test-printer.sh), so that the tests print for real, and stops it
# when the tests end. Without root those tests are skipped, and say so.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
builds=("${@:-build}")
export QT_QPA_PLATFORM=offscreen

if [[ $(id -u) -eq 0 ]]; then
  printer_state=$(mktemp -d "${TMPDIR:-/tmp}/scontrix-printer.XXXXXX")
  trap '"$here/test-printer.sh" stop "$printer_state"' EXIT
  printer_env=$("$here/test-printer.sh" start "$printer_state")
  while IFS= read -r line; do
    export "${line?}"
  done <<< "$printer_env"
  echo "Test printer $SCONTRIX_TEST_PRINTER started: jobs go to $SCONTRIX_TEST_PRINTER_OUTPUT"
else
  echo "Not running as root: no test printer, the tests that print through CUPS are skipped."
fi

# Leaks are looked for in the program's own code; the toolkit's and the font
# library's caches, alive until exit, are not leaks.
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1${TSAN_OPTIONS:+:$TSAN_OPTIONS}"

status=0
for build in "${builds[@]}"; do
  echo "== Tests of $build"
  (cd "$build" && ctest --output-on-failure --timeout 300 -j "$(nproc)") || status=1
done
exit $status
