#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing) and builds it in Release.
# Used by run.sh and test.sh; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

# Build: compiler (clang too, for the sanitizer build of the tests and the fuzz harnesses), CMake,
# Ninja, Qt 6 (Widgets, Multimedia), GoogleTest, Google Benchmark.
# Tests: sox compares our WAV files with an independent reader; xvfb and xauth give the
# window a display when no desktop is running. TagLib names the ID3 genres; it brings zlib, with
# which the core checks compressed tag frames before TagLib reads them. Qt's translations
# give its own dialogs their Dutch texts. The toolbar and menu pictures come from the Adwaita
# icon theme and from SVG drawings of our own, which Qt draws through the SVG icon engine and
# image format plugins of libqt6svg6. The tests play and record through a private PulseAudio
# server. MP3 files are made and read by the lame coder; the tests read their tags with id3v2 and
# their frames with file, and python3 makes the hostile tags of the fault tests. The tests check
# the WAV file association the editor writes into a private XDG home with the desktop's own
# tools: desktop-file-validate and xdg-mime.
packages=(g++ clang cmake ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev
          libqt6svg6 adwaita-icon-theme qt6-translations-l10n
          libtag1-dev libgtest-dev libgmock-dev libbenchmark-dev sox xvfb xauth
          pulseaudio pulseaudio-utils lame id3v2 file python3 desktop-file-utils xdg-utils)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=${SONO_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSONO_WITH_QT=ON "$@" > /dev/null
ninja -C "$build_dir"
