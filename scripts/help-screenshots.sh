#!/usr/bin/env bash
# Takes the pictures of the user manual (resources/help/*.png) again from the
# built editor on the demo database, under a virtual display, and stores them
# as small palette PNGs. Look at every picture before committing it.
#   bash scripts/help-screenshots.sh [REVIEW_DIR]
# REVIEW_DIR, when given, also receives hilfefenster.png: the manual window
# showing a page with a picture, for a look at the result.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
bash scripts/setup.sh
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  bash scripts/build.sh
fi
cmake --build "$BUILD_DIR" -j "$(nproc)" --target ndbtool help_screenshots

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD_DIR/tools/ndbtool/ndbtool" demo "$work/demo.ndb"
# A home of its own: the run reads and writes no settings of the user.
mkdir -p "$work/home"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
  QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1480x900x24' \
  "$BUILD_DIR/tools/helpshots/help_screenshots" "$work/demo.ndb" "$work/raw"

# Screens of a desktop program have few colours: 256 without dithering keep
# the text sharp at a fraction of the size. The whole main window is made
# as wide as the manual's text.
for picture in hauptfenster favoriten kanal-eigenschaften suchen statistik seitenansicht; do
  convert "$work/raw/$picture.png" -resize '760x>' -strip +dither -colors 256 \
    -define png:compression-level=9 "PNG8:resources/help/$picture.png"
done
if [ $# -ge 1 ]; then
  mkdir -p "$1"
  cp "$work/raw/hilfefenster.png" "$1/"
fi
du -ch resources/help/*.png
