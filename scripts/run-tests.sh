#!/usr/bin/env bash
# Runs every test of the build folder given as $1 through CTest.
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 300 -j "$(nproc)"
