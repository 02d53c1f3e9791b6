#!/usr/bin/env bash
# Faults a user's machine throws at the program: a file-size limit, a save killed part-way, links
# planted under work-file names, odd settings files, long names, targets that must not be
# replaced and an MP3 tag that unpacks to gigabytes. None may lose the sound or leave a stray file.
#   faults_test.sh SONOPLEXER
set -euo pipefail
program=$(realpath "$1")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cd "$WORK"
mkdir -m 700 temp
batch() { timeout 60 "$program" --batch - --settings-dir "$WORK/settings" --temp-dir "$WORK/temp"; }
raw() { sox "$1" -t raw - | md5sum; }
sox -D -n -r 44100 -b 16 -c 2 big.wav synth 6 sine 440 sine 660
sox -D -n -r 8000 -b 16 -c 1 small.wav synth 0.1 sine 300

# Past the file-size limit (1 MB) no snapshot of the 60-second sound (10 MB) can be written: each
# is kept in memory instead, so every edit goes through and every level can be reached again.
# A save fails, says why and leaves nothing.
sox -D -n -r 44100 -b 16 -c 2 long.wav synth 60 sine 440 sine 660
before=$(printf 'open %s\nprint samples 100000 100003\n' "$WORK/long.wav" | batch | grep samples)
out=$( (ulimit -f 1000 && printf '%s\n' "open $WORK/long.wav" "select all" "volume 50 50" \
    "select 0 8000" copy "select 100001 100001" paste "print samples 100000 100003" \
    undo undo "print samples 100000 100003" redo redo "print samples 100000 100003" undo undo \
    "print levels" "save-as $WORK/limited.wav" | batch) ) || fail "the run under a size limit ended badly"
samples=$(grep "^samples" <<< "$out") || true
[ "$(sed -n 2p <<< "$samples")" = "$before" ] || fail "undo under a size limit: $out"
[ "$(sed -n 1p <<< "$samples")" = "$(sed -n 3p <<< "$samples")" ] && [ "$before" != "$(sed -n 1p <<< "$samples")" ] ||
    fail "redo under a size limit: $out"
grep -q "^levels: 0 2" <<< "$out" || fail "levels under a size limit: $out"
! grep -q "undo data" <<< "$out" || fail "an undo level out of reach: $out"
grep -qF "not been saved caused by an unknown problem.\\r\\rThe file would be larger than is allowed." \
    <<< "$out" || fail "a failed save without its cause: $out"
[ "$(ls -A)" = "$(printf 'big.wav\nlong.wav\nsettings\nsmall.wav\ntemp')" ] || fail "left behind: $(ls -A)"
[ -z "$(ls -A temp)" ] || fail "work files left behind: $(ls -A temp)"

