#!/usr/bin/env bash
# window_game.sh - the game in a real window under Xvfb: caption and client
# size, a second instance exiting 0 and raising the first, the pointer's
# marker, a real Return press placing a mark, the close box and Esc + はい
# (by key or click) ending with exit 0, a whole game to the result scene.
# Usage: window_game.sh BUILD_DIR. Exits 77 (skipped) without the X tools.
set -u
build=$(cd "${1:?usage: window_game.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib/xvfb.sh"
in_xvfb "xvfb xdotool x11-utils imagemagick" "xvfb-run xdotool xwininfo xprop import convert python3" "$@"

export LANG=C.UTF-8 RU_BACKEND=sdl RU_INSTANCE_KEY="window-test-$$"
exe="$build/noughts"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Sets $wid to the game's shown window (the renderer may open and drop a
# probe window first); empty if none appears within 10 s or the game fell
# back to running headless.
find_window() {
  wid=""
  for _ in $(seq 100); do
    for w in $(xdotool search --pid "$pid" --classname noughts 2>/dev/null); do
      if xwininfo -id "$w" 2>/dev/null | grep -q "IsViewable"; then wid=$w; fi
    done
    [ -n "$wid" ] && return
    grep -q "running headless" "$work/game.log" && return
    sleep 0.1
  done
}

# Starts the game; sets $pid and $wid (its window), or fails the run. A
# start that could not reach the X server (still starting, or busy) is
# tried again.
start_game() {
  for attempt in 1 2 3; do
    for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.2; done
    "$exe" >"$work/game.log" 2>&1 &
    pid=$!
    find_window
    [ -n "$wid" ] && break
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  if [ -z "$wid" ]; then
    echo "FAIL: no window appeared"; cat "$work/game.log"; exit 1
  fi
  # Keyboard focus: point into the window and focus it (no window manager).
  eval "$(xwininfo -id "$wid" | awk '/Absolute upper-left X/ {print "x0=" $4} /Absolute upper-left Y/ {print "y0=" $4}')"
  xdotool mousemove $((x0 + 600)) $((y0 + 440))
  xdotool windowfocus "$wid" 2>/dev/null
  sleep 0.5
}

# Waits up to 10 s for the game to end; sets $code to its exit code, or
# "running".
wait_exit() {
  code=running
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; code=$?; return; fi
    sleep 0.1
  done
}

# A key held for a few frames: the game polls key states once per frame.
press() {
  xdotool keydown "$1"
  sleep 0.15
  xdotool keyup "$1"
}

# "R G B" of the screen pixel at client coordinates (x, y).
pixel() {
  import -window root "$work/shot.png"
  convert "$work/shot.png" -format \
    "%[fx:int(255*p{$((x0 + $1)),$((y0 + $2))}.r)] %[fx:int(255*p{$((x0 + $1)),$((y0 + $2))}.g)] %[fx:int(255*p{$((x0 + $1)),$((y0 + $2))}.b)]" info:
}
is_ring() { read -r r g b <<<"$1"; [ "$r" -gt 200 ] && [ "$g" -lt 160 ] && [ "$b" -lt 120 ]; }

# Brightest channel value (0-255) in the w x h block at client (x, y) of the
# last screenshot.
block_max() {
  convert "$work/shot.png" -crop "$3x$4+$((x0 + $1))+$((y0 + $2))" +repage \
    -format "%[fx:int(255*maxima)]" info:
}

# Moves the keyboard focus off every window (to the pointer's root).
focus_away() {
  python3 - <<'PY'
import ctypes
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
display = x11.XOpenDisplay(None)
x11.XSetInputFocus(display, 1, 0, 0)  # PointerRoot, RevertToNone, CurrentTime
x11.XSync(display, 0)
PY
}

# Clicks the left button at client (x, y).
click_at() {
  xdotool mousemove $((x0 + $1)) $((y0 + $2))
  sleep 0.1
  xdotool mousedown 1
  sleep 0.1
  xdotool mouseup 1
}

# --- caption, client size, second instance, a real key press, close box
start_game
name=$(xdotool getwindowname "$wid")
[ "$name" = "ピクノ" ] || fail "caption is '$name'"
# Both title properties, the legacy one (older window managers, taskbars)
# and the UTF-8 one, read the caption.
for prop in WM_NAME _NET_WM_NAME; do
  title=$(xprop -id "$wid" "$prop" | sed -n 's/^[^=]*= "\(.*\)"$/\1/p')
  [ "$title" = "ピクノ" ] || fail "$prop is '$title'"
done
size=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "640x480" ] || fail "client area is $size"

focus_away
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ] && fail "could not move the focus away"
timeout 10 "$exe" >"$work/second.log" 2>&1
code=$?
[ "$code" = 0 ] || fail "second instance exited $code"
kill -0 "$pid" 2>/dev/null || fail "the first instance ended when the second started"
for _ in $(seq 20); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ] && break; sleep 0.1; done
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$wid" ] || fail "the second start did not raise the first"

