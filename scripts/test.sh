#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build with the GUI tests,
# then the Debian package (built, checked, installed and purged again by
# scripts/package.sh), then everything again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of every fuzz target
# (VE_FUZZ_SECONDS each, default 60). VE_QUICK=1 stops after the normal
# build's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
if [ "${VE_QUICK:-0}" = 1 ]; then
  exit 0
fi
bash scripts/package.sh
bash scripts/sanitize.sh
# The sanitizer build holds the fuzz targets too: the core is not compiled
# again with the same sanitizers.
FUZZ_BUILD_DIR=${ASAN_BUILD_DIR:-build-asan} bash scripts/fuzz.sh "${VE_FUZZ_SECONDS:-60}"
