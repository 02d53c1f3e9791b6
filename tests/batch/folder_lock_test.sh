#!/usr/bin/env bash
# A folder named with --temp-dir serves one run at a time: a second run is refused while the first
# runs and leaves its work files alone. A folder left by a run that was killed is taken over,
# whatever its lock file holds: the sound its undo store kept last is offered back, exact, and
# declining it removes its files. A run that ended normally leaves nothing to offer, and a run
# without --temp-dir leaves nothing behind. Unsafe folders are refused.
#   folder_lock_test.sh SONOPLEXER
set -euo pipefail
program=$1
WORK=$(mktemp -d)
first=
cleanup() {
    [ -n "$first" ] && kill -9 "$first" 2> /dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
temp=$WORK/temp
clip="$temp/%\$&©®.dat"
lock=$temp/sonoplexer.lock
fail() { echo "FAIL: $*"; exit 1; }
# As in a desktop session, the runtime folder is set: the system's temporary folder then holds
# only what the runs themselves leave there.
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

batch() { "$program" --batch - --settings-dir "$WORK/settings" "$@"; }
# Waits up to 20 s for a file to appear.
await() { for _ in $(seq 200); do [ -e "$1" ] && return 0; sleep 0.1; done; fail "no $1"; }

# The first run reads its script from a pipe that the test writes as it goes: the run waits for
# its next line with its work files in place.
mkfifo "$WORK/script"
batch --temp-dir "$temp" < "$WORK/script" > "$WORK/first.out" 2>&1 &
first=$!
exec 3> "$WORK/script"
printf 'new\nselect all\ncopy\n' >&3
await "$clip"
[ -f "$lock" ] || fail "the first run holds no lock file"

status=0
echo new | batch --temp-dir "$temp" > /dev/null 2> "$WORK/second.err" || status=$?
[ "$status" = 2 ] || fail "a second run in a busy folder ended with $status, expected 2"
grep -q "in use by another run" "$WORK/second.err" || fail "second run said: $(cat "$WORK/second.err")"
[ -f "$clip" ] || fail "the second run removed the first run's clip file"
[ -f "$lock" ] || fail "the second run removed the first run's lock file"

echo "print levels" >&3
exec 3>&-
status=0
wait "$first" || status=$?
first=
[ "$status" = 0 ] || fail "the first run ended with $status: $(cat "$WORK/first.out")"
grep -q "^levels: " "$WORK/first.out" || fail "the first run did not finish its script"
[ ! -e "$lock" ] && [ ! -e "$clip" ] || fail "the first run left its lock or clip file"
echo new | batch --temp-dir "$temp" | grep -q "^question" && fail "a clean run's folder offered a sound"

# A run killed after three changes: the snapshot before the last one holds the sound kept last.
sox -D -n -r 8000 -b 16 -c 2 "$WORK/tone.wav" synth 0.5 sine 440 sine 550
"$program" --batch - --settings-dir "$WORK/settings" --temp-dir "$temp" < "$WORK/script" \
    > /dev/null 2>&1 &
first=$! # the program itself, so that the kill reaches it
exec 3> "$WORK/script"
printf 'open %s\nreverse\nvolume 50 50\nsave-as %s\nselect 0 999\nmute\n' "$WORK/tone.wav" \
    "$WORK/kept.wav" >&3
await "$temp/Sonoplexer UndoData 2.dat" # a snapshot gets its name once it is whole
kill -9 "$first"
wait "$first" 2> /dev/null || true
first=
exec 3>&-
[ -f "$lock" ] || fail "the killed run left no lock file"
cp -a "$temp" "$WORK/crashed"
# The folder as the crash left it, with its lock file as a crash before the id was written, or a
# cleaner, may leave it: each time the sound kept last is offered back, exact.
left_by_crash() { rm -rf "$temp" && cp -a "$WORK/crashed" "$temp"; }
for lock_file in id empty missing; do
    left_by_crash
    case $lock_file in empty) : > "$lock" ;; missing) rm "$lock" ;; esac
    printf 'answer yes\nsave-as %s\n' "$WORK/back.wav" | batch --temp-dir "$temp" > "$WORK/yes.out"
    grep -q "^question .*stopped unexpectedly.* -> yes" "$WORK/yes.out" ||
        fail "no offer with the lock file $lock_file: $(cat "$WORK/yes.out")"
    [ "$(sox "$WORK/back.wav" -t raw - | md5sum)" = "$(sox "$WORK/kept.wav" -t raw - | md5sum)" ] ||
        fail "the sound brought back is not the one kept last (lock file $lock_file)"
    [ ! -e "$lock" ] && [ ! -e "$temp/Sonoplexer UndoData 0.dat" ] || fail "recovery left work files"
    rm "$WORK/back.wav"
done

# Declined: the crashed run's files go all the same, and the sound stays the empty one.
left_by_crash
printf 'answer no\nprint caption\n' | batch --temp-dir "$temp" > "$WORK/no.out"
grep -q "^question .*stopped unexpectedly.* -> no" "$WORK/no.out" || fail "no offer to decline"
grep -q "^caption: Sonoplexer$" "$WORK/no.out" || fail "a declined sound came back: $(cat "$WORK/no.out")"
[ ! -e "$temp/Sonoplexer UndoData 0.dat" ] || fail "the declined run's snapshot was kept"

# Folders that other users could plant links in are refused, as is a link to a folder.
mkdir -m 777 "$WORK/shared"
ln -s "$WORK/tmp-target" "$WORK/link" && mkdir -m 700 "$WORK/tmp-target"
for folder in "$WORK/shared" "$WORK/link"; do
    status=0
    echo new | batch --temp-dir "$folder" > /dev/null 2> "$WORK/unsafe.err" || status=$?
    [ "$status" = 2 ] && grep -q "other users\|symbolic link" "$WORK/unsafe.err" ||
        fail "$folder was used: $(cat "$WORK/unsafe.err")"
done

# Without --temp-dir a run works in a fresh folder of its own and removes it at the end.
mkdir "$WORK/tmp"
echo new | TMPDIR=$WORK/tmp batch > /dev/null || fail "a run without --temp-dir failed"
[ -z "$(ls -A "$WORK/tmp")" ] || fail "a run without --temp-dir left $(ls -A "$WORK/tmp")"
echo "ok"
