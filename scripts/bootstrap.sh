#!/usr/bin/env bash
# Shared set-up for scripts/play and scripts/test: installs the missing Debian
# packages, then configures and builds into build/ (incrementally).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${SKYWARD_BUILD_DIR:-$ROOT/build}"

RUNTIME_PACKAGES=(build-essential cmake pkg-config libsdl2-dev libsdl2-mixer-dev
  libsdl2-ttf-dev libfontconfig-dev timgm6mb-soundfont fonts-ipafont-gothic
  fonts-ipafont-mincho fonts-dejavu-core)
TEST_PACKAGES=(libgtest-dev xvfb xdotool matchbox-window-manager x11-utils imagemagick
  desktop-file-utils)

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

build_project() {
  local tests="$1"
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_TESTS="$tests"
  elif ! grep -q "^SKYWARD_TESTS:BOOL=$tests$" "$BUILD_DIR/CMakeCache.txt"; then
    cmake "$BUILD_DIR" -DSKYWARD_TESTS="$tests"
  fi
  cmake --build "$BUILD_DIR" -j2
}
