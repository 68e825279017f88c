#!/bin/bash
# text_sample_capture.sh - the text sample run headless and its frame
# captured: the score line and the Japanese lines fill exactly their cells
# with white ink on dark blue, and the two standard faces draw differently.
# Usage: bash text_sample_capture.sh <build dir>
set -u
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export RU_BACKEND=headless
export RU_INSTANCE_KEY="text-sample-capture-$$"

source "$(dirname "$0")/lib/check.sh"

# Pixels of one colour (16-bit rounding allowed) in a region WxH+X+Y.
count() {  # count BMP REGION COLOUR
  convert "$1" -crop "$2" +repage -fuzz 3% -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:round(mean*w*h)]' info:
}

# A cell holds only ink and background, with some ink: prints "ok" or why not.
cell() {  # cell BMP W H X Y MIN_INK
  local region="$2x$3+$4+$5" white blue
  white=$(count "$1" "$region" white)
  blue=$(count "$1" "$region" '#000080')
  if [ $((white + blue)) -ne $(($2 * $3)) ]; then echo "other colours ($white + $blue)"
  elif [ "$white" -lt "$6" ]; then echo "too little ink ($white)"
  else echo ok; fi
}

printf '1 capture %s/frame.bmp\n' "$work" > "$work/script.txt"
RU_SCRIPT="$work/script.txt" RU_MAX_FRAMES=2 timeout 20 "$build/text_sample"
check "run exits 0" 0 $?
frame="$work/frame.bmp"
# The 20 full-width characters of the Japanese line are 240 pixels at 12.
check "score line in the fixed style" ok "$(cell "$frame" 30 12 20 20 25)"
check "Japanese line in the fixed style" ok "$(cell "$frame" 240 12 20 40 300)"
check "Japanese line in the serif face" ok "$(cell "$frame" 240 12 20 60 300)"
check "serif line at 24" ok "$(cell "$frame" 480 24 20 80 1200)"
check "sans line at 24" ok "$(cell "$frame" 480 24 20 110 1200)"
check "nothing right of the score cell" 0 "$(count "$frame" 10x12+50+20 white)"
sans=$(convert "$frame" -crop 240x12+20+40 +repage -format '%#' info:)
serif=$(convert "$frame" -crop 240x12+20+60 +repage -format '%#' info:)
check "the two faces differ" yes "$([ "$sans" != "$serif" ] && echo yes || echo no)"

finish
