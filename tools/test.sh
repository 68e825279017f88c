#!/usr/bin/env bash
# test.sh - installs what is needed, builds, and runs every test: unit,
# integration (headless runs of the library and the game) and window (a real
# window under Xvfb), then a short run of the BMP fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh release
ctest --preset release -j "$(nproc)" --timeout 300

# The BMP decoder against libFuzzer for a bounded time.
if command -v clang++ >/dev/null; then
  # clang cannot compile CP932 literals, so only the fuzz targets (which
  # link the platform layer alone) are built with it.
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$(nproc)" --target bmp_fuzz
  mkdir -p build/fuzz/corpus
  build/fuzz/fuzz/bmp_fuzz -max_total_time="${RU_FUZZ_SECONDS:-30}" -rss_limit_mb=2048 \
    build/fuzz/corpus fuzz/corpus/bmp 2>&1 | tail -n 3
fi
