#!/usr/bin/env bash
# window_sound.sh - the desktop sound output under Xvfb through SDL's disk
# audio driver, which writes what the device would play: the showcase's
# sound page played with real key presses is heard in that file; with
# RU_AUDIO=none the program runs silently and opens no device.
# Usage: window_sound.sh BUILD_DIR. Exits 77 (skipped) without the X tools.
set -u
build=$(cd "${1:?usage: window_sound.sh BUILD_DIR}" && pwd)
source "$(dirname "$0")/lib/xvfb.sh"
in_xvfb "xvfb xdotool x11-utils" "xvfb-run xdotool xwininfo" "$@"
source "$(dirname "$0")/lib/check.sh"

export LANG=C.UTF-8 RU_BACKEND=sdl RU_INSTANCE_KEY="window-sound-$$" SDL_AUDIODRIVER=disk
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

# Runs the showcase for about 4 s; on its sound page (Left four times from page 1)
# presses 1 (blip) and 3 (the looping sweep) once the window is up.
run() {  # run DISKFILE [env...]
  local disk=$1
  shift
  (cd "$build" && env SDL_DISKAUDIOFILE="$disk" RU_MAX_FRAMES=300 "$@" ./showcase \
     > "$work/run.log" 2>&1) &
  local pid=$! wid=""
  for _ in $(seq 100); do
    wid=$(xdotool search --pid "$pid" --classname showcase 2>/dev/null | tail -1)
    [ -n "$wid" ] && xwininfo -id "$wid" 2>/dev/null | grep -q IsViewable && break
    wid=""
    sleep 0.1
  done
  if [ -n "$wid" ]; then
    # Keyboard focus without a window manager: point into the window, focus
    # it; each key is held for a few frames (keys are polled once a frame).
    eval "$(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {print "x0=" $4} /Absolute upper-left Y/ {print "y0=" $4}')"
    xdotool mousemove $((x0 + 600)) $((y0 + 440))
    xdotool windowfocus "$wid" 2>/dev/null
    sleep 0.5
    for key in Left Left Left Left 1 3; do
      xdotool keydown "$key"
      sleep 0.15
      xdotool keyup "$key"
      sleep 0.2
    done
  fi
  wait "$pid"
}

run "$work/disk.raw"
check "the showcase runs in the window and exits 0" 0 $?
size=$(stat -c %s "$work/disk.raw" 2>/dev/null || echo 0)
check "the device was fed" yes "$([ "$size" -gt 100000 ] && echo yes || echo no)"
# 16-bit stereo 22050 Hz: loud samples exist once the keys were pressed.
loud=$(od -An -v -td2 -w2 "$work/disk.raw" 2>/dev/null | awk '$1 > 4000 || $1 < -4000' | wc -l)
check "the blip and the sweep are heard" yes "$([ "$loud" -gt 1000 ] && echo yes || echo no)"

run "$work/none.raw" RU_AUDIO=none
check "without a device the showcase still runs and exits 0" 0 $?
check "no device was opened" no "$([ -e "$work/none.raw" ] && echo yes || echo no)"
finish
