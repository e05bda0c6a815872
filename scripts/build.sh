#!/usr/bin/env bash
# Configures and builds into ./build; extra arguments go to the configure step. JOBS limits the
# jobs the build runs at once (scripts/jobs.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/jobs.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j"$jobs"
