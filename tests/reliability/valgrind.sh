#!/usr/bin/env bash
# Memcheck over a short scripted game (title, setup, stage 1 with fire):
# reports every error, and every loss record whose allocation passes through
# our own code (a frame in a source file of app/, lib/, game/ or tools/replay/).
# Losses made wholly inside system libraries (fontconfig, FluidSynth, SDL's
# drivers) are counted in the summary only, and so are blocks still reachable
# at exit.
#   tests/reliability/valgrind.sh [BIN_DIR] [FRAMES]   (default build/bin, 1500)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BIN="${1:-$ROOT/build/bin}"
FRAMES="${2:-1500}"
command -v valgrind >/dev/null || { echo "valgrind is not installed (apt-get install valgrind)"; exit 2; }
WORK="$(mktemp -d "${TMPDIR:-/tmp}/skyward-valgrind.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
printf '10 down space\n12 up space\n30 down enter\n32 up enter\n40 down z\n40 down y\n' \
  > "$WORK/input.txt"
status=0
valgrind --leak-check=full --show-leak-kinds=all --num-callers=40 --error-exitcode=99 \
  --log-file="$WORK/memcheck.txt" \
  "$BIN/skyward-replay" --seed 11 --frames "$FRAMES" --input "$WORK/input.txt" \
  2> "$WORK/stderr.txt" || status=$?
grep -A6 "HEAP SUMMARY" "$WORK/memcheck.txt" | sed 's/^==[0-9]*== //'
grep -A7 "LEAK SUMMARY" "$WORK/memcheck.txt" | sed 's/^==[0-9]*== //'
grep "ERROR SUMMARY" "$WORK/memcheck.txt" | sed 's/^==[0-9]*== //'
# Loss records (blank-line separated blocks) with a frame in one of our sources.
names=$(cd "$ROOT" && find app lib game tools/replay -name '*.cpp' -printf '%f\n' | sort -u |
        sed 's/\./\\./' | paste -sd'|')
ours=$(sed 's/^==[0-9]*== //' "$WORK/memcheck.txt" |
       awk -v re="\\((${names}):[0-9]+\\)" 'BEGIN {RS = ""}
         /are (definitely|indirectly|possibly) lost/ && $0 ~ re' || true)
if [ -n "$ours" ]; then
  echo "valgrind: losses through our code:"
  echo "$ours" | sed 's/^==[0-9]*== //'
  status=1
else
  echo "valgrind: no loss record passes through our code"
fi
echo "valgrind: replay exit $status, standard error $(wc -l < "$WORK/stderr.txt") lines"
exit $status
