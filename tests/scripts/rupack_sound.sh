#!/bin/bash
# rupack_sound.sh - the pack tool's sound commands: build, list, check and
# extract a sound pack; extracted sounds pack to the same bytes; a file that
# is no WAVE still gets its empty entry; a broken pack exits 1 naming the
# broken entry.
# Usage: bash rupack_sound.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
rupack="$build/tools/rupack/rupack"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$source_dir/tests/scripts/lib/check.sh"
cd "$work"

mkdir wavs
cp "$source_dir/tools/samples/wav/blip.wav" wavs/Blip.wav
cp "$source_dir/tools/samples/wav/chord.wav" wavs/CHORD.WAV

"$rupack" sound build first.pak wavs --fresh >built.txt
check "build exit" 0 $?
check "build lines" "BLIP.WAV 1323|CHORD.WAV 88200" "$(paste -sd'|' built.txt)"
# Each entry: 4 + 9 name bytes + 4 + 18 format bytes + data.
check "list" "BLIP.WAV tag1/1ch/11025Hz/8bit 0.120 0|CHORD.WAV tag1/2ch/22050Hz/16bit 1.000 1358" \
  "$("$rupack" sound list first.pak | paste -sd'|')"
"$rupack" sound check first.pak >/dev/null
check "check a whole pack" 0 $?

# Extracting and packing again gives the same bytes.
mkdir again
"$rupack" sound extract first.pak blip.wav again/BLIP.WAV
check "extract exit" 0 $?
"$rupack" sound extract first.pak Chord.Wav again/CHORD.WAV
"$rupack" sound build second.pak again --fresh >/dev/null
check "round trip bytes" same "$(cmp -s first.pak second.pak && echo same)"
"$rupack" sound build second.pak again >/dev/null
check "build appends" $((2 * $(stat -c %s first.pak))) "$(stat -c %s second.pak)"

# A file that is no WAVE: an empty entry, reported, exit 1.
echo "not a sound" >wavs/junk.wav
"$rupack" sound build third.pak wavs --fresh >/dev/null 2>&1
check "unreadable file exit" 1 $?
check "empty entry" "JUNK.WAV tag0/0ch/0Hz/0bit 0.000 89594" \
  "$("$rupack" sound list third.pak | tail -1)"

for args in "sound" "sound list" "sound build only.pak" "sound extract a b" "sound frobnicate x"; do
  "$rupack" $args >/dev/null 2>&1
  check "usage '$args'" 2 $?
done
"$rupack" sound extract first.pak NOPE.WAV out.wav 2>/dev/null
check "missing entry" 1 $?
head -c 2000 first.pak >broken.pak
message=$("$rupack" sound check broken.pak 2>&1)
check "broken pack" 1 $?
check "broken entry named" 1 "$(echo "$message" | grep -c 'offset 1358.*CHORD.WAV')"
finish
