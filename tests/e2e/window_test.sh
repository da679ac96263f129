#!/usr/bin/env bash
# Plays the installed game in a real X window, from outside the process like a
# player: title, [SPACE], setup, [Enter], a few seconds of play with the arrows
# and [Z], [S] pause and resume, [ESC]. Screenshots of the root window are checked
# for the 640 x 480 picture scaled with its aspect kept, the black columns beside
# the play column and the help line on the title.
#
# usage: window_test.sh BUILD_DIR wm|bare|title|altenter|wine WIDTHxHEIGHT [SHOT_DIR]
#   wm        under matchbox-window-manager (it is what resizes a full-screen window)
#   bare      with no window manager at all
#   title     under matchbox, only the title: the picture's size and place on this screen
#   altenter  under openbox: started with --window, into play, Alt+Enter to full screen
#             and back (the window changes its size, the game goes on), [ESC]
#   wine      the Windows build (BUILD_DIR/bin/skyward-run.exe) under Wine, in a
#             scratch Wine prefix: at 640x480 in its own display mode, on a larger
#             screen (where Wine refuses the mode) scaled in its full-screen window
# The present path is the game's own choice unless SKYWARD_PRESENT is set.
# Exit 0 on success, 77 when a needed program is missing (skipped), 1 on failure.
set -uo pipefail
unset DISPLAY

BUILD_DIR=$1
MODE=$2
SCREEN=$3
SHOT_DIR=${4:-$BUILD_DIR/window-shots/$MODE-$SCREEN}

case $MODE in
  wm | title) WM=matchbox-window-manager ;;
  altenter) WM=openbox ;;
  *) WM="" ;;
esac
TOOLS=(Xvfb xdotool xprop xwininfo import convert $WM)
[ "$MODE" = wine ] && TOOLS+=(wine wineboot wineserver)
for tool in "${TOOLS[@]}"; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed (scripts/test installs it)"; exit 77; }
done
GAME_ARGS=()
[ "$MODE" = altenter ] && GAME_ARGS=(--window)

