#!/usr/bin/env bash
# Runs every benchmark of a finished build (scripts/test.sh or scripts/build.sh builds them);
# each benchmark that has goals ends with its table of ratios to their baselines. The start-up
# benchmark starts an X server of its own (Xvfb, from scripts/test-packages.txt) for its starts
# on a real display.
set -euo pipefail
cd "$(dirname "$0")/../build/bench"
export QT_QPA_PLATFORM=offscreen
for bench in ./*_bench; do
    echo "== ${bench#./}"
    started=$SECONDS
    "$bench" "$@"
    echo "== ${bench#./}: $((SECONDS - started)) s"
done
