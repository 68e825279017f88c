# check.sh - the shared pass/fail bookkeeping of the script tests.
# Source it, call `check NAME EXPECTED ACTUAL` for each case, and end with
# `finish`, which prints the counts and exits non-zero on any failure.
# `pixel` reads one pixel of a captured 640 x 480 24-bit BMP.
failures=0
passes=0

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected $2, got $3"
    failures=$((failures + 1))
  else
    echo "ok: $1"
    passes=$((passes + 1))
  fi
}

pixel() {  # pixel FILE X Y [HEADER] -> "b g r" as hex bytes; HEADER defaults to 54
  od -An -tx1 -j $((${4:-54} + (479 - $3) * 1920 + $2 * 3)) -N3 "$1" | tr -d ' \n'
}

finish() {
  echo "$passes passed, $failures failed"
  [ "$failures" -eq 0 ]
  exit $?
}
