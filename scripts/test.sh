#!/usr/bin/env bash
# Installs what is missing, builds the program, its tests and benchmarks, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/jobs.sh
scripts/install-packages.sh scripts/packages.txt scripts/test-packages.txt
scripts/build.sh -DTARNWICK_TESTS=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs" --timeout 300
