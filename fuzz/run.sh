#!/usr/bin/env bash
# Builds the fuzz harnesses with clang (in build-fuzz) and runs each on a copy of its seed corpus
# (fuzz/seeds/NAME) for SECONDS, two at a time, then prints every harness's executions and
# whether it stayed clean. A failing input is kept as build-fuzz/crashes/NAME/crash-*; keep it as
# a regression test.
#   fuzz/run.sh [SECONDS] [HARNESS...]      (default 60 seconds, every harness)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
command -v clang++ > /dev/null || { echo "fuzz/run.sh needs clang++ (apt-get install clang)"; exit 2; }
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONO_WITH_QT=OFF \
    -DSONO_FUZZ=ON > /dev/null
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
    for seeds in fuzz/seeds/*/; do harnesses+=("$(basename "$seeds")"); done
fi
ninja -C build-fuzz "${harnesses[@]/%/_fuzz}" > /dev/null

run() {
    local name=$1 corpus=build-fuzz/corpus/$1 crashes=build-fuzz/crashes/$1
    mkdir -p "$corpus" "$crashes"
    cp -n fuzz/seeds/"$name"/* "$corpus"/
    local dict=()
    [ -f fuzz/"$name".dict ] && dict=(-dict=fuzz/"$name".dict)
    build-fuzz/fuzz/"$name"_fuzz "$corpus" "${dict[@]}" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -artifact_prefix="$crashes"/ -print_final_stats=1 > build-fuzz/"$name".log 2>&1
}
pids=()
for name in "${harnesses[@]}"; do
    run "$name" &
    pids+=($!)
    if ((${#pids[@]} == 2)); then wait "${pids[0]}" || true; pids=("${pids[@]:1}"); fi
done
wait || true

status=0
for name in "${harnesses[@]}"; do
    runs=$(grep -o "stat::number_of_executed_units: *[0-9]*" build-fuzz/"$name".log | grep -o "[0-9]*$" || echo "?")
    if ls build-fuzz/crashes/"$name"/* > /dev/null 2>&1; then
        echo "$name: $runs executions, FAILED (see build-fuzz/$name.log)"
        status=1
    else
        echo "$name: $runs executions in ${seconds} s, clean"
    fi
done
exit $status
