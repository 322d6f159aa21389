#!/usr/bin/env bash
# Installs every package the build and the tests need, when missing.
# Idempotent, quick and offline when everything is present: every name is a
# real package (not one only provided virtually, which dpkg never reports as
# installed), so a second run finds nothing missing.
#
#   scripts/setup.sh            installs what is missing
#   scripts/setup.sh --check    only lists what is missing; exits 1 if anything is
set -euo pipefail

packages=(
  cmake make g++ pkg-config ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev libgl-dev
  xvfb xauth imagemagick poppler-utils
  clang libclang-rt-14-dev
  dpkg-dev fakeroot file binutils lintian desktop-file-utils appstream man-db groff-base xdg-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${1:-}" = --check ]; then
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: not installed: ${missing[*]}" >&2
    exit 1
  fi
  exit 0
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
