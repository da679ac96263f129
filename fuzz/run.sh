#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each in turn for a set time.
#   fuzz/run.sh [SECONDS] [TARGET ...]     (default 600 s each; targets:
#   bmp_load wave_read midi_check replay_script replay_read)
# Inputs that crash are copied to tests/data/fuzz/TARGET/, where they seed later
# runs; each becomes a case in its reader's own test, written by hand. The corpus
# grows under build-fuzz/corpus/ between runs.
set -uo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/bootstrap.sh"
set +e
ensure_packages "${RUNTIME_PACKAGES[@]}" clang libclang-rt-14-dev

SECONDS_EACH="${1:-600}"
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(bmp_load wave_read midi_check replay_script replay_read)

OUT="${SKYWARD_FUZZ_DIR:-$ROOT/build-fuzz}"
if [ ! -f "$OUT/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$ROOT/fuzz" -B "$OUT" -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1
fi
cmake --build "$OUT" -j2 || exit 1
"$OUT/fuzz_seeds" "$OUT/seeds" || exit 1

declare -A DICT=([bmp_load]=bmp.dict [wave_read]=wave.dict [midi_check]=midi.dict
  [replay_script]=script.dict [replay_read]=replay.dict)
declare -A MAXLEN=([bmp_load]=65536 [wave_read]=16384 [midi_check]=8192 [replay_script]=4096 [replay_read]=4096)

status=0
for t in "${TARGETS[@]}"; do
  corpus="$OUT/corpus/$t"
  artifacts="$OUT/artifacts/$t"
  keep="$ROOT/tests/data/fuzz/$t"
  mkdir -p "$corpus" "$artifacts" "$OUT/logs"
  log="$OUT/logs/$t.log"
  seeds=("$OUT/seeds/$t")
  [ -d "$keep" ] && seeds+=("$keep")
  echo "== $t: $SECONDS_EACH s (log $log)"
  # -close_fd_mask=2 keeps the library's error lines out of the log; crash
  # reports still come through.
  ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1" \
  UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
  timeout $((SECONDS_EACH + 120)) "$OUT/fuzz_$t" "$corpus" "${seeds[@]}" \
    -max_total_time="$SECONDS_EACH" -max_len="${MAXLEN[$t]}" \
    -dict="$ROOT/fuzz/${DICT[$t]}" -artifact_prefix="$artifacts/" \
    -close_fd_mask=2 -print_final_stats=1 -rss_limit_mb=2048 -timeout=10 >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  secs=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  echo "   exit $rc, ${runs:-?} executions in ${secs:-$SECONDS_EACH} s, $cov, corpus $(ls "$corpus" | wc -l) files"
  for a in "$artifacts"/crash-* "$artifacts"/leak-* "$artifacts"/timeout-* "$artifacts"/oom-*; do
    [ -e "$a" ] || continue
    mkdir -p "$keep"
    cp -n "$a" "$keep/"
    echo "   kept $(basename "$a") in tests/data/fuzz/$t/"
    status=1
  done
  [ $rc -ne 0 ] && status=1
done
exit $status
