#!/usr/bin/env bash
# Shared set-up for scripts/play and scripts/test: installs the missing Debian
# packages, then configures and builds into build/ (incrementally).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${SKYWARD_BUILD_DIR:-$ROOT/build}"

RUNTIME_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libsdl2-mixer-dev
  libsdl2-ttf-dev libfontconfig-dev timgm6mb-soundfont fonts-ipafont-gothic
  fonts-ipafont-mincho fonts-dejavu-core)
TEST_PACKAGES=(libgtest-dev python3 xvfb xdotool matchbox-window-manager openbox x11-utils imagemagick sox
  clang desktop-file-utils g++-mingw-w64-x86-64-posix googletest wine)
# scripts/build-windows: the cross compiler and the zip for the player.
WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-posix zip)
# scripts/build-web and scripts/test-web: the compiler, what renders the music
# and cuts the faces for the page, and the browser that plays it in the tests.
WEB_PACKAGES=(emscripten node-acorn nodejs python3 fluidsynth timgm6mb-soundfont lame fonttools
  fonts-ipafont-gothic fonts-ipafont-mincho zip)
WEB_TEST_PACKAGES=(googletest chromium)

ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
      sudo=(sudo)
    elif command -v sudo >/dev/null 2>&1 && [ -t 0 ]; then
      sudo=(sudo)
    else
      echo "Cannot install packages without root. Please run:" >&2
      echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
      exit 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build_project TESTS [WERROR]: ON or OFF each. Warnings are errors only when
# WERROR is ON; without it, a build folder keeps the choice it was made with.
build_project() {
  local tests="$1"
  local werror="${2:-}"
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_TESTS="$tests" \
      -DSKYWARD_WERROR="${werror:-OFF}"
  elif ! grep -q "^SKYWARD_TESTS:BOOL=$tests$" "$BUILD_DIR/CMakeCache.txt" ||
       { [ -n "$werror" ] && ! grep -q "^SKYWARD_WERROR:BOOL=$werror$" "$BUILD_DIR/CMakeCache.txt"; }; then
    cmake "$BUILD_DIR" -DSKYWARD_TESTS="$tests" ${werror:+-DSKYWARD_WERROR="$werror"}
  fi
  cmake --build "$BUILD_DIR" -j2
}

# cross_build DIR TOOLCHAIN BUILD_TYPE TESTS [cmake --build arguments...]
# A build for another platform (cmake/TOOLCHAIN). Its pictures, sounds and
# music come from the native generator: the same bytes on every platform, and
# nothing of the other platform runs at build time.
cross_build() {
  local dir=$1 toolchain=$2 type=$3 tests=$4
  shift 4
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_TESTS=OFF
  fi
  cmake --build "$BUILD_DIR" -j2 --target skyward-assetgen
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain" \
      -DCMAKE_BUILD_TYPE="$type" -DSKYWARD_TESTS="$tests" \
      -DSKYWARD_HOST_ASSETGEN="$BUILD_DIR/bin/skyward-assetgen"
  elif ! grep -q "^SKYWARD_TESTS:BOOL=$tests$" "$dir/CMakeCache.txt"; then
    cmake "$dir" -DSKYWARD_TESTS="$tests"
  fi
  cmake --build "$dir" -j2 "$@"
}
