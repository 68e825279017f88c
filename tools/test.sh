#!/usr/bin/env bash
# test.sh - installs what is needed, builds, and runs every test: unit,
# integration (headless runs of the library and the game) and window (a real
# window under Xvfb); unit and integration again under the sanitizers; then
# short runs of the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
bash tools/build.sh release
# The API reference (before the tests, so the Debian package holds it); it
# fails when a function in it has no comment.
cmake --build --preset release --target docs
ctest --preset release -j "$(nproc)" --timeout 300

# The library and the game again under the address and undefined-behaviour
# sanitizers (no window tests: they measure real key timings).
bash tools/build.sh asan
ctest --preset asan -j "$(nproc)" --timeout 600 -L 'unit|integration'

# The file and script parsers against libFuzzer, each for a bounded time.
if command -v clang++ >/dev/null; then
  # clang cannot compile CP932 literals, so only the fuzz targets (which
  # link the platform layer alone) are built with it.
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz -j "$(nproc)" --target bmp_fuzz headless_script_fuzz text_layout_fuzz encoding_fuzz \
    draw_pack_fuzz riff_wave_fuzz sound_pack_fuzz midi_file_fuzz
  for target in bmp_fuzz headless_script_fuzz text_layout_fuzz encoding_fuzz draw_pack_fuzz riff_wave_fuzz sound_pack_fuzz midi_file_fuzz; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    seeds=()
    [ "$target" = bmp_fuzz ] && seeds=(fuzz/corpus/bmp)
    [ "$target" = draw_pack_fuzz ] && seeds=(fuzz/corpus/draw_pack)
    [ "$target" = riff_wave_fuzz ] && seeds=(fuzz/corpus/wave)
    [ "$target" = sound_pack_fuzz ] && seeds=(fuzz/corpus/sound_pack)
    [ "$target" = midi_file_fuzz ] && seeds=(fuzz/corpus/midi)
    echo "fuzzing $target for ${RU_FUZZ_SECONDS:-20} s"
    build/fuzz/fuzz/$target -max_total_time="${RU_FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
      "$corpus" "${seeds[@]}" 2>&1 | { grep -E "^Done|ERROR|SUMMARY" || true; }
  done
fi
