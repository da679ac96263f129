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
# Wine makes windows only on a display, even the headless runner's hidden one:
# an X server of our own serves them (the window test brings another).
WINE_XVFB_PID=""
start_wine() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/skyward-wine.XXXXXX")
  export WINEPREFIX
  export WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG="${WINEDEBUG:--all}"
  Xvfb -displayfd 5 -screen 0 640x480x24 -nolisten tcp 5>"$WINEPREFIX.display" 2>/dev/null &
  WINE_XVFB_PID=$!
  local _
  for _ in $(seq 100); do
    [ -s "$WINEPREFIX.display" ] && break
    sleep 0.1
  done
  [ -s "$WINEPREFIX.display" ] || { echo "Xvfb did not start" >&2; return 1; }
  DISPLAY=":$(head -n1 "$WINEPREFIX.display")"
  export DISPLAY
  if ! wineboot -i >"$WINEPREFIX.log" 2>&1; then
    cat "$WINEPREFIX.log" >&2
    echo "wineboot failed" >&2
    return 1
  fi
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "$WINE_XVFB_PID" ]; then
    kill "$WINE_XVFB_PID" 2>/dev/null
    wait "$WINE_XVFB_PID" 2>/dev/null
  fi
  rm -rf "$WINEPREFIX" "$WINEPREFIX.log" "$WINEPREFIX.display"
}
