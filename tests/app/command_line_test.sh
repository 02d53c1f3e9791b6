#!/usr/bin/env bash
# --version and --help answer on standard output and exit 0; an option the program does not know
# is refused with the usage on standard error and exit status 2, and opens nothing.
# Usage: command_line_test.sh SONOPLEXER
set -u
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
check() { # WHAT EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
        failed=1
    fi
}
run() { # ARGS...: sets out, err, status
    "$exe" "$@" >"$work/out" 2>"$work/err" </dev/null
    status=$?
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

run --version
check "--version prints" "Sonoplexer 1.6" "$out"
check "--version status" "0 " "$status $err"

run --help
check "--help status" "0 " "$status $err"
for option in --batch --settings-dir --temp-dir --help --version --; do
    grep -q -- "^ *$option\b\|, $option\b" "$work/out" || check "--help lists $option" listed missing
done

# No display is needed to be refused: nothing starts.
for word in -odd.wav --bogus; do
    DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM= run "$word"
    check "$word status" 2 "$status"
    check "$word stdout" "" "$out"
    check "$word message" "sonoplexer: unknown option $word" "$(head -n 1 "$work/err")"
    grep -q '^usage: sonoplexer' "$work/err" || check "$word usage on stderr" usage missing
done

# After --, a name starting with a dash is a file: the window opens it and lists it among the
# recent files. The window runs offscreen with a temporary folder of its own.
export TMPDIR=$work
mkdir -p "$work/sounds"
printf 'new\nsave-as %s\n' "$work/sounds/-odd.wav" |
    "$exe" --batch - --settings-dir "$work/made" >/dev/null 2>&1
cd "$work/sounds"
QT_QPA_PLATFORM=offscreen "$exe" --settings-dir "$work/settings" -- -odd.wav >/dev/null 2>&1 &
window=$!
opened=no
for _ in $(seq 1 100); do
    if grep -q -- "-odd.wav" "$work/settings/audio.dat" 2>/dev/null; then opened=yes; break; fi
    sleep 0.1
done
kill $window 2>/dev/null
wait $window 2>/dev/null
check "-- -odd.wav opened" yes "$opened"
exit $failed
