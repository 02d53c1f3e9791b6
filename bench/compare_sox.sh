#!/bin/bash
# Times the effects benchmark and sox on the same 10-minute 44.1 kHz 16-bit stereo sound (a 440 Hz
# tone on the left, pink noise on the right) and prints frames per second for both.
# Usage: bench/compare_sox.sh BUILD_DIR, BUILD_DIR configured with
#   -DCMAKE_BUILD_TYPE=Release -DSONO_BENCH=ON and the target effects_bench built.
# sox reads and writes files while our figures are in memory, so a plain sox copy is timed too:
# it is the file part of every sox figure.
set -euo pipefail
build=${1:?usage: compare_sox.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sound=$work/sound.wav
frames=$((600 * 44100))
sox -D -V1 -n -r 44100 -b 16 -c 2 "$sound" synth 600 sine 440 pinknoise vol 0.5

echo "== Sonoplexer effects (in memory, both channels; median of 3)"
SONO_BENCH_SOUND=$sound "$build/bench/effects_bench" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep -E '^Benchmark|_median'

echo "== sox on the same file (best of 3 wall-clock runs, file to file, no dither)"
run_sox() {
    local label=$1 best=""
    shift
    for _ in 1 2 3; do
        local start end seconds
        start=$(date +%s.%N)
        sox -D -V1 "$sound" "$work/out.wav" "$@"
        end=$(date +%s.%N)
        seconds=$(echo "$end - $start" | bc -l)
        if [[ -z $best ]] || (($(echo "$seconds < $best" | bc -l))); then best=$seconds; fi
    done
    printf '%-28s %8.0f ms %10.1f M frames/s\n' "$label" "$(echo "$best * 1000" | bc -l)" \
        "$(echo "$frames / $best / 1000000" | bc -l)"
}
run_sox "copy (file I/O only)"
run_sox "reverse" reverse
run_sox "vol 0.5" vol 0.5
run_sox "norm" norm
run_sox "speed 1.5" speed 1.5
run_sox "echo 0.8 0.9 100 0.5" echo 0.8 0.9 100 0.5
