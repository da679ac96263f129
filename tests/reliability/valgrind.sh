#!/usr/bin/env bash
# Memcheck over a short scripted game (title, setup, stage 1 with fire):
# prints the heap, leak and error summaries, and fails on every lost block
# that our own code allocated (see below). Losses of system libraries
# (FluidSynth's GObject types, fontconfig) are counted in the summary only,
# and so are blocks still reachable at exit.
#   tests/reliability/valgrind.sh [BIN_DIR] [FRAMES]   (default build/bin, 1500)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BIN="${1:-$ROOT/build/bin}"
FRAMES="${2:-1500}"
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)"; exit 2; }
WORK="$(mktemp -d -t skyward-valgrind.XXXXXX)"
trap 'rm -rf "$WORK"' EXIT
printf '10 down space\n12 up space\n30 down enter\n32 up enter\n40 down z\n40 down y\n' \
  > "$WORK/input.txt"
status=0
valgrind --leak-check=full --show-leak-kinds=all --errors-for-leak-kinds=none \
  --num-callers=40 --error-exitcode=99 \
  --log-file="$WORK/memcheck.txt" \
  "$BIN/skyward-replay" --seed 11 --frames "$FRAMES" --input "$WORK/input.txt" \
  2> "$WORK/stderr.txt" || status=$?
grep -A2 "HEAP SUMMARY" "$WORK/memcheck.txt" | sed 's/^==[0-9]*== //'
grep -A7 "LEAK SUMMARY" "$WORK/memcheck.txt" | sed 's/^==[0-9]*== //'
grep "ERROR SUMMARY" "$WORK/memcheck.txt" | sed 's/^==[0-9]*== //'
# A loss is ours when the block was allocated by our code: walking out from
# the allocator, past SDL's own allocating calls (a surface, a chunk, a texture
# we asked for), the first frame is in one of our sources. Blocks that a
# library allocates for itself while we call it (the synthesizer's GObject
# types, fontconfig's caches) are not.
names=$(cd "$ROOT" && find app lib game tools/replay -name '*.cpp' -printf '%f\n' | sort -u |
        sed 's/\./\\./' | paste -sd'|')
ours=$(sed 's/^==[0-9]*== //' "$WORK/memcheck.txt" |
       awk -v re="\\((${names}):[0-9]+\\)" 'BEGIN {RS = ""; FS = "\n"}
         /are (definitely|indirectly|possibly) lost/ {
           for (i = 1; i <= NF; ++i) {
             if ($i !~ /^ *(at|by) 0x/) continue
             if ($i ~ /valgrind|libSDL2/) continue
             if ($i ~ re) print
             break
           }
         }' || true)
if [ -n "$ours" ]; then
  echo "valgrind: losses allocated by our code:"
  echo "$ours"
  status=1
else
  echo "valgrind: no lost block was allocated by our code"
fi
echo "valgrind: replay exit $status, standard error $(wc -l < "$WORK/stderr.txt") lines"
exit $status
