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
  cross_build "$WINDOWS_BUILD_DIR" toolchain-mingw64.cmake RelWithDebInfo "$@"
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
