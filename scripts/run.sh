#!/usr/bin/env bash
# Installs what is missing, builds and starts the program (under Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh scripts/packages.txt
scripts/build.sh -DTARNWICK_TESTS=OFF
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    scripts/install-packages.sh <(printf 'xvfb\nxauth\n')
    echo "No display: the program starts on a virtual display that nobody sees;" \
        "the README's \"Run it\" says how to see it." >&2
    exec xvfb-run -a -s "-screen 0 1600x1000x24" build/app/tarnwick
fi
exec build/app/tarnwick
