#!/bin/bash
# showcase_music_stream.sh - the showcase's stream and music pages run
# headless: the streamed theme (packed at start) and the MIDI tune are each
# heard in the sink's WAVE file, a run playing both carries both, and the
# music page shows MidiEnded after the tune played once.
# Usage: bash showcase_music_stream.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
showcase="$build/showcase"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
source "$source_dir/tests/scripts/lib/check.sh"
export RU_BACKEND=headless RU_INSTANCE_KEY="showcase-music-$$"

frame_bytes=$((441 * 16 / 10 * 4))  # 16 ms of 16-bit stereo at 44100 Hz
# Non-zero bytes of the sink between two frames.
heard() {  # heard FILE FROM TO
  od -An -v -tx1 -j$((44 + $2 * frame_bytes)) -N$((($3 - $2) * frame_bytes)) "$1" | tr -d ' 0\n' | wc -c
}
run() {  # run NAME FRAMES, script lines on stdin
  cat > "$work/$1.txt"
  (cd "$build" && RU_SCRIPT="$work/$1.txt" RU_MAX_FRAMES=$2 RU_AUDIO_OUT="$work/$1.wav" \
     timeout 30 ./showcase 2> /dev/null)
}

# Left once: the stream page; 1 loops the theme.
printf '2 key LEFT\n4 key 1\n' | run stream 200
# Left twice: the music page; 1 loops the tune.
printf '2 key LEFT\n4 key LEFT\n6 key 1\n' | run music 200
# Both: the theme on the stream page, then the tune on the music page.
printf '2 key LEFT\n4 key 1\n6 key LEFT\n8 key 1\n' | run both 200

check "silence before the keys" 0 "$(heard "$work/both.wav" 0 3)"
check "the stream is heard" 1 "$(test "$(heard "$work/stream.wav" 10 200)" -gt 1000 && echo 1)"
check "the music is heard" 1 "$(test "$(heard "$work/music.wav" 10 200)" -gt 1000 && echo 1)"
cmp -s "$work/both.wav" "$work/stream.wav"
check "both differ from the stream alone" 1 $?
cmp -s "$work/both.wav" "$work/music.wav"
check "both differ from the music alone" 1 $?
printf '2 key LEFT\n4 key 1\n6 key LEFT\n8 key 1\n' | run again 200
cmp -s "$work/both.wav" "$work/again.wav"
check "a second run writes the same sound" 0 $?

# Without a SoundFont the music is silent, said once on stderr, and the run
# ends normally.
printf '2 key LEFT\n4 key LEFT\n6 key 1\n20 key 2\n' > "$work/nofont.txt"
(cd "$build" && RU_SCRIPT="$work/nofont.txt" RU_MAX_FRAMES=100 RU_AUDIO_OUT="$work/nofont.wav" \
   RU_SOUNDFONT=/nonexistent.sf2 timeout 30 ./showcase 2> "$work/nofont.err")
check "no SoundFont: exit 0" 0 $?
check "no SoundFont: one line said" 1 "$(grep -c SoundFont "$work/nofont.err")"
check "no SoundFont: silence" 0 "$(heard "$work/nofont.wav" 0 100)"

# The tune played once (2) ends after about 4 s: MidiEnded shows green.
printf '2 key LEFT\n4 key LEFT\n6 key 2\n400 capture %s\n' "$work/ended.bmp" | run once 400
check "MidiEnded after one pass" 00cb00 \
  "$(od -An -tx1 -j$((54 + (479 - 180) * 1920 + 40 * 3)) -N3 "$work/ended.bmp" | tr -d ' \n')"
finish