# The yellow marker box follows the pointer: a 20 x 20 box centred on it.
xdotool mousemove $((x0 + 100)) $((y0 + 400))
sleep 0.3
read -r r g b <<<"$(pixel 100 400)"
[ "$r" -gt 250 ] && [ "$g" -gt 250 ] && [ "$b" = 0 ] || fail "no marker at the pointer: $r $g $b"
outline=$(pixel 90 390)
[ "$outline" = "255 0 0" ] || fail "marker outline at (90, 390) is $outline"
xdotool mousemove $((x0 + 600)) $((y0 + 440))

before=$(pixel 340 247)
is_ring "$before" && fail "a mark before any key: $before"
press Return
sleep 0.5
after=$(pixel 340 247)
is_ring "$after" || fail "Return placed no mark: $after"

python3 "$here/x11_close_window.py" "$wid" || fail "could not press the close box"
wait_exit
[ "$code" = 0 ] || fail "close box: exit $code"

# --- Esc answered いいえ keeps the game, Esc answered はい ends it
start_game
press Escape
sleep 0.5
press n
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "Esc + いいえ ended the game"
press Escape
sleep 0.5
press Return
wait_exit
[ "$code" = 0 ] || fail "Esc + はい: exit $code"

# --- the question answered with the mouse: いいえ keeps the game, はい ends it
# (the box is centred: はい is left of the middle, いいえ right of it)
start_game
press Escape
sleep 0.5
click_at 370 279
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "a click on いいえ ended the game"
press Escape
sleep 0.5
click_at 270 279
wait_exit
[ "$code" = 0 ] || fail "a click on はい: exit $code"

# --- a whole game: player 1 fills the middle row; a second after the board
# is full the result scene shows the winner's text alone
start_game
for key in Return Up Left space Down Return Up Right Return Right space Down Down Return \
           Left space Left space Up Right Right Return; do
  press "$key"
  sleep 0.1
done
sleep 0.3
pixel 0 0 >/dev/null
[ "$(block_max 280 200 120 120)" -gt 200 ] || fail "the board is gone at once"
sleep 1.5
pixel 0 0 >/dev/null
# The board's rows above and below the text line are black.
[ "$(block_max 270 190 140 45)" = 0 ] && [ "$(block_max 270 260 140 70)" = 0 ] ||
  fail "the board is still shown after the game"
[ "$(block_max 320 240 60 14)" -gt 200 ] || fail "no winner's text at (320, 240)"
kill "$pid"
wait "$pid" 2>/dev/null

# --- the close box while the question is open ends the game too
start_game
press Escape
sleep 0.5
python3 "$here/x11_close_window.py" "$wid" || fail "could not press the close box"
wait_exit
[ "$code" = 0 ] || fail "close box during the question: exit $code"

# --- SIGTERM and SIGINT end the game through the close path, exit 0 (job
# control, so that SIGINT is not ignored as in a script's background job)
set -m
for sig in TERM INT; do
  start_game
  kill -$sig "$pid"
  wait_exit
  [ "$code" = 0 ] || fail "SIG$sig: exit $code"
done
set +m

# --- the run settings: a frame limit ends the game in order, bad values
# refuse to start
RU_MAX_FRAMES=30 timeout 20 "$exe" >"$work/limit.log" 2>&1
code=$?
[ "$code" = 0 ] || fail "RU_MAX_FRAMES=30 in a window: exit $code"
grep -q "running headless" "$work/limit.log" && fail "RU_MAX_FRAMES=30 ran headless"
RU_MAX_FRAMES=0 timeout 20 "$exe" >"$work/limit.log" 2>&1
code=$?
[ "$code" = 0 ] || fail "RU_MAX_FRAMES=0 in a window: exit $code"
RU_DEPTH=8 timeout 20 "$exe" >"$work/depth.log" 2>&1
code=$?
[ "$code" = 2 ] || fail "RU_DEPTH=8 in a window: exit $code"

# --- every back-buffer format reaches the window with the right colours
for depth in 15 24 32; do
  RU_DEPTH=$depth start_game
  board=$(pixel 280 200)
  text=$(pixel 20 20)
  [ "$board" = "255 0 0" ] || fail "RU_DEPTH=$depth: board outline is $board"
  read -r r g b <<<"$text"
  [ "$r" = 0 ] && [ "$g" = 0 ] && [ "$b" -ge 128 ] || fail "RU_DEPTH=$depth: text background is $text"
  kill "$pid"
  wait "$pid" 2>/dev/null
done

[ "$failures" = 0 ] && echo "window_game: all checks passed"
exit $((failures > 0))
