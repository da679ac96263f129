#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks the layout: the game and all
# of its generated files in one folder, the launcher, the menu entry and the icon;
# then starts the installed launcher, through a link, from a folder that holds
# none of the game's files, and checks that every asset was found.
#
# usage: install_test.sh BUILD_DIR
set -uo pipefail
unset DISPLAY WAYLAND_DISPLAY

BUILD_DIR=$1
BIN=$BUILD_DIR/bin
WORK=$(mktemp -d "${TMPDIR:-/tmp}/skyward-install.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
PREFIX=$WORK/prefix
GAME_DIR=$PREFIX/lib/skyward-run
ERRORS=0

fail() {
  echo "FAIL: $*"
  ERRORS=$((ERRORS + 1))
}

# Named component: the build's own install_manifest.txt, which lists what the
# user installed, is left alone.
cmake --install "$BUILD_DIR" --prefix "$PREFIX" --component Unspecified >"$WORK/install.log" 2>&1 ||
  { cat "$WORK/install.log"; echo "FAIL: cmake --install"; exit 1; }

# The program and every generated file, byte for byte as the build made them.
[ -x "$GAME_DIR/skyward-run" ] || fail "no program at lib/skyward-run/skyward-run"
count=0
for f in "$BIN"/*.BMP "$BIN"/*.WAV "$BIN"/*.MID "$BIN"/skyward-run.bmp; do
  [ -e "$f" ] || continue
  count=$((count + 1))
  cmp -s "$f" "$GAME_DIR/$(basename "$f")" || fail "$(basename "$f") missing or different in lib/skyward-run"
done
# The sounds and the music are named by the game itself.
for f in SHOT.WAV BOM.WAV JOP1.MID JSET1.MID JBGM1.MID JBGM2.MID TITLE.BMP BACK2.BMP; do
  [ -s "$GAME_DIR/$f" ] || fail "lib/skyward-run/$f missing"
done
[ "$count" -ge 70 ] || fail "only $count generated files in the build folder"
# Nothing of the build's own: the tools and the stamp stay behind.
for f in skyward-assetgen skyward-replay assets.stamp skyward-run.png; do
  [ ! -e "$GAME_DIR/$f" ] || fail "lib/skyward-run/$f should not be installed"
done

# The launcher, the menu entry and the icon.
[ -x "$PREFIX/bin/skyward-run" ] || fail "no launcher at bin/skyward-run"
DESKTOP=$PREFIX/share/applications/skyward-run.desktop
if [ -f "$DESKTOP" ]; then
  grep -qx "Exec=skyward-run" "$DESKTOP" || fail "the menu entry does not start skyward-run"
  grep -qx "Icon=skyward-run" "$DESKTOP" || fail "the menu entry does not name the icon"
  grep -qE "^Categories=(.*;)?Game;" "$DESKTOP" || fail "the menu entry is not in the Game category"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$DESKTOP" || fail "desktop-file-validate rejects the menu entry"
  fi
else
  fail "no menu entry at share/applications/skyward-run.desktop"
fi
ICON=$PREFIX/share/icons/hicolor/64x64/apps/skyward-run.png
if [ -f "$ICON" ]; then
  # PNG signature, then the header chunk: 64 x 64, 8-bit RGBA.
  head_hex=$(od -An -tx1 -N29 "$ICON" | tr -d ' \n')
  [ "${head_hex:0:16}" = 89504e470d0a1a0a ] || fail "the icon is not a PNG"
  [ "${head_hex:24:32}" = 49484452000000400000004008060000 ] || fail "the icon is not 64 x 64 RGBA"
  if command -v identify >/dev/null 2>&1; then
    [ "$(identify -format '%wx%h' "$ICON" 2>/dev/null)" = 64x64 ] || fail "the icon does not decode"
  fi
else
  fail "no icon at share/icons/hicolor/64x64/apps/skyward-run.png"
fi

# Started through a link from elsewhere, the installed game finds everything:
# any asset it cannot read is reported on standard error at start-up. No display
# here, so SDL's dummy drivers; the game runs until it is stopped.
run_installed() {  # run_installed PREFIX LOG
  mkdir -p "$WORK/elsewhere"
  ln -sf "$1/bin/skyward-run" "$WORK/elsewhere/play"
  (cd "$WORK/elsewhere" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$WORK/data" \
    timeout -k 2 4 ./play >/dev/null 2>"$2")
}
run_installed "$PREFIX" "$WORK/run.err"
status=$?
[ "$status" -eq 124 ] || { cat "$WORK/run.err"; fail "the installed game ended by itself (status $status)"; }
if grep -E "^zu[A-Za-z]*::[A-Za-z]+ : " "$WORK/run.err"; then
  fail "the installed game could not load everything"
fi

# The same check must see a missing picture, or it proves nothing.
cp -a "$PREFIX" "$WORK/broken"
rm "$WORK/broken/lib/skyward-run/ZAK6.BMP"
run_installed "$WORK/broken" "$WORK/broken.err"
grep -q "zuDraw::LoadObject : " "$WORK/broken.err" ||
  { cat "$WORK/broken.err"; fail "a missing picture went unreported"; }

[ "$ERRORS" -eq 0 ] || exit 1
echo "installed layout checked: $count generated files, launcher, menu entry, icon"
