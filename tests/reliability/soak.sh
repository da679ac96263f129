#!/usr/bin/env bash
# Long run: hours of game time on the virtual clock in one skyward-replay
# process: attract cycles of the title, whole games with continues, declined
# continues (game over), starfield games. Samples the process's resident memory
# as it goes and prints it at start, after the first game minute and at the end.
#   tests/reliability/soak.sh [BIN_DIR] [HOURS]    (default build/bin, 8 hours)
# A sanitizer build's BIN_DIR makes it a sanitizer soak as well.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BIN="${1:-$ROOT/build/bin}"
HOURS="${2:-8}"
FRAMES=$(( HOURS * 3600 * 1000 / 12 ))
WORK="$(mktemp -d -t skyward-soak.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT

# One cycle: a whole game held on fire with every continue taken (back to the
# title on its own), a full attract cycle, a game with the continue declined,
# and a starfield game. Frame counts leave room for every scene to end.
awk -v total="$FRAMES" 'BEGIN {
  f = 10
  while (f < total) {
    print f, "down space"; print f + 2, "up space"
    print f + 20, "down enter"; print f + 22, "up enter"
    print f + 30, "down z"; print f + 30, "down y"
    f += 26000
    print f, "up z"; print f, "up y"
    f += 10000                                  # the attract cycle wraps at 9500
    print f, "down space"; print f + 2, "up space"
    print f + 20, "down enter"; print f + 22, "up enter"
    print f + 30, "down n"
    f += 12000
    print f, "up n"
    f += 100
    print f, "down space"; print f + 2, "up space"
    print f + 10, "down f4"; print f + 12, "up f4"
    print f + 20, "down enter"; print f + 22, "up enter"
    print f + 30, "down z"; print f + 30, "down y"
    f += 26000
    print f, "up z"; print f, "up y"
    f += 100
  }
}' > "$WORK/input.txt"

echo "soak: $HOURS h of game time = $FRAMES frames, $(wc -l < "$WORK/input.txt") input events"
start=$(date +%s)
"$BIN/skyward-replay" --seed 2024 --frames "$FRAMES" --input "$WORK/input.txt" \
  2> "$WORK/stderr.txt" &
pid=$!
: > "$WORK/rss.txt"
while kill -0 "$pid" 2>/dev/null; do
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
  [ -n "$rss" ] && echo "$(( $(date +%s) - start )) $rss" >> "$WORK/rss.txt"
  sleep 2
done
status=0
wait "$pid" || status=$?
end=$(date +%s)
secs=$(( end - start ))
[ "$secs" -gt 0 ] || secs=1
fps=$(( FRAMES / secs ))
# Wall time at which one game minute (5000 frames) had passed.
minute=$(( 5000 / (fps > 0 ? fps : 1) + 1 ))
first=$(head -1 "$WORK/rss.txt" | awk '{print $2}')
after=$(awk -v t="$minute" '$1 >= t {print $2; exit}' "$WORK/rss.txt")
last=$(tail -1 "$WORK/rss.txt" | awk '{print $2}')
peak=$(awk 'BEGIN {m = 0} $2 > m {m = $2} END {print m}' "$WORK/rss.txt")
echo "soak: exit $status after $secs s wall ($fps frames/s)"
echo "soak: resident memory KiB: first sample $first, after the first game minute ${after:-?}, end $last, peak $peak"
echo "soak: standard error ($(wc -l < "$WORK/stderr.txt") lines):"
head -20 "$WORK/stderr.txt"
[ "$status" -eq 0 ] && [ ! -s "$WORK/stderr.txt" ]
