#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake -S . -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVE_BUILD_GUI=ON -DVE_BUILD_TESTS=ON "$@" > /dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