# A save killed at any moment leaves the old file or the new one, and nothing else but, when the
# kill falls between naming the new file and renaming it over the target, that hidden file, which
# the next save in the folder removes. A run takes some 50 ms here, the save of 10 MB the last 20
# of them.
cp small.wav target.wav
old=$(raw small.wav) new=$(raw long.wav)
for delay in $(seq 0.02 0.005 0.08); do
    printf 'open %s\nsave-as %s\nanswer yes\n' "$WORK/long.wav" "$WORK/target.wav" |
        timeout -s KILL "$delay" "$program" --batch - --settings-dir settings --temp-dir "$WORK/temp" \
        > /dev/null 2>&1 || true
    now=$(raw target.wav)
    [ "$now" = "$old" ] || [ "$now" = "$new" ] || fail "a killed save left a broken file"
    stray=$(ls -A | grep -v '^\(big\|small\|long\|target\).wav$\|^settings$\|^temp$' |
        grep -v '^\.sonoplexer-[0-9]*-[0-9A-Za-z]*\.part$' || true)
    [ -z "$stray" ] || fail "a killed save left $stray"
    rm -f temp/*
done
# The hidden file of a save whose process is gone goes at the next save; one of a live process
# stays.
gone=$(sh -c 'echo $$')
touch ".sonoplexer-$gone-0.part" ".sonoplexer-$$-0.part"
printf 'open %s\nsave-as %s\nanswer yes\n' "$WORK/small.wav" "$WORK/target.wav" | batch > /dev/null
[ "$(ls -A | grep '\.part$')" = ".sonoplexer-$$-0.part" ] ||
    fail "hidden partial files after a save: $(ls -A | grep '\.part$')"
rm ".sonoplexer-$$-0.part" long.wav
cp big.wav target.wav
new=$(raw big.wav)

# Links planted under the names of work files are replaced, never written through.
echo "precious" > victim
ln -s "$WORK/victim" "temp/Sonoplexer UndoData 0.dat"
ln -s "$WORK/victim" "temp/%\$&©®.dat"
printf 'open %s\nselect all\ncopy\nreverse\nundo\n' "$WORK/small.wav" | batch > /dev/null
[ "$(cat victim)" = "precious" ] || fail "a work file was written through a link"

# Settings files that are not regular files give the defaults and never hang or abort a start.
for odd in folder fifo zero; do
    rm -rf settings && mkdir settings
    case $odd in
    folder) mkdir settings/audio.dat settings/quality.dat ;;
    fifo) mkfifo settings/audio.dat settings/quality.dat ;;
    zero) ln -s /dev/zero settings/audio.dat && ln -s /dev/zero settings/quality.dat ;;
    esac
    out=$(echo "print panels" | batch) || fail "a start with audio.dat as a $odd failed"
    grep -q "^panel1: Welcome to Sonoplexer" <<< "$out" || fail "audio.dat as a $odd: $out"
done

# A name of 252 bytes, as long as the file system allows less a few, opens and saves.
long=$(printf 'x%.0s' $(seq 248)).wav
cp small.wav "$long"
out=$(printf 'open %s\nreverse\nsave\n' "$WORK/$long" | batch)
grep -q "^status: The sound has been saved" <<< "$out" || fail "a long name could not be saved: $out"

# Targets that must not be replaced: a read-only file and a FIFO are refused, say why and stay as
# they were. A file with another hard link is replaced by the new file: the other name keeps the
# old sound whole, also when the new one cannot be written (here past a size limit), and an MP3
# export treats it the same way.
cp small.wav readonly.wav && chmod 444 readonly.wav
mkfifo pipe.wav
ln target.wav other-name.wav
for target in readonly.wav pipe.wav; do
    printf 'open %s\nsave-as %s\nanswer yes\n' "$WORK/big.wav" "$WORK/$target" | batch > "$target.out"
done
grep -q "has not been saved.*You may not write here" readonly.wav.out && [ "$(raw readonly.wav)" = "$old" ] ||
    fail "a read-only file was replaced: $(cat readonly.wav.out)"
grep -q "has not been saved.*something other than a plain file" pipe.wav.out && [ -p pipe.wav ] ||
    fail "a FIFO was replaced: $(cat pipe.wav.out)"
(ulimit -f 100 && printf 'open %s\nsave-as %s\nanswer yes\n' "$WORK/long.wav" "$WORK/target.wav" | batch > /dev/null)
[ "$(raw target.wav)" = "$new" ] && [ "$(raw other-name.wav)" = "$new" ] ||
    fail "a failed save cut a hard-linked file"
printf 'open %s\nsave-as %s\nanswer yes\n' "$WORK/small.wav" "$WORK/target.wav" | batch > /dev/null
[ "$(raw target.wav)" = "$old" ] && [ "$(raw other-name.wav)" = "$new" ] &&
    [ "$(stat -c %h other-name.wav)" = 1 ] || fail "a save wrote into a hard-linked file"
printf 'open %s\nexport-mp3 %s 64 joint\n' "$WORK/small.wav" "$WORK/first.mp3" | batch > /dev/null
ln first.mp3 second.mp3
kept=$(md5sum < second.mp3)
printf 'open %s\nexport-mp3 %s 64 joint\n' "$WORK/big.wav" "$WORK/first.mp3" | batch > /dev/null
[ "$(md5sum < second.mp3)" = "$kept" ] && [ "$(md5sum < first.mp3)" != "$kept" ] ||
    fail "an export wrote into a hard-linked file"

# An export killed half-way takes the coder with it; its partial file goes at the next export.
# The kill comes once the coder has started writing, however slowly the machine opens the sound.
sox -D -n -r 44100 -b 16 -c 2 minutes.wav synth 240 sine 440 sine 660
printf 'open %s\nexport-mp3 %s 64 joint\n' "$WORK/minutes.wav" "$WORK/killed.mp3" > export.script
"$program" --batch export.script --settings-dir settings --temp-dir "$WORK/temp" > /dev/null 2>&1 &
exporter=$!
for _ in $(seq 600); do
    [ -n "$(find . -maxdepth 1 -name '.sonoplexer-*.part' -size +0)" ] && break
    sleep 0.05
done
kill -KILL "$exporter" 2> /dev/null || fail "the export ended before it could be killed"
wait "$exporter" 2> /dev/null || true
sleep 0.2
! pgrep -f "lame.*$WORK" > /dev/null || fail "the coder outlived the program"
rm -f temp/*
[ -n "$(ls -A | grep '^\.sonoplexer-.*\.part$')" ] || fail "no export was killed half-way"
printf 'open %s\nexport-mp3 %s 64 joint\n' "$WORK/small.wav" "$WORK/killed.mp3" | batch > /dev/null
[ -z "$(ls -A | grep '\.part$')" ] || fail "partial files after an export: $(ls -A | grep '\.part$')"

# An MP3 file of a few megabytes whose tag holds, behind an artist, a compressed comment that
# unpacks to 1.5 GB of zeros opens within 1 GB of memory (an import takes under 100 MB), without
# the tag's fields; the same file without the comment gives the artist. The address sanitizer
# needs more address space than that: there the limit is on the memory in use.
lame --quiet small.wav tone.mp3
python3 -c '
import struct, zlib
def frame(name, flags, data): return name + struct.pack(">IH", len(data), flags) + data
def write(name, frames):
    size = bytes(len(frames) >> shift & 0x7F for shift in (21, 14, 7, 0))
    open(name, "wb").write(b"ID3\3\0\0" + size + frames + open("tone.mp3", "rb").read())
packer, megabyte = zlib.compressobj(1), bytes(1 << 20)
comment = packer.compress(b"\0eng\0") + b"".join(packer.compress(megabyte) for _ in range(1500))
comment += packer.flush()
artist = frame(b"TPE1", 0, b"\0Someone")
write("artist.mp3", artist)
write("bomb.mp3", artist + frame(b"COMM", 0x80, struct.pack(">I", 5 + (1500 << 20)) + comment))
'
out=$(printf 'import-mp3 %s\nprint info\n' "$WORK/artist.mp3" | batch)
grep -q "^info IART: Someone" <<< "$out" || fail "the artist of a tag was not read: $out"
limited() {
    if grep -q __asan_init "$program"; then
        ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}hard_rss_limit_mb=1024 batch
    else
        (ulimit -v 1048576 && batch)
    fi
}
out=$(printf 'import-mp3 %s\nprint count\nprint info\n' "$WORK/bomb.mp3" | limited 2>&1) ||
    fail "the import of a tag that unpacks to 1.5 GB ended badly: $out"
grep -q "^status: The file has been opened" <<< "$out" && grep -q "^count: [1-9]" <<< "$out" ||
    fail "an MP3 file with a tag that unpacks to 1.5 GB was not opened: $out"
grep -q "^info IART" <<< "$out" && fail "the fields of a tag too large to read were read: $out"
echo ok
