#!/usr/bin/env bash
# Sets up and builds the project, then runs every test and ends with ctest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${SONO_BUILD_DIR:-build}
cd "$build_dir"
exec ctest --output-on-failure -j2
