#!/usr/bin/env bash
# Runs one batch script and compares its output with the expected output.
#   run_batch_test.sh SONOPLEXER NAME.sb
# In the script and the expected output, @WORK@ stands for a fresh work folder. NAME.setup, when
# present, runs first (bash, with WORK set) to make the files the script uses.
set -euo pipefail
program=$1 script=$2
base=${script%.sb}
WORK=$(mktemp -d)
export WORK
trap 'rm -rf "$WORK"' EXIT
[ -f "$base.setup" ] && (cd "$WORK" && bash "$base.setup")
sed "s|@WORK@|$WORK|g" "$script" > "$WORK/script.sb"
sed "s|@WORK@|$WORK|g" "$base.expected" > "$WORK/expected"
status=0
"$program" --batch "$WORK/script.sb" --settings-dir "$WORK/settings" --temp-dir "$WORK/temp" \
    > "$WORK/actual" 2> "$WORK/errors" || status=$?
expected_status=0
[ -f "$base.status" ] && expected_status=$(cat "$base.status")
if [ -f "$base.check" ]; then (cd "$WORK" && bash "$base.check"); fi
if ! diff -u "$WORK/expected" "$WORK/actual"; then
    echo "errors:"; cat "$WORK/errors"; exit 1
fi
if [ "$status" != "$expected_status" ]; then
    echo "exit status $status, expected $expected_status"; cat "$WORK/errors"; exit 1
fi
