#!/usr/bin/env bash
# Sets up and builds the project, then starts the editor (arguments go to the editor).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${SONO_BUILD_DIR:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the editor on a virtual display (xvfb-run)."
    exec xvfb-run -a "$build_dir/src/app/sonoplexer" "$@"
fi
exec "$build_dir/src/app/sonoplexer" "$@"
