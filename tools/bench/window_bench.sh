#!/usr/bin/env bash
# The real game in a real window, as a player's machine sees it: an X server of
# its own at a given size with a window manager, the game played from the title
# into stage 1 by synthetic keys, then measured for SECONDS while the ship fires
# and steers. Reports, per run and as the median of the runs: processor time of
# the game (all threads, and its main thread alone) and of the X server in % of
# one core, frames presented per second, the slowest frame against the median
# frame, peak resident memory, and whether an OpenGL library was loaded.
# Not a test: figures depend on the machine and on whatever else runs.
#
# usage: window_bench.sh BUILD_DIR [--sizes 640x480,1280x1024] [--paths auto,texture,window,nodraw]
#                        [--runs 3] [--seconds 30] [--game-args "..."]
#   auto     the present the game chooses          texture / window   one path forced
#   nodraw   nothing reaches the screen (the probe swallows the present): the pace
#            of the game's own work and sleeps, the reference for frames per second
set -uo pipefail
unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER SDL_RENDER_DRIVER

BUILD_DIR=$(cd "$1" && pwd)
shift
SIZES=640x480,1280x1024
PATHS=auto,texture,window,nodraw
RUNS=3
SECONDS_MEASURED=30
GAME_ARGS=""
while [ $# -gt 0 ]; do
  case $1 in
    --sizes) SIZES=$2; shift 2 ;;
    --paths) PATHS=$2; shift 2 ;;
    --runs) RUNS=$2; shift 2 ;;
    --seconds) SECONDS_MEASURED=$2; shift 2 ;;
    --game-args) GAME_ARGS=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done
GAME=$BUILD_DIR/bin/skyward-run
PROBE=$BUILD_DIR/lib/libskyward-present-probe.so
for need in "$GAME" "$PROBE"; do
  [ -e "$need" ] || { echo "missing $need (build the skyward-bench target)" >&2; exit 1; }
done
for tool in Xvfb xdotool xprop matchbox-window-manager; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/skyward-wbench.XXXXXX")
XVFB_PID="" WM_PID="" GAME_PID="" STEER_PID=""
stop_all() {
  local pid
  for pid in "$STEER_PID" "$GAME_PID" "$WM_PID" "$XVFB_PID"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  STEER_PID="" GAME_PID="" WM_PID="" XVFB_PID=""
}
trap 'stop_all; rm -rf "$WORK"' EXIT

ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
hz=$(getconf CLK_TCK)

run_once() {  # run_once SIZE PATH -> one line of figures
  local size=$1 path=$2
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp -noreset 5>"$WORK/display" \
    2>"$WORK/xvfb.log" &
  XVFB_PID=$!
  for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$WORK/display")"
  matchbox-window-manager -use_titlebar no -use_cursor no >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  local env=(SDL_AUDIODRIVER=dummy LD_PRELOAD="$PROBE" SKYWARD_PROBE_FILE="$WORK/stamps")
  case $path in
    texture | window) env+=(SKYWARD_PRESENT=$path) ;;
    nodraw) env+=(SKYWARD_PROBE_NODRAW=1) ;;
  esac
  # shellcheck disable=SC2086
  env "${env[@]}" "$GAME" $GAME_ARGS >"$WORK/game.out" 2>"$WORK/game.err" &
  GAME_PID=$!
  local wid=""
  for _ in $(seq 150); do
    wid=$(xdotool search --onlyvisible --name '^Skyward Run$' 2>/dev/null | tail -n1)
    [ -n "$wid" ] && break
    sleep 0.1
  done
  [ -n "$wid" ] || { echo "no window" >&2; cat "$WORK/game.err" >&2; stop_all; return 1; }
  sleep 3
  timeout 3 xdotool windowfocus --sync "$wid" 2>/dev/null
  xdotool keydown space; sleep 0.2; xdotool keyup space; sleep 1.5
  xdotool keydown Return; sleep 0.2; xdotool keyup Return; sleep 3
  # Fire all the time and sweep left and right, as a player does.
  ( xdotool keydown z
    while :; do
      for key in Left Right Right Left; do
        xdotool keydown $key; sleep 0.8; xdotool keyup $key
      done
    done ) &
  STEER_PID=$!
  sleep 1
  local g0 m0 x0 c0 g1 m1 x1 c1
  g0=$(ticks "$GAME_PID"); m0=$(ticks "$GAME_PID/task/$GAME_PID"); x0=$(ticks "$XVFB_PID")
  c0=$(od -An -t u8 -N8 "$WORK/stamps" | tr -d ' ')
  sleep "$SECONDS_MEASURED"
  g1=$(ticks "$GAME_PID"); m1=$(ticks "$GAME_PID/task/$GAME_PID"); x1=$(ticks "$XVFB_PID")
  c1=$(od -An -t u8 -N8 "$WORK/stamps" | tr -d ' ')
  local hwm gl
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$GAME_PID/status")
  gl=no
  grep -qE 'libGL|libEGL|libLLVM|_dri\.so|libgallium' "/proc/$GAME_PID/maps" && gl=yes
  local frames
  frames=$(od -An -v -t u8 -j $((8 + 8 * c0)) -N $((8 * (c1 - c0))) "$WORK/stamps" |
    tr -s ' ' '\n' | grep -v '^$' |
    awk 'NR > 1 { printf "%.3f\n", ($1 - prev) / 1e6 } { prev = $1 }' | sort -n |
    awk '{ d[NR] = $1 } END { if (NR == 0) print "0 0"; else print d[int((NR + 1) / 2)], d[NR] }')
  kill "$STEER_PID" 2>/dev/null; wait "$STEER_PID" 2>/dev/null; STEER_PID=""
  xdotool keyup z Left Right 2>/dev/null
  awk -v g=$((g1 - g0)) -v m=$((m1 - m0)) -v x=$((x1 - x0)) -v c=$((c1 - c0)) \
      -v s="$SECONDS_MEASURED" -v hz="$hz" -v hwm="$hwm" -v f="$frames" -v gl="$gl" \
    'BEGIN { split(f, a, " "); printf "%.1f %.1f %.1f %.1f %.2f %.2f %.1f %s\n",
             100 * g / hz / s, 100 * m / hz / s, 100 * x / hz / s, c / s, a[1], a[2],
             hwm / 1024, gl }'
  stop_all
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

echo "# $(uname -m), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1 /proc/loadavg)"
echo "| screen | path | game % | main thread % | X server % | frames/s | median frame ms | slowest frame ms | peak RSS MB | GL loaded |"
echo "|---|---|---:|---:|---:|---:|---:|---:|---:|---|"
for size in ${SIZES//,/ }; do
  for path in ${PATHS//,/ }; do
    : >"$WORK/rows"
    for r in $(seq "$RUNS"); do
      row=$(run_once "$size" "$path") || continue
      echo "$row" >>"$WORK/rows"
      echo "  run $r $size $path: $row" >&2
    done
    [ -s "$WORK/rows" ] || continue
    cols=()
    for c in 1 2 3 4 5 6 7; do cols+=("$(cut -d' ' -f$c "$WORK/rows" | median)"); done
    gl=$(cut -d' ' -f8 "$WORK/rows" | sort -u | paste -sd/)
    echo "| ${size/x/ × } | $path | ${cols[0]} | ${cols[1]} | ${cols[2]} | ${cols[3]} | ${cols[4]} | ${cols[5]} | ${cols[6]} | $gl |"
  done
done
