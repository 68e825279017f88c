#!/bin/bash
# starter_outside.sh - the library as its users get it: installed into a
# fresh prefix, examples/starter/ (copied out of the tree) is built with
# CMake's find_package and with a Makefile through pkg-config, and each
# program runs headless, reaches its second scene and exits 0. The Debian
# package is made and its contents and dependencies are checked.
# With RU_INSTALL_DEB=1 (as root, on a machine that may be changed, such as
# CI) the package is also installed with apt-get, the starter shipped in it
# is built with no search paths given, and the package is removed again.
# Usage: bash starter_outside.sh <build dir>
set -u
build="$(cd "$1" && pwd)"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
deb_installed=""
cleanup() {
  [ -n "$deb_installed" ] && dpkg -r libru-dev > /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export RU_BACKEND=headless
export RU_INSTANCE_KEY="starter-outside-$$"
# Nothing from the calling build may leak into the users' builds.
unset CMAKE_PREFIX_PATH PKG_CONFIG_PATH CXXFLAGS

source "$source_dir/tests/scripts/lib/check.sh"
pixel() {  # pixel FILE X Y -> "b g r" as hex bytes
  od -An -tx1 -j $((54 + (479 - $3) * 1920 + $2 * 3)) -N3 "$1" | tr -d ' \n'
}

# Runs a built starter headless: the right arrow held from frame 2 steers
# the sprite into the goal; the last frame must show the result scene's
# colour (RGB 250, 200, 60 at 32 bits). Its "ゴール" must be CP932 bytes in
# the program, which only the flags carried by ru::ru / ru.pc give. The goal
# chime must be in the sound the run mixed.
run_starter() {  # run_starter NAME PROGRAM
  local name="$1" program="$2"
  printf '2 keydown RIGHT\n150 capture %s/%s.bmp\n' "$work" "$name" > "$work/$name.txt"
  RU_DEPTH=32 RU_MAX_FRAMES=150 RU_SCRIPT="$work/$name.txt" RU_AUDIO_OUT="$work/$name.wav" \
    timeout 20 "$program"
  check "$name: runs 150 frames headless and exits 0" 0 $?
  check "$name: reaches the result scene" 3cc8fa "$(pixel "$work/$name.bmp" 5 5)"
  test -n "$(od -An -v -tx1 -j44 "$work/$name.wav" 2>/dev/null | tr -d ' 0\n')"
  check "$name: the goal chime is heard" 0 $?
  LC_ALL=C grep -qF $'\x83\x53\x81\x5b\x83\x8b' "$program"
  check "$name: narrow literals compiled to CP932" 0 $?
}

# Builds the starter in a copy of FROM with CMake; PREFIX (may be empty) is
# where find_package looks first.
build_with_cmake() {  # build_with_cmake NAME FROM PREFIX
  cp -r "$2" "$work/$1"
  cmake -S "$work/$1" -B "$work/$1/build" ${3:+-DCMAKE_PREFIX_PATH="$3"} > "$work/$1.log" 2>&1 &&
    cmake --build "$work/$1/build" >> "$work/$1.log" 2>&1
  local rc=$?
  check "$1: configures with find_package(ru) and builds" 0 $rc
  [ $rc -eq 0 ] || tail -20 "$work/$1.log"
  run_starter "$1" "$work/$1/build/starter"
}

# Builds the starter in a copy of FROM with its Makefile; PCDIR (may be
# empty) is put on PKG_CONFIG_PATH.
build_with_make() {  # build_with_make NAME FROM PCDIR
  cp -r "$2" "$work/$1"
  PKG_CONFIG_PATH="$3" make -C "$work/$1" > "$work/$1.log" 2>&1
  local rc=$?
  check "$1: builds through pkg-config" 0 $rc
  [ $rc -eq 0 ] || tail -20 "$work/$1.log"
  run_starter "$1" "$work/$1/starter"
}

# ---------------------------------------------------------------- prefix
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1
check "cmake --install into a fresh prefix" 0 $?
for file in include/ru/ru.h include/ru/draw/draw.h include/ru/platform/win_types.h \
            lib/libru.a lib/libru_main.a lib/cmake/ru/ruConfig.cmake lib/pkgconfig/ru.pc; do
  check "installed $file" yes "$([ -f "$prefix/$file" ] && echo yes)"
done
check "no SDL-facing headers installed" 0 "$(find "$prefix/include" -path '*sdl*' | wc -l)"
# Each installed header compiles on its own with only the prefix's include
# folder: none needs a header that was left out.
broken=""
for header in $(cd "$prefix/include/ru" && find . -name '*.h' | sed 's|^\./||'); do
  echo "#include \"$header\"" | c++ -std=c++20 -fsyntax-only -I"$prefix/include/ru" -x c++ - \
    2> /dev/null || broken="$broken $header"
done
check "installed headers stand alone" "" "$broken"

build_with_cmake cmake-prefix "$source_dir/examples/starter" "$prefix"
build_with_make make-prefix "$source_dir/examples/starter" "$prefix/lib/pkgconfig"

# ---------------------------------------------------------------- .deb
cpack -G DEB -B "$work/deb" --config "$build/CPackConfig.cmake" > "$work/cpack.log" 2>&1
check "cpack -G DEB" 0 $?
deb="$(ls "$work"/deb/libru-dev_*.deb 2>/dev/null | head -1)"
contents="$(dpkg-deb -c "$deb" 2>/dev/null | awk '{print $6}')"
for file in usr/include/ru/ru.h usr/lib/libru.a usr/lib/cmake/ru/ruConfig.cmake \
            usr/lib/pkgconfig/ru.pc usr/share/doc/ru/getting-started.md \
            usr/share/doc/ru/examples/starter/starter.cpp; do
  check "package holds $file" 1 "$(grep -cx "\./$file" <<< "$contents")"
done
depends="$(dpkg-deb -f "$deb" Depends 2>/dev/null)"
for package in libsdl2-2.0-0 libfreetype6 libfontconfig1 fonts-ipafont-gothic; do
  check "package depends on $package" 1 "$(tr -d ' ' <<< "$depends" | tr ',' '\n' | grep -cx "$package")"
done

if [ "${RU_INSTALL_DEB:-0}" = 1 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" > "$work/apt.log" 2>&1
  check "apt-get installs the package" 0 $?
  deb_installed=yes
  build_with_cmake cmake-deb /usr/share/doc/ru/examples/starter ""
  build_with_make make-deb /usr/share/doc/ru/examples/starter ""
fi

finish
