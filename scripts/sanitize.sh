#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-sanitize and runs every test there. Not part of CI: the run takes about twice as long.
# Extra arguments go to ctest (such as -R <regex>).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/jobs.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_TESTS=ON \
    -DTARNWICK_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
cd build-sanitize
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/../scripts/sanitize_suppressions.txt"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j"$jobs" --timeout 600 "$@"
