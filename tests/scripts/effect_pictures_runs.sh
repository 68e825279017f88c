#!/bin/bash
# effect_pictures_runs.sh - the effects showcase run headless through
# tools/effect_pictures.py at 5-6-5 and 5-5-5: every picture is written,
# the layouts give different pictures, smoothing shows, and a second run
# writes the same bytes.
# Usage: bash effect_pictures_runs.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
tool="$(cd "$(dirname "$0")/../../tools" && pwd)/effect_pictures.py"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/lib/check.sh"

for depth in 16 15; do
  RU_DEPTH=$depth python3 "$tool" "$build" "$work/a$depth" > /dev/null 2> "$work/err"
  check "$depth: the run ends with exit 0" 0 $?
  check "$depth: every picture written" 50 "$(ls "$work/a$depth" | grep -c '\.png$')"
done
RU_DEPTH=16 python3 "$tool" "$build" "$work/again" > /dev/null 2>> "$work/err"
diff -r "$work/a16" "$work/again" > /dev/null
check "a second run writes the same pictures" 0 $?
# The two layouts round differently, so their pictures differ.
cmp -s "$work/a16/alpha.png" "$work/a15/alpha.png"
check "5-6-5 and 5-5-5 pictures differ" 1 $?
# A tile with an effect is not a plain copy of its neighbour's backdrop.
cmp -s "$work/a16/smooth.png" "$work/a16/unsmoothed.png"
check "smoothing changes the outline" 1 $?
finish
