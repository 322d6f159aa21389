#!/usr/bin/env bash
# Builds the whole editor and every test (GUI tests included, on the
# offscreen platform) with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ (or $ASAN_BUILD_DIR) and runs them. The same build holds
# the libFuzzer targets (the code carries the fuzzer's coverage counters,
# which the tests do not notice), so scripts/fuzz.sh can run them from here
# instead of compiling the core a second time with the same sanitizers:
#   FUZZ_BUILD_DIR=build-asan bash scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler cache entries are found from any checkout of the tree.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(pwd)}" CCACHE_NOHASHDIR=1
BUILD=${ASAN_BUILD_DIR:-build-asan}
CXX_FOR_ASAN=${ASAN_CXX:-clang++}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$CXX_FOR_ASAN" \
  -DVE_SANITIZE=ON -DVE_BUILD_FUZZ=ON -DVE_BUILD_GUI=ON -DVE_BUILD_TESTS=ON -DVE_BUILD_BENCH=OFF > /dev/null
cmake --build "$BUILD" -j "$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD" --output-on-failure -j "$(nproc)"
