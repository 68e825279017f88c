#!/bin/bash
# showcase_runs.sh - the showcase program run headless with a script: it
# turns its pages, goes to the second scene through a question and back
# through a notice, and exits 0; the captured frames hold its drawings,
# scene 2 returns by itself after 10 s, and a second run captures the same
# bytes.
# Usage: bash showcase_runs.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
showcase="$build/showcase"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export RU_BACKEND=headless
export RU_INSTANCE_KEY="showcase-runs-$$"

source "$(dirname "$0")/lib/check.sh"

cat > "$work/tour.txt" <<TXT
3 capture $work/sprites.bmp
4 key RIGHT
8 capture $work/shapes.bmp
9 key RIGHT
13 key RIGHT
20 answer yes
20 key RETURN
24 capture $work/scene2.bmp
26 answer ok
26 key SPACE
27 move 500 420
28 ldown
29 lup
29 move 560 440
30 capture $work/back.bmp
40 answer yes
40 key ESCAPE
TXT
(cd "$work" && RU_SCRIPT="$work/tour.txt" timeout 20 "$showcase" 2> "$work/run.err")
check "the tour ends with exit 0" 0 $?
for f in sprites shapes scene2 back; do
  check "$f captured" 921654 "$(stat -c %s "$work/$f.bmp" 2>/dev/null)"
done
grep -q '場面 2 へ進みますか？ -> yes' "$work/run.err"
check "the question is asked" 0 $?
grep -q '場面 1 に戻ります -> ok' "$work/run.err"
check "the notice is shown" 0 $?
grep -q '終了しますか？ -> yes' "$work/run.err"
check "Esc asks to quit" 0 $?
grep -q 'nothing was presented' "$work/run.err"
check "every capture had a frame" 1 $?

# The block bitmap beside the program is loaded: a mark's red ring.
check "the block bitmap is drawn keyed" 4261ff "$(pixel "$work/sprites.bmp" 25 100)"
check "the block bitmap is drawn unkeyed" 4261ff "$(pixel "$work/sprites.bmp" 125 100)"
check "the colour key lets the grey through" 636163 "$(pixel "$work/sprites.bmp" 21 81)"
check "the unkeyed copy covers it" 000000 "$(pixel "$work/sprites.bmp" 121 81)"
check "the clip window holds the tiles" 000000 "$(pixel "$work/sprites.bmp" 310 300)"
check "white rectangle" ffffff "$(pixel "$work/shapes.bmp" 545 205)"
check "black frame on white" 000000,ffffff \
  "$(pixel "$work/shapes.bmp" 425 300),$(pixel "$work/shapes.bmp" 430 300)"
check "half-mixed rectangle (red and white)" 7b7df7 "$(pixel "$work/shapes.bmp" 100 400)"
check "inverted box (blue to yellow)" 00ffff "$(pixel "$work/shapes.bmp" 400 400)"
check "scene 2 is white" ffffff "$(pixel "$work/scene2.bmp" 600 400)"
check "back in scene 1 (black)" 000000 "$(pixel "$work/back.bmp" 600 400)"
check "the click left its marker" 00cb00 "$(pixel "$work/back.bmp" 500 420)"
check "the cross-hair follows the mouse" ffffff,ffffff \
  "$(pixel "$work/back.bmp" 555 440),$(pixel "$work/back.bmp" 560 435)"

# Scene 2 goes back by itself 10 s after its first frame (frames of 16 ms):
# still there at frame 600, back in scene 1 at frame 650, and a second visit
# counts its 10 s afresh.
cat > "$work/auto.txt" <<TXT
4 key RIGHT
6 key RIGHT
8 key RIGHT
10 answer yes
10 key RETURN
600 capture $work/a600.bmp
650 capture $work/a650.bmp
660 answer yes
660 key RETURN
1200 capture $work/a1200.bmp
TXT
(cd "$work" && RU_SCRIPT="$work/auto.txt" RU_MAX_FRAMES=1200 timeout 30 "$showcase" 2> /dev/null)
check "the timed return runs to its frame limit" 0 $?
check "scene 2 before its 10 s" ffffff "$(pixel "$work/a600.bmp" 600 400)"
check "scene 1 after them" 000000 "$(pixel "$work/a650.bmp" 600 400)"
check "a second visit starts its own 10 s" ffffff "$(pixel "$work/a1200.bmp" 600 400)"

# The joystick page (Left three times from the first page), frames of 100
# ms: joystick 0 is calibrated at rest by screen set-up, held right with
# button 1 from frame 7 and released at frame 12, so by frame 13 lever X has
# sprung back from 100 to 60 and the charge has grown to 35; joystick 1 is
# absent.
cat > "$work/joy.txt" <<TXT
1 joy 0 32767 32767
2 key LEFT
4 key LEFT
6 key LEFT
7 joy 0 65535 32767 0x1
12 joy 0 32767 32767 0x1
13 capture $work/joy.bmp
TXT
(cd "$work" && RU_SCRIPT="$work/joy.txt" RU_FRAME_MS=100 RU_MAX_FRAMES=13 timeout 20 "$showcase")
check "lever X at 60, charge 1 at 35, lever 1 at 0" 00cb00,000000,00ffff,000000,000000 \
  "$(for xy in "175 160" "185 160" "150 198" "160 198" "450 160"; do
       printf '%s,' "$(pixel "$work/joy.bmp" $xy)"; done | sed 's/,$//')"

# The sound page (Left four times from the first page): the blip, the chord and the looping sweep are heard in the
# WAVE file the sink writes (16-bit stereo 44100 Hz, 16 ms a frame), silence
# before the first key, the same bytes on a second run.
cat > "$work/sound.txt" <<TXT
2 key LEFT
4 key LEFT
6 key LEFT
8 key LEFT
10 key 1
12 key 2
14 key 3
20 move 600 200
40 key P
TXT
for run in 1 2; do
  (cd "$work" && RU_SCRIPT="$work/sound.txt" RU_MAX_FRAMES=60 RU_AUDIO_OUT="$work/sound$run.wav" \
     timeout 20 "$showcase" 2> /dev/null)
done
check "the sound run writes 60 frames of 16-bit stereo" $((44 + 60 * 16 * 441 / 10 * 4)) \
  "$(stat -c %s "$work/sound1.wav" 2>/dev/null)"
check "the header says PCM, 2 channels, 44100 Hz" "0100 0200 44ac 0000" \
  "$(od -An -tx1 -j20 -N8 "$work/sound1.wav" | sed 's/ \(..\) \(..\)/ \1\2/g; s/^ //')"
check "silence before the first key" "" \
  "$(od -An -v -tx1 -j44 -N$((9 * 705 * 4)) "$work/sound1.wav" | tr -d ' 0\n')"
test -n "$(od -An -v -tx1 -j$((44 + 11 * 705 * 4)) -N$((4 * 705 * 4)) "$work/sound1.wav" | tr -d ' 0\n')"
check "the blip is heard after it" 0 $?
cmp -s "$work/sound1.wav" "$work/sound2.wav"
check "a second run writes the same sound" 0 $?

cp "$work/shapes.bmp" "$work/first.bmp"
(cd "$work" && RU_SCRIPT="$work/tour.txt" timeout 20 "$showcase" 2> /dev/null)
cmp -s "$work/first.bmp" "$work/shapes.bmp"
check "a second run captures the same bytes" 0 $?

finish
