#!/usr/bin/env bash
# `cmake --install` into a staging folder puts every file where a Linux desktop looks for it, and
# the installed program finds its shipped files.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
prefix="$stage/my programs"
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL cmake --install"; exit 1; }
failed=0
for file in bin/sonoplexer bin/snapler \
    share/applications/sonoplexer.desktop \
    share/icons/hicolor/scalable/apps/sonoplexer.svg \
    share/icons/hicolor/16x16/apps/sonoplexer.png \
    share/icons/hicolor/48x48/apps/sonoplexer.png \
    share/icons/hicolor/256x256/apps/sonoplexer.png \
    share/sonoplexer/snail.gif share/sonoplexer/audio.sta share/sonoplexer/mover.gif \
    share/sonoplexer/help/en/index.html share/sonoplexer/help/nl/index.html \
    share/sonoplexer/help/en/window.png share/sonoplexer/help/nl/venster.png; do
    [ -f "$prefix/$file" ] || { echo "FAIL missing $file"; failed=1; }
done
for file in make-pictures.py make-snail.py README; do
    [ -e "$prefix/share/sonoplexer/$file" ] && { echo "FAIL installed $file"; failed=1; }
done
# The sibling player stands beside the editor, where the editor and the desktop's "Play Sound"
# action look for it, in the build tree too.
[ -x "$build/src/app/snapler" ] || { echo "FAIL no player beside the built editor"; failed=1; }
entry="$prefix/share/applications/sonoplexer.desktop"
desktop-file-validate "$entry" || failed=1
# The entry starts the installed program, whose folder name holds a blank.
grep -qx "Exec=\"$prefix/bin/sonoplexer\" %f" "$entry" || { echo "FAIL Exec:"; grep Exec "$entry"; failed=1; }
grep -qx "MimeType=audio/x-wav;audio/wav;" "$entry" || { echo "FAIL MimeType"; failed=1; }
# Every file the install wrote is listed for uninstalling.
grep -qx "$entry" "$build/install_manifest.txt" || { echo "FAIL entry not in the manifest"; failed=1; }
# The installed program reads its pictures from <prefix>/share/sonoplexer: the Space style
# (a tiled picture and a planet) draws the same as from the build tree.
render() { # EXECUTABLE BMP
    printf 'new\nrender %s 300 120 4\n' "$2" |
        "$1" --batch - --settings-dir "$stage/settings" >/dev/null 2>&1
}
render "$prefix/bin/sonoplexer" "$stage/installed.bmp"
render "$build/src/app/sonoplexer" "$stage/built.bmp"
[ -s "$stage/built.bmp" ] || { echo "FAIL nothing drawn"; failed=1; }
cmp -s "$stage/installed.bmp" "$stage/built.bmp" || { echo "FAIL the installed program draws otherwise"; failed=1; }
exit $failed
