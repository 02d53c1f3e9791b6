#!/usr/bin/env bash
# Sets up and builds the project, runs every test, then builds the whole project again with clang
# under the address and undefined-behaviour sanitizers (clang's also checks conversions of
# floating-point values that do not fit) and runs every test once more.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${SONO_BUILD_DIR:-build}
(cd "$build_dir" && ctest --output-on-failure -j2)
asan_dir=${SONO_ASAN_BUILD_DIR:-build-asan}
CXX=clang++ cmake -S . -B "$asan_dir" -G Ninja -DSONO_WITH_QT=ON -DSONO_SANITIZE=ON > /dev/null
ninja -C "$asan_dir"
(cd "$asan_dir" && ctest --output-on-failure -j2)
