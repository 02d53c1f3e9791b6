#!/usr/bin/env bash
# Sets up and builds the project, runs every test, then builds the whole project again with clang
# under the address and undefined-behaviour sanitizers (clang's also checks conversions of
# floating-point values that do not fit) and runs every test once more. Last, the core's tests run
# under the thread sanitizer, for the work the core does on threads of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build_dir=${SONO_BUILD_DIR:-build}
(cd "$build_dir" && ctest --output-on-failure -j2)
asan_dir=${SONO_ASAN_BUILD_DIR:-build-asan}
CXX=clang++ cmake -S . -B "$asan_dir" -G Ninja -DSONO_WITH_QT=ON -DSONO_SANITIZE=ON > /dev/null
ninja -C "$asan_dir"
(cd "$asan_dir" && ctest --output-on-failure -j2)
tsan_dir=${SONO_TSAN_BUILD_DIR:-build-tsan}
CXX=clang++ cmake -S . -B "$tsan_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONO_WITH_QT=OFF \
    -DSONO_SANITIZE_THREADS=ON > /dev/null
ninja -C "$tsan_dir" core_tests
TSAN_OPTIONS=halt_on_error=1 "$tsan_dir"/tests/core_tests --gtest_brief=1
