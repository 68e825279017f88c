#!/usr/bin/env bash
# setup.sh - installs what building, running and testing need (Debian).
# Uses sudo when not root. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git python3
  libsdl2-dev libsdl2-ttf-dev libfreetype-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev libpixman-1-dev libsdl2-gfx-dev
  fonts-ipafont-mincho fonts-ipafont-gothic
  xvfb xauth xdotool x11-utils imagemagick
  clang libclang-rt-14-dev
)

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "${missing[@]}"
fi
