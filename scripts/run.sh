#!/usr/bin/env bash
# Installs what is missing, builds and starts the program (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh scripts/packages.txt
scripts/build.sh -DTARNWICK_TESTS=OFF
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    scripts/install-packages.sh <(printf 'xvfb\nxauth\n')
    exec xvfb-run -a -s "-screen 0 1600x1000x24" build/app/tarnwick
fi
exec build/app/tarnwick
