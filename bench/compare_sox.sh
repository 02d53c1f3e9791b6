#!/bin/bash
# Times the batch runner and sox on the same 10-minute 44.1 kHz 16-bit stereo sound (a 440 Hz tone
# on the left, pink noise on the right) and prints, for each whole-sound operation, the speed of
# both in gigabytes of samples per second, their ratio, and the peak memory of an open.
# Usage: bench/compare_sox.sh [BUILD_DIR [RUNS]]; BUILD_DIR (default build) holds a Release build
# with the batch runner (src/app/sonoplexer); RUNS (default 5) runs of each case are made, ours
# and sox's alternating, and the fastest run of each is compared: on a shared machine a run is
# now and then slowed by a few hundred milliseconds that belong to neither program.
# What is subtracted: for our operations the run that only opens the sound (so an effect counts
# its undo snapshot, not the open), for an open the run of an empty script; for sox a run on a
# sound of one frame, its start-up. sox reads and writes a file in every operation but the read.
# Our save ends by syncing the new file to the disk before it takes the old one's place, so that a
# kill leaves one or the other; sox's copy leaves its file to the page cache.
set -euo pipefail
build=${1:-build}
runs=${2:-5}
program=$build/src/app/sonoplexer
[[ -x $program ]] || { echo "no batch runner at $program" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sound=$work/sound.wav
seconds=600
sox -D -V1 -n -r 44100 -b 16 -c 2 "$sound" synth $seconds sine 440 pinknoise vol 0.5
sox -D -V1 -n -r 44100 -b 16 -c 2 "$work/tiny.wav" trim 0 1s
sound_bytes=$((seconds * 44100 * 4))

declare -A script=(
    [start]=""
    [open]="open $sound"
    [save]="open $sound
save-as $work/saved.wav"
    [volume]="open $sound
volume 50 50"
    [reverse]="open $sound
reverse"
    [echo]="open $sound
echo 100 100 50 50 1 equal"
    [satellite]="open $sound
satellite"
    [creaking]="open $sound
creaking"
    [alien1]="open $sound
alien1"
    [alien2]="open $sound
alien2"
    [speed]="open $sound
speed 150 150"
    [normalize]="open $sound
normalize"
    [shrink]="open $sound
shrink 4"
    [echo3]="open $sound
echo 100 100 50 50 3 equal"
)
declare -A sox_args=(
    [start]="$work/tiny.wav -n"
    [read]="$sound -n"
    [copy]="$sound $work/sox.wav"
    [vol]="$sound $work/sox.wav vol 0.5"
    [reverse]="$sound $work/sox.wav reverse"
    [echo]="$sound $work/sox.wav echo 0.8 0.9 100 0.5"
)
for name in "${!script[@]}"; do printf '%s\n' "${script[$name]}" > "$work/$name.sb"; done

# Runs a command twice and appends the wall-clock microseconds and peak resident kilobytes of the
# second run to the case's list. The first run leaves memory and files as the command itself needs
# them: on a virtual machine memory that was handed back costs a fault at the host on its first
# touch, which would charge one program for what another freed.
measure() {
    local case=$1 start end
    shift
    "$@" > /dev/null
    # What the runs before left for the disk is written now, not during this one.
    sync
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/rss" "$@" > /dev/null
    end=$(date +%s%N)
    echo "$(((end - start) / 1000)) $(cat "$work/rss")" >> "$work/$case.runs"
}

for ((run = 0; run < runs; ++run)); do
    for name in start open save volume reverse echo echo3 satellite creaking alien1 alien2 speed \
        normalize shrink; do
        measure "ours-$name" "$program" --batch "$work/$name.sb"
    done
    for name in start read copy vol reverse echo; do
        # shellcheck disable=SC2086 # the arguments are split on purpose
        measure "sox-$name" sox -D -V1 ${sox_args[$name]}
    done
done

# The median peak memory of a case's runs, in kilobytes.
median_memory() {
    sort -n -k2,2 "$work/$1.runs" | awk '{ v[NR] = $2 } END { print v[int((NR + 1) / 2)] }'
}
# The fastest run of a case, in microseconds.
fastest() {
    sort -n -k1,1 "$work/$1.runs" | awk 'NR == 1 { print $1 }'
}
# Gigabytes of samples per second of a case after subtracting its base case.
speed() {
    awk -v t="$(fastest "$1")" -v b="$(fastest "$2")" -v n=$sound_bytes \
        'BEGIN { d = (t - b) / 1e6; if (d <= 0) print "-"; else printf "%.2f", n / d / 1e9 }'
}
row() {
    local label=$1 ours sox target=$4
    ours=$(speed "ours-$2" "${5:-ours-open}")
    sox=$(speed "sox-$3" sox-start)
    awk -v l="$label" -v o="$ours" -v s="$sox" -v t="$target" 'BEGIN {
        r = (o == "-" || s == "-" || s == 0) ? "-" : sprintf("%.1fx", o / s)
        printf "| %-42s | %6s GB/s | %6s GB/s | %6s | %s |\n", l, o, s, r, t }'
}

echo "Batch runner against sox, $((sound_bytes / 1000000)) MB stereo sound, fastest of $runs runs, start-up subtracted"
echo
echo "| operation                                  |        ours |         sox |  ratio | target |"
echo "|---|---|---|---|---|"
row "open (read and split)" open read "4x sox" ours-start
row "save" save copy "4x sox"
row "volume, undo snapshot included" volume vol "10x sox"
row "reverse, undo snapshot included" reverse reverse "10x sox"
row "echo 100 ms, one repeat, snapshot included" echo echo "5x sox"
# The effects sox has no counterpart of, against its plain volume change of the same sound.
row "satellite, with snapshot (sox: vol)" satellite vol "5x sox"
row "creaking, with snapshot (sox: vol)" creaking vol "5x sox"
row "alien voice 1, with snapshot (sox: vol)" alien1 vol "5x sox"
row "alien voice 2, with snapshot (sox: vol)" alien2 vol "5x sox"
row "speed 150 %, with snapshot (sox: vol)" speed vol "5x sox"
row "echo, three repeats, with snapshot (sox: vol)" echo3 vol "5x sox"
row "normalize, with snapshot (sox: vol)" normalize vol "5x sox"
row "shrink by 4, with snapshot (sox: vol)" shrink vol "5x sox"
awk -v o="$(median_memory ours-open)" -v s="$(median_memory ours-start)" -v n=$sound_bytes 'BEGIN {
    printf "| %-42s | %8.2fx the sound | - | - | at most 1.2x |\n",
        "peak memory of an open, over start-up", (o - s) * 1024 / n }'
