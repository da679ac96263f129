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
# Release (-O2): the page's speed; debug information stays out of the site.
build_web() {
  web_environment
  cross_build "$WEB_BUILD_DIR" toolchain-emscripten.cmake Release "$@"
}
