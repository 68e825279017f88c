#!/bin/bash
# rupack_draw.sh - the pack tool from the command line: build, list, check
# and extract a draw pack; an extracted picture packs to the same bytes;
# bad usage exits 2 and a broken pack exits 1 naming the broken entry.
# Usage: bash rupack_draw.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
rupack="$build/tools/rupack/rupack"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$source_dir/tests/scripts/lib/check.sh"
cd "$work"

# Two pictures from the game's bitmap under both name cases.
mkdir pics
cp "$source_dir/game/bmp/block.bmp" pics/Block.bmp
cp pics/Block.bmp pics/MARKS.bmp

"$rupack" draw build first.pak pics --fresh >built.txt
check "build exit" 0 $?
check "build lines" "BLOCK.BMP 80 40|MARKS.BMP 80 40" "$(paste -sd'|' built.txt)"
# Each entry: 4 size bytes, 10 name bytes, 80 x 40 x 2 pixel bytes.
check "list" "BLOCK.BMP 80 40 0|MARKS.BMP 80 40 6414" "$("$rupack" draw list first.pak | paste -sd'|')"
"$rupack" draw build first.pak pics >/dev/null
check "build appends" 25656 "$(stat -c %s first.pak)"
"$rupack" draw check first.pak >/dev/null
check "check a whole pack" 0 $?

# Extracting and packing again gives the same entries.
mkdir again
"$rupack" draw extract first.pak block.bmp again/BLOCK.BMP
check "extract exit" 0 $?
check "extract header" "424d" "$(head -c 2 again/BLOCK.BMP | od -An -tx1 | tr -d ' \n')"
cp again/BLOCK.BMP again/MARKS.BMP
"$rupack" draw build second.pak again --fresh >/dev/null
check "round trip bytes" same "$(cmp -s <(head -c 12828 first.pak) second.pak && echo same)"

# Usage errors exit 2; missing and broken files exit 1.
for args in "" "draw" "draw list" "draw build only.pak" "draw frobnicate x" "sound2 list x"; do
  "$rupack" $args >/dev/null 2>&1
  check "usage '$args'" 2 $?
done
"$rupack" --help | grep -q "rupack draw build"
check "help" 0 $?
"$rupack" draw list missing.pak 2>/dev/null
check "missing pack" 1 $?
"$rupack" draw extract first.pak NOPE.BMP out.bmp 2>/dev/null
check "missing entry" 1 $?
head -c 6500 first.pak >broken.pak
message=$("$rupack" draw check broken.pak 2>&1)
check "broken pack" 1 $?
check "broken entry named" 1 "$(echo "$message" | grep -c 'offset 6414.*MARKS.BMP')"
finish
