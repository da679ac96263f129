#!/usr/bin/env bash
# Shared by scripts/build-web, scripts/test-web and scripts/serve-web: the
# browser build (emscripten, into build-web/). Source after bootstrap.sh.

WEB_BUILD_DIR="${SKYWARD_WEB_BUILD_DIR:-$ROOT/build-web}"
WEB_SITE="$WEB_BUILD_DIR/site"

# The browser layer is what the web build needs beyond the shared code.
web_layer_present() {
  compgen -G "$ROOT/lib/web/*.cpp" >/dev/null
}

# Debian's emscripten runs its optimiser on node with Debian's own acorn.
web_environment() {
  export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
  # The node distributions that bring their own npm conflict with Debian's
  # npm package; only a node without one needs it.
  if ! command -v npm >/dev/null 2>&1; then
    ensure_packages npm
  fi
}

# build_web ON|OFF [cmake --build arguments...]
build_web() {
  local tests=$1
  shift
  web_environment
  # Pictures, sounds and music come from the native generator, as for Windows.
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYWARD_TESTS=OFF
  fi
  cmake --build "$BUILD_DIR" -j2 --target skyward-assetgen
  if [ ! -f "$WEB_BUILD_DIR/CMakeCache.txt" ]; then
    # -O2: the page's speed; debug information stays out of the site.
    cmake -S "$ROOT" -B "$WEB_BUILD_DIR" \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-emscripten.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DSKYWARD_TESTS="$tests" \
      -DSKYWARD_HOST_ASSETGEN="$BUILD_DIR/bin/skyward-assetgen"
  elif ! grep -q "^SKYWARD_TESTS:BOOL=$tests$" "$WEB_BUILD_DIR/CMakeCache.txt"; then
    cmake "$WEB_BUILD_DIR" -DSKYWARD_TESTS="$tests"
  fi
  cmake --build "$WEB_BUILD_DIR" -j2 "$@"
}
