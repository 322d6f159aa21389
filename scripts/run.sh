#!/usr/bin/env bash
# Sets up, builds the editor and ndbtool (not the tests), writes the demo
# database and starts the editor on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_TARGETS="vandreledit2028 ndbtool" bash scripts/build.sh
build/tools/ndbtool/ndbtool demo build/demo.ndb
build/tools/ndbtool/ndbtool info build/demo.ndb
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kein Bildschirm gefunden (DISPLAY ist nicht gesetzt). Ohne Bildschirm startet der Editor so:"
  echo "  xvfb-run -a -s '-screen 0 1400x900x24' build/src/app/vandreledit2028 build/demo.ndb"
  exit 0
fi
exec build/src/app/vandreledit2028 build/demo.ndb
