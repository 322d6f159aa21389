#!/usr/bin/env bash
# Builds the Debian package (a release build in build-pkg/, or $PKG_BUILD_DIR)
# and checks it: desktop entry, AppStream metadata, lintian, the file list;
# then installs it with apt-get, tries the installed programs, and purges it
# again, with any package the install pulled in, so the machine is as before.
# Installing needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${PKG_BUILD_DIR:-build-pkg}
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "package: $*" >&2
  exit 1
}

# Debian's optimisation and hardening flags; no debug information, the
# binaries are stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DVE_BUILD_GUI=ON -DVE_BUILD_TESTS=OFF -DVE_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > /dev/null
cmake --build "$BUILD" -j "$(nproc)" > /dev/null
rm -f "$BUILD"/*.deb
(cd "$BUILD" && cpack -G DEB > /dev/null)
debs=("$BUILD"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "cpack wrote no single .deb in $BUILD"; fi
deb=$(realpath "${debs[0]}")
echo "package: built $deb"

define() { sed -n "s/^#define $1 \"\(.*\)\"$/\1/p" "$BUILD/generated/BuildInfo.h"; }
version=$(define VE_VERSION)
app_id=$(define VE_APP_ID)
name=$(dpkg-deb -f "$deb" Package)
deb_version=$(dpkg-deb -f "$deb" Version)

# The contents, exactly: the programs and what the desktop needs, nothing of
# the build (tests, benchmarks, static libraries, the icon renderer).
expected=(
  "./usr/bin/ndbtool"
  "./usr/bin/vandreledit2028"
  "./usr/share/applications/$app_id.desktop"
  "./usr/share/metainfo/$app_id.metainfo.xml"
  "./usr/share/mime/packages/vandreledit2028.xml"
  "./usr/share/man/man1/ndbtool.1.gz"
  "./usr/share/man/man1/vandreledit2028.1.gz"
  "./usr/share/doc/$name/copyright"
  "./usr/share/doc/$name/changelog.Debian.gz"
  "./usr/share/lintian/overrides/$name"
  "./usr/share/icons/hicolor/scalable/apps/vandreledit2028.svg"
  "./usr/share/icons/hicolor/scalable/mimetypes/application-x-vandreledit2028.svg"
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/vandreledit2028.png")
  expected+=("./usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-vandreledit2028.png")
done
listed=$(dpkg -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [ "$listed" != "$wanted" ]; then
  diff <(echo "$wanted") <(echo "$listed") || true
  fail "the package holds other files than expected (< missing, > surplus)"
fi

# One version everywhere: the programs, the package, its changelog and the
# release in the AppStream metadata.
root="$BUILD/package-root"
rm -rf "$root"
dpkg-deb -x "$deb" "$root"
[ "$deb_version" = "$version-1" ] || fail "package version $deb_version, project version $version"
zcat "$root/usr/share/doc/$name/changelog.Debian.gz" | head -n 1 | grep -qF "$name ($deb_version)" ||
  fail "the first entry of packaging/debian/changelog is not $name ($deb_version)"
grep -m 1 '<release ' "$root/usr/share/metainfo/$app_id.metainfo.xml" | grep -qF "version=\"$version\"" ||
  fail "the first release in the metainfo is not $version"

desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
lintian --fail-on error --info "$deb"
echo "package: contents, desktop entry, metainfo and lintian are fine"

# Install as a user would, try it, and take it away again; an installed copy
# of the package is left alone.
if dpkg-query -W -f='${Status}' "$name" 2> /dev/null | grep -q "install ok installed"; then
  echo "package: $name is installed on this machine, so the install check is left out"
  exit 0
fi
before=$(dpkg-query -W -f='${binary:Package}\n' | sort)
purge() {
  $SUDO apt-get purge -y -qq "$name" > /dev/null || true
  extra=$(comm -13 <(echo "$before") <(dpkg-query -W -f='${binary:Package}\n' | sort))
  if [ -n "$extra" ]; then
    # shellcheck disable=SC2086
    $SUDO apt-get purge -y -qq $extra > /dev/null
  fi
}
trap purge EXIT
$SUDO apt-get install -y -qq "$deb" > /dev/null

[ "$(ndbtool --version)" = "ndbtool $version" ] || fail "ndbtool --version: $(ndbtool --version)"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb vandreledit2028 --version)" = "vandreledit2028 $version" ] ||
  fail "vandreledit2028 --version does not answer without a display"
[ "$(man -w ndbtool)" = /usr/share/man/man1/ndbtool.1.gz ] || fail "man -w ndbtool: $(man -w ndbtool)"
[ "$(man -w vandreledit2028)" = /usr/share/man/man1/vandreledit2028.1.gz ] || fail "man -w vandreledit2028"
default=$(xdg-mime query default application/x-vandreledit2028)
[ "$default" = "$app_id.desktop" ] || fail "xdg-mime query default application/x-vandreledit2028: '$default'"
grep -q '^[0-9]*:application/x-vandreledit2028:\*\.ndb$' /usr/share/mime/globs2 ||
  fail "the MIME database does not know *.ndb"
echo "package: installed: ndbtool $version, man -w ndbtool, *.ndb opens with $default"

trap - EXIT
purge
dpkg-query -W "$name" > /dev/null 2>&1 && fail "$name is still installed"
! grep -q 'application/x-vandreledit2028' /usr/share/mime/globs2 || fail "the MIME type stayed after the purge"
echo "package: $(basename "$deb") passes; purged again"
