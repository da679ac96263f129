#!/usr/bin/env bash
# Shared by scripts/build-windows and scripts/test: the Windows cross build
# (mingw-w64, into build-windows/) and a scratch Wine set-up to run it.
# Source after bootstrap.sh.

WINDOWS_BUILD_DIR="${SKYWARD_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"

# The Windows layer is what the cross build needs beyond the shared code.
windows_layer_present() {
  compgen -G "$ROOT/lib/win32/*.cpp" >/dev/null
}

# build_windows ON|OFF [cmake --build arguments...]
build_windows() {
  local tests=$1
  shift
  # Pictures, sounds and music come from the native generator: same bytes on
  # both platforms, and nothing Windows-only needs to run at build time.
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_TESTS=OFF
  fi
  cmake --build "$BUILD_DIR" -j2 --target skyward-assetgen
  if [ ! -f "$WINDOWS_BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$WINDOWS_BUILD_DIR" \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_TESTS="$tests" \
      -DSKYWARD_HOST_ASSETGEN="$BUILD_DIR/bin/skyward-assetgen"
  elif ! grep -q "^SKYWARD_TESTS:BOOL=$tests$" "$WINDOWS_BUILD_DIR/CMakeCache.txt"; then
    cmake "$WINDOWS_BUILD_DIR" -DSKYWARD_TESTS="$tests"
  fi
  cmake --build "$WINDOWS_BUILD_DIR" -j2 "$@"
}

# A Wine prefix of our own under the system's temporary folder, owned by the
# user running us (root in CI): no Mono or Gecko prompts, no debug chatter.
start_wine() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/skyward-wine.XXXXXX")
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No display is needed to create the prefix; the window test brings its own.
  if ! DISPLAY="" wineboot -i >"$WINEPREFIX.log" 2>&1; then
    cat "$WINEPREFIX.log" >&2
    echo "wineboot failed" >&2
    return 1
  fi
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$WINEPREFIX.log"
}
