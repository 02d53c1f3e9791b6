#!/usr/bin/env bash
# A folder named with --temp-dir serves one run at a time: a second run is refused while the first
# runs and leaves its work files alone, a folder left by a crashed run is refused until its lock
# file is removed, and a run without --temp-dir leaves nothing behind.
#   folder_lock_test.sh SONOPLEXER
set -euo pipefail
program=$1
WORK=$(mktemp -d)
first=
cleanup() {
    # A first run still waiting on its pipes is let go, so a failed check leaves nothing running.
    if [ -n "$first" ]; then
        exec 5<> "$WORK/reached" 6<> "$WORK/go"
        wait "$first" || true
    fi
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

# The first run makes a clip file, then waits inside `open` on two named pipes: opening a pipe
# waits for the other end, so the test knows when the run got there and lets it go when it likes.
mkfifo "$WORK/reached" "$WORK/go"
(
    status=0
    batch --temp-dir "$temp" > "$WORK/first.out" 2>&1 << EOF || status=$?
new
select all
copy
open "$WORK/reached"
open "$WORK/go"
print levels
EOF
    # Should the run end early, this end lets the test's opens return instead of waiting.
    exec 3<> "$WORK/reached" 4<> "$WORK/go"
    exit $status
) &
first=$!
: > "$WORK/reached"
[ -f "$clip" ] || fail "the first run made no clip file"
[ -f "$lock" ] || fail "the first run holds no lock file"

status=0
echo new | batch --temp-dir "$temp" > /dev/null 2> "$WORK/second.err" || status=$?
[ "$status" = 2 ] || fail "a second run in a busy folder ended with $status, expected 2"
grep -q "in use by another run" "$WORK/second.err" || fail "second run said: $(cat "$WORK/second.err")"
[ -f "$clip" ] || fail "the second run removed the first run's clip file"
[ -f "$lock" ] || fail "the second run removed the first run's lock file"

: > "$WORK/go"
status=0
wait "$first" || status=$?
first=
[ "$status" = 0 ] || fail "the first run ended with $status: $(cat "$WORK/first.out")"
grep -q "^levels: " "$WORK/first.out" || fail "the first run did not finish its script"
[ ! -e "$lock" ] || fail "the first run left its lock file"
[ ! -e "$clip" ] || fail "the first run left its clip file"

echo new | batch --temp-dir "$temp" > /dev/null || fail "a third run after the first was refused"

# A crashed run: its lock file is there and nobody holds it.
echo 99999 > "$lock"
touch "$clip"
status=0
echo new | batch --temp-dir "$temp" > /dev/null 2> "$WORK/stale.err" || status=$?
[ "$status" = 2 ] || fail "a run in a crashed run's folder ended with $status, expected 2"
grep -q "ended unexpectedly.*remove $lock" "$WORK/stale.err" ||
    fail "the stale refusal said: $(cat "$WORK/stale.err")"
[ "$(cat "$lock")" = 99999 ] && [ -f "$clip" ] || fail "the crashed run's files were touched"
rm "$lock"
echo new | batch --temp-dir "$temp" > /dev/null || fail "a run after removing the stale lock failed"

# Without --temp-dir a run works in a fresh folder of its own and removes it at the end.
mkdir "$WORK/tmp"
echo new | TMPDIR=$WORK/tmp batch > /dev/null || fail "a run without --temp-dir failed"
[ -z "$(ls -A "$WORK/tmp")" ] || fail "a run without --temp-dir left $(ls -A "$WORK/tmp")"
echo "ok"