WORK=$(mktemp -d "${TMPDIR:-/tmp}/skyward-window.XXXXXX")
# The game keeps its best score in the user's data folder: a scratch one here.
export XDG_DATA_HOME=$WORK/data
mkdir -p "$SHOT_DIR"
rm -f "$SHOT_DIR"/*.png
XVFB_PID=""
WM_PID=""
GAME_PID=""
KEPT=()
START=$SECONDS

log() { echo "[$((SECONDS - START))s] $*"; }

cleanup() {
  local pid
  for pid in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
  done
  for pid in "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
    [ -n "$pid" ] && wait "$pid" 2>/dev/null
  done
  [ -d "$WORK/wine" ] && WINEPREFIX=$WORK/wine wineserver -k 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  log "FAIL: $*"
  if [ -s "$WORK/game.err" ]; then
    echo "--- game standard error:"
    cat "$WORK/game.err"
  fi
  save_kept 2>/dev/null
  # Whatever was on the screen at that moment, for the reader of the log.
  [ -n "${DISPLAY:-}" ] && import -window root "$SHOT_DIR/failure.png" 2>/dev/null &&
    echo "screen at the failure: $SHOT_DIR/failure.png"
  exit 1
}

if [ "$MODE" = wine ]; then
  # The Windows game as a player unpacks it: the exe beside its assets.
  LAUNCHER=(wine "$BUILD_DIR/bin/skyward-run.exe")
  [ -f "${LAUNCHER[1]}" ] || fail "no ${LAUNCHER[1]}"
else
  # --- the installed game, started from a folder that holds none of its files
  PREFIX=$WORK/prefix
  # Named component: the build's own install_manifest.txt, which lists what the
  # user installed, is left alone.
  cmake --install "$BUILD_DIR" --prefix "$PREFIX" --component Unspecified >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }
  LAUNCHER=("$PREFIX/bin/skyward-run")
  [ -x "${LAUNCHER[0]}" ] || fail "no launcher at bin/skyward-run"
fi

# --- an X server of our own on a free display number
SCREEN_W=${SCREEN%x*}
SCREEN_H=${SCREEN#*x}
Xvfb -displayfd 5 -screen 0 "${SCREEN_W}x${SCREEN_H}x${SKYWARD_TEST_DEPTH:-24}" -nolisten tcp -noreset \
  5>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do
  [ -s "$WORK/display" ] && break
  kill -0 "$XVFB_PID" 2>/dev/null || break
  sleep 0.1
done
[ -s "$WORK/display" ] || { cat "$WORK/xvfb.log"; fail "Xvfb did not start"; }
DISPLAY=":$(head -n1 "$WORK/display")"
export DISPLAY
unset WAYLAND_DISPLAY SDL_VIDEODRIVER
log "X server on $DISPLAY, $SCREEN, mode $MODE"

if [ -n "$WM" ]; then
  if [ "$WM" = openbox ]; then
    openbox --sm-disable >"$WORK/wm.log" 2>&1 &
  else
    matchbox-window-manager -use_titlebar no -use_cursor no >"$WORK/wm.log" 2>&1 &
  fi
  WM_PID=$!
  # The manager is up once it has claimed the root window's supporting-WM property.
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  kill -0 "$WM_PID" 2>/dev/null || { cat "$WORK/wm.log"; fail "the window manager did not start"; }
fi

if [ "$MODE" = wine ]; then
  export WINEPREFIX=$WORK/wine WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
  wineboot -i >"$WORK/wineboot.log" 2>&1 || { cat "$WORK/wineboot.log"; fail "wineboot failed"; }
  log "Wine prefix ready"
fi

mkdir -p "$WORK/elsewhere"
(cd "$WORK/elsewhere" && SDL_AUDIODRIVER=${SKYWARD_TEST_AUDIODRIVER:-dummy} \
  exec "${LAUNCHER[@]}" "${GAME_ARGS[@]}" >"$WORK/game.out" 2>"$WORK/game.err") &
GAME_PID=$!

# --- the window: found by its title, and given the size wanted (a window
# manager may take a moment for that; a window seen early may also be replaced)
WID=""
WIDTH=0
HEIGHT=0
X=0
Y=0
await_window() {  # await_window WIDTH HEIGHT: until the window has that size (15 s)
  local w geometry
  for _ in $(seq 150); do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
    for w in $(xdotool search --onlyvisible --name '^Skyward Run$' 2>/dev/null); do
      # xwininfo, not xdotool: under a reparenting manager (openbox) it gives the
      # window's place on the screen, where xdotool adds the frame once too often.
      geometry=$(xwininfo -id "$w" 2>/dev/null) || continue
      X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$geometry")
      Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$geometry")
      WIDTH=$(awk '/^ *Width:/ {print $NF}' <<<"$geometry")
      HEIGHT=$(awk '/^ *Height:/ {print $NF}' <<<"$geometry")
      WID=$w
      [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ] && return 0
    done
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no visible window named Skyward Run within 15 s"
  return 1
}
if [ "$MODE" = altenter ]; then
  # A window of the largest whole multiple that fits with its frame: 640 x 480 here.
  await_window 640 480 || fail "the window is ${WIDTH}x$HEIGHT at $X,$Y, not 640x480"
else
  await_window "$SCREEN_W" "$SCREEN_H" ||
    fail "the window does not cover the screen (${WIDTH}x$HEIGHT at $X,$Y)"
fi
log "window $WID at $X,$Y size ${WIDTH}x$HEIGHT"
# The icon beside the program is the window's icon.
# (SDL may replace the first X window by another when it sets up its renderer.)
has_icon=0
[ "$MODE" = wine ] && has_icon=1  # Windows takes it from the exe's resources
for _ in $(seq 30); do
  [ "$has_icon" = 1 ] && break
  for w in $(xdotool search --onlyvisible --name '^Skyward Run$' 2>/dev/null); do
    icon=$(xprop -id "$w" _NET_WM_ICON 2>/dev/null)
    [[ "$icon" == *"Icon (64 x 64)"* ]] && has_icon=1 && WID=$w && break 2
  done
  sleep 0.1
done
[ "$has_icon" = 1 ] || fail "the window has no 64 x 64 icon"
# Where the 640 x 480 picture must be, PW x PH from OX,OY: a whole multiple from
# 2x, below that the largest size that keeps the aspect; centred.
place_picture() {
  local whole=$(( WIDTH / 640 < HEIGHT / 480 ? WIDTH / 640 : HEIGHT / 480 ))
  if [ "$whole" -ge 2 ] || { [ "$whole" = 1 ] && { [ "$WIDTH" = 640 ] || [ "$HEIGHT" = 480 ]; }; }; then
    PW=$((640 * whole))
    PH=$((480 * whole))
  elif [ $((WIDTH * 480)) -le $((HEIGHT * 640)) ]; then
    PW=$WIDTH
    PH=$(( (WIDTH * 480 + 320) / 640 ))
  else
    PH=$HEIGHT
    PW=$(( (HEIGHT * 640 + 240) / 480 ))
  fi
  OX=$(( X + (WIDTH - PW) / 2 ))
  OY=$(( Y + (HEIGHT - PH) / 2 ))
  define_regions
  log "expecting the picture at ${PW}x$PH from $OX,$OY"
}

# --- screenshots and what is in them
N=0
shot() {  # shot NAME: the root window now, into $WORK/NAME.ppm
  [ "$1" != "$MEASURED" ] || MEASURED=""
  import -window root "$WORK/$1.ppm" 2>/dev/null || fail "cannot take a screenshot"
}
keep() {  # keep NAME: a copy for the reader, made a PNG at the end
  N=$((N + 1))
  cp "$WORK/$1.ppm" "$WORK/kept-$(printf %02d "$N")-$1.ppm"
  KEPT+=("kept-$(printf %02d "$N")-$1")
}
save_kept() {
  local k
  for k in "${KEPT[@]}"; do convert "$WORK/$k.ppm" "$SHOT_DIR/${k#kept-}.png"; done
}
same() { cmp -s "$WORK/$1.ppm" "$WORK/$2.ppm"; }

# The regions looked at, in one pass over a screenshot. Picture regions are in
# the picture's own 640 x 480 coordinates, taken to the whole screen pixels that
# lie inside them: with a scale between whole numbers (1366 x 768: 1.6) the
# play column's edge falls on a whole pixel, and a picture scaled sharply has
# black up to it and ink right after it, where a plain smooth scale would blur.
REGIONS=()
pic() {
  local x0=$(( ($1 * PW + 639) / 640 )) y0=$(( ($2 * PH + 479) / 480 ))
  local x1=$(( ($1 + $3) * PW / 640 )) y1=$(( ($2 + $4) * PH / 480 ))
  REGIONS+=("$((x1 - x0))x$((y1 - y0))+$((OX + x0))+$((OY + y0))")
}
scr() { if [ "$3" -gt 0 ] && [ "$4" -gt 0 ]; then REGIONS+=("$3x$4+$1+$2"); else REGIONS+=(""); fi; }
define_regions() {
  REGIONS=()
  scr "$X" "$Y" "$WIDTH" $((OY - Y))                                   # 0 above the picture
  scr "$X" $((OY + PH)) "$WIDTH" $((Y + HEIGHT - OY - PH))             # 1 below
  scr "$X" "$Y" $((OX - X)) "$HEIGHT"                                  # 2 left of it
  scr $((OX + PW)) "$Y" $((X + WIDTH - OX - PW)) "$HEIGHT"            # 3 right of it
  pic 0 0 130 458                                                      # 4 beside the play column, left
  pic 510 0 130 458                                                    # 5 beside it, right
  pic 130 0 2 458                                                      # 6 the column's left edge
  pic 508 0 2 458                                                      # 7 its right edge
  pic 130 0 380 458                                                    # 8 the whole column
  pic 0 462 120 8                                                      # 9 where the help line starts
}
# VALUES[i] = "brightest meanR meanG meanB" (0..255) of region i, for the
# screenshot MEASURED.
VALUES=()
MEASURED=""
measure() {  # measure NAME
  [ "$1" != "$MEASURED" ] || return 0
  local args=() r
  for r in "${REGIONS[@]}"; do
    [ -n "$r" ] || r=1x1+0+0  # an empty bar: stands for the screen corner, black or not at all
    args+=('(' +clone -crop "$r" +repage -format \
      '%[fx:int(255*max(maxima.r,max(maxima.g,maxima.b)))] %[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]\n' \
      -write info:- +delete ')')
  done
  mapfile -t VALUES < <(convert "$WORK/$1.ppm" "${args[@]}" null: 2>/dev/null)
  [ "${#VALUES[@]}" -eq "${#REGIONS[@]}" ] || fail "cannot measure the screenshot $1"
  MEASURED=$1
}
brightest() { local v; read -ra v <<<"${VALUES[$1]}"; echo "${v[0]}"; }
black() { [ "$(brightest "$1")" -eq 0 ]; }
ink() { [ "$(brightest "$1")" -gt 40 ]; }
# The help line: white text on dark blue along the bottom of the picture, where
# nothing else is ever drawn left of the play column.
help_line_measured() {
  local v
  read -ra v <<<"${VALUES[9]}"
  ink 9 && [ "${v[3]}" -gt $((v[1] + 30)) ] && [ "${v[3]}" -gt $((v[2] + 30)) ]
}
help_line() { measure "$1" && help_line_measured; }
# Nothing outside the picture, nothing beside the play column above the help
# line, something at both edges of the column: this pins the scale and the
# position in both directions.
check_frame() {  # check_frame NAME WHAT
  local name=$1 what=$2
  measure "$name"
  black 0 || fail "$what: ink above the picture"
  black 1 || fail "$what: ink below the picture"
  black 2 || fail "$what: ink left of the picture"
  black 3 || fail "$what: ink right of the picture"
  black 4 || fail "$what: the column left of the play column is not black"
  black 5 || fail "$what: the column right of the play column is not black"
  ink 6 || fail "$what: nothing at the left edge of the play column"
  ink 7 || fail "$what: nothing at the right edge of the play column"
  keep "$name"
}

# A key held briefly, as a finger does: the scenes look at the held key once a
# frame, so a press and release in the same instant could pass unseen.
tap() {  # tap KEY [SECONDS]
  xdotool keydown "$1" && sleep "${2:-0.15}" && xdotool keyup "$1"
}

# Waits (up to SECONDS) until TEST NAME holds on a fresh screenshot NAME.
await() {  # await SECONDS NAME TEST...
  local limit=$((SECONDS + $1)) name=$2
  shift 2
  while :; do
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early"
    shot "$name"
    "$@" "$name" && return 0
    [ "$SECONDS" -lt "$limit" ] || return 1
    sleep 0.2
  done
}
moving() {  # moving NAME: the picture changes within half a second
  sleep 0.5
  shot "$1-after"
  ! same "$1" "$1-after"
}
still() {  # still NAME: the picture stays the same for a second
  sleep 1
  shot "$1-after"
  same "$1" "$1-after"
}
setup_screen() { measure "$1" && ! help_line_measured && ink 8 && ! moving "$1"; }
# The stage's first frames may come before its backdrop reaches the screen.
playing() { measure "$1" && ! help_line_measured && ink 6 && ink 7 && moving "$1"; }

place_picture

# --- title
await 15 title help_line || fail "no help line on the title within 15 s"
log "title with its help line"
check_frame title "title"
# The focus must be ours, or the keys go nowhere.
timeout 3 xdotool windowfocus --sync "$WID" 2>/dev/null || true

# Taps KEY until TEST holds for a screenshot NAME (a press may go missing).
press_until() {  # press_until KEY NAME TEST
  local attempt
  for attempt in 1 2 3; do
    tap "$1"
    await 4 "$2" "$3" && { log "$2 after [$1]"; check_frame "$2" "$2"; return 0; }
    log "$2 not seen yet; pressing [$1] again"
  done
  fail "[$1] did not lead to the $2"
}
# [SPACE] to the setup screen, [Enter] starts stage 1.
play_into_stage() { press_until space setup setup_screen && press_until Return stage playing; }

# Alt+Enter, then the window at its new size, the picture in place and moving.
switch_screen() {  # switch_screen WIDTH HEIGHT NAME
  xdotool keydown alt keydown Return
  sleep 0.15
  xdotool keyup Return keyup alt
  await_window "$1" "$2" || fail "after Alt+Enter the window is ${WIDTH}x$HEIGHT, not $1x$2"
  log "Alt+Enter: window at $X,$Y size ${WIDTH}x$HEIGHT"
  place_picture
  await 4 "$3" playing || fail "the game does not go on after Alt+Enter ($3)"
  check_frame "$3" "$3"
  timeout 3 xdotool windowfocus --sync "$WID" 2>/dev/null || true
}

if [ "$MODE" = altenter ]; then
  play_into_stage
  switch_screen "$SCREEN_W" "$SCREEN_H" fullscreen
  switch_screen 640 480 windowed
elif [ "$MODE" != title ]; then
play_into_stage

# --- a few seconds of play: fire, steer left, up, right, down
xdotool keydown z
for key in Left Up Right Down; do
  xdotool keydown "$key"
  sleep 0.7
  xdotool keyup "$key"
done
shot play
xdotool keyup z
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during play"
check_frame play "play"

# --- [S] pauses: the picture stands still; [S] again and it moves on
tap s
await 6 paused still || fail "the picture still moves after [S]"
check_frame paused "pause"
log "paused"
tap s
await 4 resumed playing || fail "the game did not resume after the second [S]"
log "resumed"
keep resumed
fi

# --- [ESC] ends the game with status 0
tap Escape
for _ in $(seq 100); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game was still running 10 s after [ESC]"
wait "$GAME_PID"
status=$?
pid=$GAME_PID
GAME_PID=""
[ "$status" -eq 0 ] || fail "the game (pid $pid) ended with status $status after [ESC]"
if grep -E "^zu[A-Za-z]*::[A-Za-z]+ : " "$WORK/game.err"; then
  fail "the game reported errors"
fi
# Where the screen offers 640 x 480 the game takes it; on a larger one Wine
# refuses the mode, and the game plays on, scaled, saying so in one line.
if [ "$MODE" = wine ]; then
  fallback=$(grep -c "playing in a window instead" "$WORK/game.err")
  if [ "$SCREEN" = 640x480 ]; then
    [ "$fallback" = 0 ] || fail "the display mode was refused"
  else
    [ "$fallback" = 1 ] || fail "no line about the refused display mode"
  fi
  # The game's lines on standard error are in its log in the user's data folder too.
  tr -d '\r' <"$WORK/game.err" | grep -E "^(Skyward Run|skyward-run|DirectDraw|zu[A-Za-z]*::)" >"$WORK/notices.txt"
  if [ -s "$WORK/notices.txt" ]; then
    log_file=$(find "$WINEPREFIX/drive_c/users" -path "*/AppData/Local/skyward-run/skyward-run.log" 2>/dev/null | head -n1)
    [ -n "$log_file" ] || fail "no skyward-run.log in the user's data folder"
    tr -d '\r' <"$log_file" >"$WORK/log.txt"
    while IFS= read -r line; do
      grep -qxF -- "$line" "$WORK/log.txt" || fail "the log lacks the line: $line"
    done <"$WORK/notices.txt"
    log "the game's lines on standard error are in the log too ($(wc -l <"$WORK/notices.txt"))"
  fi
fi
save_kept
log "ended with status 0 after [ESC]; screenshots in $SHOT_DIR"
exit 0
