#!/usr/bin/env bash
# Another platform's headless runner plays the committed fixed-seed replay and
# must write the very per-frame trace the Linux runner writes; the replay file
# it records meanwhile must play back on Linux with that same trace.
#
# usage: cross_replay_trace_test.sh NAME LINUX_BIN_DIR DATA_DIR RUNNER...
#   NAME     the other platform, for the messages (Windows, web)
#   RUNNER   the command that starts its runner (wine .../skyward-replay.exe,
#            node .../skyward-replay.js); it is run in a scratch folder
# Exit 0 when the traces are the same, 77 when the runner's host is missing, 1 otherwise.
set -uo pipefail

NAME=$1
LINUX_BIN=$2
DATA=$3
shift 3
RUNNER=("$@")
command -v "${RUNNER[0]}" >/dev/null 2>&1 || { echo "SKIP: ${RUNNER[0]} is not installed"; exit 77; }

WORK=$(mktemp -d "${TMPDIR:-/tmp}/skyward-trace.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
ARGS=(--seed 1 --frames 6000 --input input.txt)
cp "$DATA/replay_input.txt" "$WORK/input.txt"

# Relative names: the same arguments mean the same files to both programs.
(cd "$WORK" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$LINUX_BIN/skyward-replay" "${ARGS[@]}" --trace linux.jsonl) ||
  { echo "FAIL: the Linux runner failed"; exit 1; }
(cd "$WORK" && "${RUNNER[@]}" "${ARGS[@]}" --trace other.jsonl --record other.skr) ||
  { echo "FAIL: the $NAME runner failed (status $?)"; exit 1; }

# A text file on Windows may end its lines with CR LF; the content is what counts.
tr -d '\r' <"$WORK/other.jsonl" >"$WORK/other.txt"
frames=$(wc -l <"$WORK/linux.jsonl")
if ! cmp -s "$WORK/linux.jsonl" "$WORK/other.txt"; then
  awk -v name="$NAME" 'NR == FNR { want[FNR] = $0; n = FNR; next }
       $0 != want[FNR] { printf "FAIL: first difference at frame %d\n  Linux: %s\n  %s: %s\n", FNR, want[FNR], name, $0; bad = 1; exit }
       END { if (!bad && FNR != n) printf "FAIL: %d frames on Linux, %d on %s\n", n, FNR, name }' \
    "$WORK/linux.jsonl" "$WORK/other.txt"
  exit 1
fi
(cd "$WORK" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$LINUX_BIN/skyward-replay" --replay other.skr --trace played.jsonl >verdict.txt) ||
  { echo "FAIL: the $NAME recording did not play back on Linux: $(cat "$WORK/verdict.txt")"; exit 1; }
if ! cmp -s "$WORK/linux.jsonl" "$WORK/played.jsonl"; then
  echo "FAIL: the $NAME recording played on Linux gives another trace"
  exit 1
fi
echo "the same $frames frames on Linux and $NAME, and from the $NAME recording played on Linux ($(cat "$WORK/verdict.txt"))"
