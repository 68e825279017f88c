#!/bin/bash
# text_font_fallback.sh - the game run headless on machines with fewer
# fonts: with only a Latin face its "pt1=" line still draws in the fixed
# style; with no face at all it runs and exits normally.
# Usage: bash text_font_fallback.sh <build dir>
set -u
build="$1"
game="$build/noughts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export RU_BACKEND=headless
export RU_INSTANCE_KEY="text-font-fallback-$$"

source "$(dirname "$0")/lib/check.sh"

# A fontconfig configuration that offers only the faces of one folder.
config() {  # config NAME FOLDER
  cat > "$work/$1.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig><dir>$2</dir><cachedir>$work/cache-$1</cachedir></fontconfig>
CONF
}

# Pixels of one colour (16-bit rounding allowed) in the 30x12 cell of the "pt1=0" line.
count() {  # count BMP COLOUR
  convert "$1" -crop 30x12+20+20 +repage -fuzz 3% -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}

latin="$(dirname "$(fc-match -f '%{file}' 'DejaVu Sans')")"
config latin "$latin"
printf '2 capture %s/latin.bmp\n' "$work" > "$work/latin.txt"
FONTCONFIG_FILE="$work/latin.conf" RU_SCRIPT="$work/latin.txt" RU_MAX_FRAMES=4 timeout 20 "$game"
check "only a Latin face: exit code" 0 $?
white=$(count "$work/latin.bmp" white)
blue=$(count "$work/latin.bmp" '#000080')
check "only a Latin face: ink and cell fill the 30x12 cell" 360 $((white + blue))
check "only a Latin face: the digits have ink" yes "$([ "$white" -gt 20 ] && echo yes || echo "no ($white)")"

mkdir -p "$work/empty"
config none "$work/empty"
printf '2 capture %s/none.bmp\n' "$work" > "$work/none.txt"
FONTCONFIG_FILE="$work/none.conf" RU_SCRIPT="$work/none.txt" RU_MAX_FRAMES=4 timeout 20 "$game"
check "no face at all: exit code" 0 $?

finish
