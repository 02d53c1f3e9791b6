#!/usr/bin/env bash
# Do the tests notice a slip? Applies each slip of the list, one at a time, to a scratch copy of
# the working tree, rebuilds and runs the tests, and counts the slips they catch.
#   tests/mutation/run.sh [--all] [LIST]      (LIST defaults to tests/mutation/slips.txt)
#   --all   build with Qt too and run the whole ctest suite (batch scripts, window tests)
# A line of the list: FILE @@ TEXT @@ REPLACEMENT @@ NOTE, where TEXT occurs exactly once in
# FILE (a path from the top of the checkout). Lines starting with # and empty lines are skipped.
# The copy and its build folder stay in $SONO_MUTATION_DIR (default: a folder in /tmp), so the
# next run, and each slip, rebuilds only what changed.
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
all=0
if [ "${1:-}" = --all ]; then all=1; shift; fi
list=$(realpath "${1:-$repo/tests/mutation/slips.txt}")
work=${SONO_MUTATION_DIR:-${TMPDIR:-/tmp}/sonoplexer-mutation-$(id -u)}
tree=$work/tree
build=$work/build-core qt=OFF target=core_tests
if ((all)); then build=$work/build-all qt=ON target=all; fi

# Brings the copy in line with the working tree (committed or not). Only files whose content
# differs are copied, and they get a new time, so the build sees exactly those as changed.
sync_tree() {
    local files=$work/files
    git -C "$repo" -c core.quotePath=false ls-files -co --exclude-standard > "$files"
    while IFS= read -r f; do
        [ -f "$repo/$f" ] || continue
        cmp -s "$repo/$f" "$tree/$f" 2>/dev/null ||
            { mkdir -p "$(dirname "$tree/$f")" && cp "$repo/$f" "$tree/$f"; }
    done < "$files"
    (cd "$tree" && find . -type f -printf '%P\n') | { grep -vxFf "$files" || true; } |
        (cd "$tree" && xargs -r -d '\n' rm -f)
}

build_and_test() {
    nice -n 10 ninja -C "$build" "$target" > "$work/build.log" 2>&1 || return 99
    if ((all)); then
        (cd "$build" && timeout 1800 ctest --stop-on-failure) > "$work/test.log" 2>&1
    else
        timeout 600 "$build/tests/core_tests" --gtest_brief=1 --gtest_fail_fast > "$work/test.log" 2>&1
    fi
}

mkdir -p "$tree"
sync_tree
cmake -S "$tree" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONO_WITH_QT=$qt > /dev/null
echo "Building and testing the unchanged tree in $build ..."
if ! build_and_test; then
    echo "The unchanged tree does not pass its tests; see $work/build.log and $work/test.log." >&2
    exit 1
fi

current=""
restore() { if [ -n "$current" ]; then cp "$repo/$current" "$tree/$current"; current=""; fi; }
trap restore EXIT

caught=0 total=0 survivors=() bad=()
while IFS= read -r line || [ -n "$line" ]; do
    [[ -z "${line// }" || $line == \#* ]] && continue
    file=${line%% @@ *} rest=${line#* @@ }
    find=${rest%% @@ *} rest=${rest#* @@ }
    replace=${rest%% @@ *} note=${rest#* @@ }
    if [[ $line != *" @@ "*" @@ "*" @@ "* || ! -f $tree/$file || $find == "$replace" ]]; then
        bad+=("$line  (not FILE @@ TEXT @@ REPLACEMENT @@ NOTE, or no such file)"); continue
    fi
    count=$(FIND=$find perl -0777 -ne 'print scalar(() = /\Q$ENV{FIND}\E/g)' "$tree/$file")
    if [ "$count" != 1 ]; then
        bad+=("$line  (the text occurs $count times)"); continue
    fi
    current=$file
    FIND=$find REPL=$replace perl -0777 -pi -e 's/\Q$ENV{FIND}\E/$ENV{REPL}/' "$tree/$file"
    status=0
    build_and_test < /dev/null || status=$?
    restore
    if [ "$status" = 99 ]; then
        bad+=("$line  (does not build)")
    elif [ "$status" = 0 ]; then
        total=$((total + 1)) survivors+=("$file: $note")
        echo "survived  $file: $note"
    else
        total=$((total + 1)) caught=$((caught + 1))
        echo "caught    $file: $note"
    fi
done < "$list"

if ((${#bad[@]})); then
    printf '\nBad lines (not counted):\n'
    printf '  %s\n' "${bad[@]}"
fi
if ((${#survivors[@]})); then
    printf '\nSurvivors:\n'
    printf '  %s\n' "${survivors[@]}"
fi
echo
echo "caught $caught of $total"
