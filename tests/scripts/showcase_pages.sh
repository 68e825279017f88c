#!/bin/bash
# showcase_pages.sh - the showcase's wipe and story pages run headless: the
# wipe hides the picture but not the text, the story is typed out and then
# shown smoothed, and S saves the frame as screenshot.bmp in the program
# folder (16-bit channels shifted up by 3, 58-byte header).
# Usage: bash showcase_pages.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
showcase="$build/showcase"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export RU_BACKEND=headless
export RU_INSTANCE_KEY="showcase-pages-$$"
source "$(dirname "$0")/lib/check.sh"

cat > "$work/pages.txt" <<TXT
3 key LEFT
6 key LEFT
9 key LEFT
12 key LEFT
15 key LEFT
150 capture $work/typing.bmp
500 capture $work/story.bmp
501 key S
503 key LEFT
543 capture $work/wipe.bmp
550 answer yes
550 key ESCAPE
TXT
rm -f "$build/screenshot.bmp"
(cd "$work" && RU_SCRIPT="$work/pages.txt" timeout 30 "$showcase" 2>"$work/run.err")
check "the run ends with exit 0" 0 $?
# Left five times from the first page: the story page (the sound, joystick,
# music and stream pages come last).
# Story page: the lower box is empty while typing, smoothed text after.
check "typing: lower box still empty" 1 \
  "$(convert "$work/typing.bmp" -crop 580x160+30+280 -unique-colors txt: | grep -vc '^#')"
check "typed: lower box has text" 1 \
  "$(test "$(convert "$work/story.bmp" -crop 580x160+30+280 -format %k info:)" -gt 10 && echo 1)"
# The screenshot is the story frame at 16 bits: dark blue 96 stays 96.
check "screenshot size" 921658 "$(stat -c %s "$build/screenshot.bmp" 2>/dev/null)"
check "screenshot box colour" 600000 "$(pixel "$build/screenshot.bmp" 300 440 58)"
# Wipe page 40 frames in: pattern 1 closing from the top hides the top rows
# of the tiles while the title stays.
check "wipe hides the top" 000000 "$(pixel "$work/wipe.bmp" 300 150)"
check "wipe keeps the bottom" 1 \
  "$(test "$(convert "$work/wipe.bmp" -crop 640x40+0+430 -format %k info:)" -gt 2 && echo 1)"
finish
