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
failures=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected $2, got $3"
    failures=$((failures + 1))
  else
    echo "ok: $1"
  fi
}

RU_MAX_FRAMES=100 timeout 10 "$sample"
check "frame limit exits 0" 0 $?

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

exit $failures
