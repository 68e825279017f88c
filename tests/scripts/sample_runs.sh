#!/bin/bash
# sample_runs.sh - the sample program run headless: a frame limit, Esc
# answered yes and no, a bad script, and a second instance.
# Usage: bash sample_runs.sh <build dir>
set -u
build="$1"
sample="$build/sample"
work="$(mktemp -d)"
first=""
trap 'kill "$first" 2>/dev/null; rm -rf "$work"' EXIT
export RU_BACKEND=headless
export RU_INSTANCE_KEY="sample-runs-$$"

source "$(dirname "$0")/lib/check.sh"

RU_MAX_FRAMES=100 timeout 10 "$sample"
check "frame limit exits 0" 0 $?

# A stop signal ends an endless run through the window's close path. Job
# control gives the run a SIGINT that is not ignored, as a terminal would.
set -m
for sig in TERM INT; do
  RU_FRAME_MS=1 "$sample" 2> /dev/null &
  stopped=$!
  sleep 0.5
  kill -$sig "$stopped"
  timeout 10 tail --pid="$stopped" -f /dev/null || kill -KILL "$stopped"
  wait "$stopped"
  check "SIG$sig ends the run in order" 0 $?
done
set +m

# No display and no backend named: a clear refusal, not an invisible run.
env -u DISPLAY -u WAYLAND_DISPLAY -u RU_BACKEND timeout 10 "$sample" 2> "$work/nodisplay.err"
check "no display refuses to start" 1 $?
grep -q 'RU_BACKEND=headless' "$work/nodisplay.err" && grep -q 'xvfb-run' "$work/nodisplay.err"
check "the refusal names RU_BACKEND=headless and xvfb-run" 0 $?
RU_MAX_FRAMES=0 timeout 10 "$sample"
check "frame limit 0 ends after start-up" 0 $?

printf '1 answer yes\n2 key ESCAPE\n' > "$work/yes.txt"
RU_SCRIPT="$work/yes.txt" timeout 10 "$sample" 2> "$work/yes.err"
check "Esc answered yes exits 0" 0 $?
grep -q '終了しますか？ -> yes' "$work/yes.err"
check "the question is logged" 0 $?

# Answered no the program runs on until the frame limit ends it.
printf '1 answer no\n2 key ESCAPE\n' > "$work/no.txt"
RU_SCRIPT="$work/no.txt" RU_MAX_FRAMES=50 timeout 10 "$sample" 2> "$work/no.err"
check "Esc answered no runs on" 0 $?
grep -q -- '-> no' "$work/no.err"
check "the no is logged" 0 $?
# Without a frame limit, "no" must keep it running: still alive after a while.
RU_SCRIPT="$work/no.txt" RU_FRAME_MS=0 timeout 1 "$sample" 2> /dev/null
check "answered no, still running after 1 s" 124 $?

printf '1 key ESCAPE\n2 dance\n' > "$work/bad.txt"
RU_SCRIPT="$work/bad.txt" timeout 10 "$sample" 2> "$work/bad.err"
check "bad script refuses to start" 2 $?
grep -q 'line 2: unknown command' "$work/bad.err"
check "bad script names the line" 0 $?
RU_DEPTH=8 timeout 10 "$sample" 2> /dev/null
check "bad depth refuses to start" 2 $?

# Captured frames: 640x480 24-bit, widened to full white and blue at every
# depth, and the same bytes on a second run.
printf '1 capture %s/a1.bmp\n250 capture %s/a250.bmp\n' "$work" "$work" > "$work/cap.txt"
for depth in 16 15 24 32; do
  RU_DEPTH=$depth RU_SCRIPT="$work/cap.txt" RU_MAX_FRAMES=250 timeout 20 "$sample"
  check "capture run at depth $depth" 0 $?
  check "capture size at depth $depth" 921654 "$(stat -c %s "$work/a1.bmp" 2>/dev/null)"
  check "white square at depth $depth" ffffff "$(pixel "$work/a1.bmp" 20 220)"
  check "blue result at depth $depth" ff0000 "$(pixel "$work/a250.bmp" 10 10)"
done
cp "$work/a250.bmp" "$work/first.bmp"
RU_SCRIPT="$work/cap.txt" RU_MAX_FRAMES=250 timeout 20 "$sample"
cmp -s "$work/first.bmp" "$work/a250.bmp"
check "a second run captures the same bytes" 0 $?
printf '3 capture %s/none.bmp\n' "$work" > "$work/none.txt"
RU_SCRIPT="$work/none.txt" RU_MAX_FRAMES=3 timeout 10 "$sample" 2> "$work/none.err"
grep -q 'nothing was presented' "$work/none.err"
check "a presented frame is not reported missing" 1 $?

# A second instance exits 0 at once and the first one is asked to raise.
RU_FRAME_MS=0 timeout 20 "$sample" 2> "$work/first.err" &
first=$!
sleep 0.5
start=$(date +%s%N)
timeout 10 "$sample"
check "second instance exits 0" 0 $?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$elapsed_ms" -lt 2000 ]
check "second instance exits at once" 0 $?
sleep 0.3
kill "$first" 2>/dev/null
wait "$first" 2>/dev/null
grep -q '\[instance\] raise requested' "$work/first.err"
check "first instance raised" 0 $?

finish
