#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $BUILD_DIR):
# everything, or only the targets named in $BUILD_TARGETS, with the flags of
# the package (scripts/release-flags.sh) and debug information.
set -euo pipefail
cd "$(dirname "$0")/.."
# Compiler cache entries are found from any checkout of the tree.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(pwd)}" CCACHE_NOHASHDIR=1
# shellcheck source=scripts/release-flags.sh
source scripts/release-flags.sh
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" "${VE_RELEASE_FLAGS[@]}" -DVE_BUILD_GUI=ON -DVE_BUILD_TESTS=ON "$@" > /dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
