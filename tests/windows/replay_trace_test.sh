#!/usr/bin/env bash
# The Windows headless runner under Wine plays the committed fixed-seed replay
# and must write the very per-frame trace the Linux runner writes; the replay
# file it records meanwhile must play back on Linux with that same trace.
#
# usage: replay_trace_test.sh WINDOWS_BIN_DIR LINUX_BIN_DIR DATA_DIR
# Exit 0 when the traces are the same, 77 when Wine is missing, 1 otherwise.
set -uo pipefail

WIN_BIN=$1
LINUX_BIN=$2
DATA=$3
command -v wine >/dev/null 2>&1 || { echo "SKIP: wine is not installed"; exit 77; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/skyward-trace.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
ARGS=(--seed 1 --frames 6000 --input input.txt)
cp "$DATA/replay_input.txt" "$WORK/input.txt"

# Relative names: the same arguments mean the same files to both programs.
(cd "$WORK" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$LINUX_BIN/skyward-replay" "${ARGS[@]}" --trace linux.jsonl) ||
  { echo "FAIL: the Linux runner failed"; exit 1; }
(cd "$WORK" && wine "$WIN_BIN/skyward-replay.exe" "${ARGS[@]}" --trace windows.jsonl --record windows.skr) ||
  { echo "FAIL: the Windows runner failed (status $?)"; exit 1; }

# A text file on Windows may end its lines with CR LF; the content is what counts.
tr -d '\r' <"$WORK/windows.jsonl" >"$WORK/windows.txt"
frames=$(wc -l <"$WORK/linux.jsonl")
if ! cmp -s "$WORK/linux.jsonl" "$WORK/windows.txt"; then
  awk 'NR == FNR { want[FNR] = $0; n = FNR; next }
       $0 != want[FNR] { printf "FAIL: first difference at frame %d\n  Linux:   %s\n  Windows: %s\n", FNR, want[FNR], $0; bad = 1; exit }
       END { if (!bad && FNR != n) printf "FAIL: %d frames on Linux, %d on Windows\n", n, FNR }' \
    "$WORK/linux.jsonl" "$WORK/windows.txt"
  exit 1
fi
(cd "$WORK" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$LINUX_BIN/skyward-replay" --replay windows.skr --trace played.jsonl >verdict.txt) ||
  { echo "FAIL: the Windows recording did not play back on Linux: $(cat "$WORK/verdict.txt")"; exit 1; }
if ! cmp -s "$WORK/linux.jsonl" "$WORK/played.jsonl"; then
  echo "FAIL: the Windows recording played on Linux gives another trace"
  exit 1
fi
echo "the same $frames frames on both, and from the Windows recording played on Linux ($(cat "$WORK/verdict.txt"))"
