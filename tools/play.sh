#!/usr/bin/env bash
# play.sh - installs what is needed, builds, and runs the game in a window.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh release
game=build/release/noughts
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${RU_BACKEND:-}" != headless ]; then
  cat <<TXT
No display is available, so the game cannot open its window.
Run it headless instead, e.g. for 600 frames with a script of inputs:
  RU_BACKEND=headless RU_MAX_FRAMES=600 RU_SCRIPT=docs/example.script $game
(see docs/headless.md), or start a virtual display:
  xvfb-run -a $game
TXT
  exit 1
fi
exec "$game" "$@"
