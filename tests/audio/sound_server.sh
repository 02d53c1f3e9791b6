#!/usr/bin/env bash
# A private sound server for the tests: a PulseAudio server whose only output is a null sink
# "out", with a recordable copy of that sink's monitor as the default input "in", so what a test
# plays can be recorded back.
#   sound_server.sh start DIR    starts it with its socket at DIR/native
#   sound_server.sh stop DIR     stops it
set -euo pipefail
action=$1 dir=$2
export PULSE_RUNTIME_PATH=$dir PULSE_STATE_PATH=$dir XDG_RUNTIME_DIR=$dir HOME=$dir
export PULSE_SERVER=unix:$dir/native
case $action in
start)
    rm -rf "$dir"
    mkdir -p -m 700 "$dir"
    pulseaudio -D -n --exit-idle-time=-1 --log-target=file:"$dir/log" \
        --load="module-native-protocol-unix auth-anonymous=1" \
        --load="module-null-sink sink_name=out" 2> /dev/null
    for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
    pactl load-module module-remap-source master=out.monitor source_name=in > /dev/null
    pactl set-default-sink out
    pactl set-default-source in
    ;;
stop)
    pactl exit 2> /dev/null || true
    ;;
esac
