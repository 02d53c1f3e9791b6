#!/usr/bin/env bash
# Sets up and builds the project, runs every test, then runs the core tests once more under the
# address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${SONO_BUILD_DIR:-build}
(cd "$build_dir" && ctest --output-on-failure -j2)
asan_dir=${SONO_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$asan_dir" -G Ninja -DSONO_WITH_QT=OFF -DSONO_SANITIZE=ON > /dev/null
ninja -C "$asan_dir" core_tests
"$asan_dir/tests/core_tests" --gtest_brief=1
