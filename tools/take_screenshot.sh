#!/usr/bin/env bash
# take_screenshot.sh - plays a few moves of the game in a real window under
# Xvfb and saves the window as docs/screenshot.png.
# Usage: tools/take_screenshot.sh [BUILD_DIR]   (default: build/release)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
if [ -z "${RU_IN_XVFB:-}" ]; then
  exec xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1024x768x24" env RU_IN_XVFB=1 bash "$0" "$build"
fi
export LANG=C.UTF-8 RU_BACKEND=sdl RU_INSTANCE_KEY="screenshot-$$"
"$build/noughts" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --pid "$pid" --classname noughts 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "no window appeared" >&2; exit 1; }
eval "$(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {print "x0=" $4} /Absolute upper-left Y/ {print "y0=" $4}')"
xdotool mousemove $((x0 + 470)) $((y0 + 330))
xdotool windowfocus "$wid" 2>/dev/null || true
sleep 0.5
press() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep 0.12; }
# Player 1 fills the left column (one line: pt1=1) and takes the centre,
# player 2 answers on the right.
press Return
press Up; press space
press Left; press Return
press Right; press Right; press Down; press space
press Left; press Left; press Return
press Down; press Return
sleep 1
mkdir -p "$root/docs"
import -window "$wid" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
