#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan + coverage) into
# build-fuzz/ (or $FUZZ_BUILD_DIR), writes the seed corpora, replays the
# inputs in fuzz/regressions/, then fuzzes each target for SECONDS (default
# 60; 0 only builds and replays), as many side by side as there are cores.
# Exits non-zero on any crash, timeout, leak, out-of-memory or oversized
# allocation.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     targets: load roundtrip clipboard sort_order reflist
#
# FUZZ_NO_BUILD=1 skips the build (for several runs side by side);
# FUZZ_ARGS adds libFuzzer flags (for example -jobs or -dict). A build folder
# already configured with the fuzz targets (such as the one of
# scripts/sanitize.sh) is used as it is configured.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
SECONDS_PER_TARGET=${1:-60}
shift || true
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then TARGETS=(load roundtrip clipboard sort_order reflist); fi
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}

if ! command -v clang++ > /dev/null; then
  echo "fuzz: clang++ is missing (scripts/setup.sh installs it)" >&2
  exit 2
fi

if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
  if ! grep -qx 'VE_BUILD_FUZZ:BOOL=ON' "$BUILD/CMakeCache.txt" 2> /dev/null; then
    cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DVE_BUILD_FUZZ=ON -DVE_BUILD_GUI=OFF -DVE_BUILD_TESTS=OFF -DVE_BUILD_BENCH=OFF > /dev/null
  fi
  cmake --build "$BUILD" -j "$(nproc)" --target fuzz_load fuzz_roundtrip fuzz_clipboard fuzz_sort_order \
    fuzz_reflist fuzz_make_seeds > /dev/null
  "$BUILD/fuzz/fuzz_make_seeds" "$BUILD/seeds/db" "$BUILD/seeds/clip" "$BUILD/seeds/order" "$BUILD/seeds/reflist"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:allocator_may_return_null=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# Limits: 5 s per input; 64 MB for any single allocation, far above the
# largest one a 4 MB input justifies (the payload is copied at most twice);
# the harness itself checks allocations against the input size (AllocGuard).
COMMON=(-timeout=5 -rss_limit_mb=2048 -malloc_limit_mb=64 -print_final_stats=1)

status=0
failed=()

# Every stored reproducer must pass: files are named after their target.
for f in fuzz/regressions/*; do
  [ -f "$f" ] || continue
  name=$(basename "$f")
  target=${name%%-*}
  case "$target" in load | roundtrip | clipboard | sort_order | reflist) ;; *) continue ;; esac
  if ! "$BUILD/fuzz/fuzz_$target" "${COMMON[@]}" "$f" > "$BUILD/regression-$name.log" 2>&1; then
    echo "fuzz: regression input $name fails (log: $BUILD/regression-$name.log)"
    tail -n 20 "$BUILD/regression-$name.log"
    status=1
    failed+=("regression:$name")
  fi
done

# One target per core at a time: each still runs its full SECONDS on a core
# of its own, and the run takes a fraction of the time one after another.
fuzz_target() {
  local t=$1 seeds extra
  case "$t" in
    load | roundtrip) seeds="$BUILD/seeds/db"; extra=(-max_len=4194304) ;;
    clipboard) seeds="$BUILD/seeds/clip"; extra=(-max_len=65536) ;;
    sort_order) seeds="$BUILD/seeds/order"; extra=(-max_len=65536) ;;
    reflist) seeds="$BUILD/seeds/reflist"; extra=(-max_len=65536) ;;
  esac
  local corpus="$BUILD/corpus/$t"
  mkdir -p "$corpus"
  # shellcheck disable=SC2086
  "$BUILD/fuzz/fuzz_$t" "${COMMON[@]}" "${extra[@]}" -max_total_time="$SECONDS_PER_TARGET" \
    -artifact_prefix="$ROOT/$BUILD/artifacts/$t-" ${FUZZ_ARGS:-} "$corpus" "$seeds" > "$BUILD/logs/$t.log" 2>&1
}

report_target() {
  local t=$1 rc=$2 log="$BUILD/logs/$1.log"
  # the last status line: executions, coverage, features, corpus
  grep -E '^#[0-9]+' "$log" | tail -n 1 || true
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
  if [ "$rc" -ne 0 ]; then
    echo "fuzz: $t FAILED (exit $rc)"
    grep -E 'ERROR|SUMMARY|==vefuzz==|runtime error|Test unit written' "$log" | head -n 20 || true
    status=1
    failed+=("$t")
  fi
}

if [ "$SECONDS_PER_TARGET" -gt 0 ]; then
  mkdir -p "$BUILD/logs" "$BUILD/artifacts"
  for t in "${TARGETS[@]}"; do
    case "$t" in
      load | roundtrip | clipboard | sort_order | reflist) ;;
      *) echo "fuzz: unknown target $t" >&2; exit 2 ;;
    esac
  done
  slots=$(nproc)
  for ((i = 0; i < ${#TARGETS[@]}; i += slots)); do
    batch=("${TARGETS[@]:i:slots}")
    pids=()
    for t in "${batch[@]}"; do
      echo "fuzz: $t for $SECONDS_PER_TARGET s (log: $BUILD/logs/$t.log)"
      fuzz_target "$t" &
      pids+=($!)
    done
    for k in "${!batch[@]}"; do
      rc=0
      wait "${pids[$k]}" || rc=$?
      report_target "${batch[$k]}" "$rc"
    done
  done
fi

if [ "$status" -ne 0 ]; then
  echo "fuzz: failing: ${failed[*]}"
else
  echo "fuzz: every target ran clean"
fi
exit "$status"
