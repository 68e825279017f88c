#!/usr/bin/env bash
# setup.sh - installs what building, running and testing need (Debian).
# Uses sudo when not root. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git python3
  libsdl2-dev libsdl2-ttf-dev libfreetype-dev libfontconfig-dev
  libfluidsynth-dev timgm6mb-soundfont
  libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev libsdl2-gfx-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth xdotool x11-utils imagemagick
  clang
  dpkg-dev file doxygen
)

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

# Installs those of the given packages that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
  fi
}

install_missing "${packages[@]}"
# The fuzz targets need the sanitizer runtime of the installed clang's own
# version, whichever that is.
clang_major=$(clang -dumpversion 2>/dev/null | cut -d. -f1)
if [ -n "$clang_major" ]; then install_missing "libclang-rt-${clang_major}-dev"; fi
