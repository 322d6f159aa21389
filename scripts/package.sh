#!/usr/bin/env bash
# Builds the Debian package (a release build in build-pkg/, or $PKG_BUILD_DIR)
# and checks it: a second build of the same tree gives the same bytes; the
# binaries; the file list; desktop entry, AppStream metadata, lintian; then it
# installs the package with apt-get, tries the installed programs (manual
# pages in both languages, completion, the libraries each dependency is there
# for, no display, one editor per session) and purges the package again.
# Installing needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${PKG_BUILD_DIR:-build-pkg}
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

fail() {
  echo "package: $*" >&2
  exit 1
}

bash scripts/setup.sh
bash scripts/setup.sh --check || fail "a second run of scripts/setup.sh would still install packages"

# Every time stamp of the package (files, archives, embedded resources) is the
# date of the newest changelog entry.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/debian/changelog -STimestamp)
export SOURCE_DATE_EPOCH
# Compiler cache entries are found across build folders of this tree.
export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1

# Debian's optimisation and hardening flags, the same as the test build's
# (whose objects the compiler cache hands over); the binaries are stripped.
# shellcheck source=scripts/release-flags.sh
source scripts/release-flags.sh
build_package() {
  local dir=$1
  cmake -S . -B "$dir" "${VE_RELEASE_FLAGS[@]}" -DVE_BUILD_GUI=ON -DVE_BUILD_TESTS=OFF -DVE_BUILD_BENCH=OFF \
    > /dev/null
  cmake --build "$dir" -j "$(nproc)" > /dev/null
  rm -f "$dir"/*.deb
  (cd "$dir" && cpack -G DEB > /dev/null)
}
build_package "$BUILD"
debs=("$BUILD"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then fail "cpack wrote no single .deb in $BUILD"; fi
deb=$(realpath "${debs[0]}")
echo "package: built $deb"

# Reproducible: the same tree built again from scratch in another folder, at
# another time, gives the same bytes. The compiler cache hands back the
# objects of identical compiler input (it never caches a file that uses
# __DATE__ or __TIME__); everything else runs again: code generators,
# resources, links, icons, manual pages, strip and both archives.
again="$BUILD-again"
rm -rf "$again"
build_package "$again"
deb_again=("$again"/*.deb)
if ! cmp -s "$deb" "${deb_again[0]}"; then
  for member in control.tar.gz data.tar.gz; do
    if ! cmp -s <(ar p "$deb" "$member" | zcat | tar -tv --full-time) \
      <(ar p "${deb_again[0]}" "$member" | zcat | tar -tv --full-time); then
      diff <(ar p "$deb" "$member" | zcat | tar -tv --full-time) \
        <(ar p "${deb_again[0]}" "$member" | zcat | tar -tv --full-time) | head -n 20 || true
    fi
  done
  fail "two builds of the same tree give different packages: $deb and ${deb_again[0]}"
fi
rm -rf "$again"
echo "package: a second build gives the same bytes ($(sha256sum "$deb" | cut -c1-16))"

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
  "./usr/share/man/de/man1/ndbtool.1.gz"
  "./usr/share/man/de/man1/vandreledit2028.1.gz"
  "./usr/share/bash-completion/completions/ndbtool"
  "./usr/share/doc/$name/copyright"
  "./usr/share/doc/$name/changelog.Debian.gz"
  "./usr/share/doc/$name/README.md.gz"
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
# (Output is taken whole before grep looks: an early "grep -q" would end the
# writer with SIGPIPE, which pipefail counts as a failure.)
first_entry=$(zcat "$root/usr/share/doc/$name/changelog.Debian.gz" | sed -n 1p)
grep -qF "$name ($deb_version)" <<< "$first_entry" ||
  fail "the first entry of packaging/debian/changelog is not $name ($deb_version)"
grep -m 1 '<release ' "$root/usr/share/metainfo/$app_id.metainfo.xml" | grep -qF "version=\"$version\"" ||
  fail "the first release in the metainfo is not $version"

# The binaries: stripped of .comment and .note, and ndbtool uses the shared
# C++ runtime, so its security updates reach it.
for program in ndbtool vandreledit2028; do
  sections=$(readelf -S --wide "$root/usr/bin/$program" | sed -n 's/^ *\[ *[0-9]*\] \([^ ]*\) .*/\1/p')
  if grep -qx -e '.comment' -e '.note' <<< "$sections"; then fail "$program keeps a .comment or .note section"; fi
done
grep -q 'NEEDED.*\[libstdc++\.so\.6\]' <<< "$(readelf -d "$root/usr/bin/ndbtool")" ||
  fail "ndbtool does not link libstdc++.so.6 dynamically"
# A runtime linked in would leave no symbol to take from the shared one.
grep -q '@GLIBCXX_' <<< "$(nm -D --undefined-only "$root/usr/bin/ndbtool")" ||
  fail "ndbtool carries a copy of the C++ runtime"

desktop=$root/usr/share/applications/$app_id.desktop
desktop-file-validate "$desktop"
grep -q '^Exec=vandreledit2028 %F$' "$desktop" || fail "the desktop entry does not pass several files (%F)"
for word in Senderliste Kanalliste Satellit Receiver Favoriten; do
  grep '^Keywords\[de\]=' "$desktop" | tr ';=' '\n\n' | grep -qx "$word" || fail "Keywords[de] lacks $word"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml"
# lintian warns when it runs as root: it reads the package as nobody.
lintian_dir=$(mktemp -d)
trap 'rm -rf "$lintian_dir"' EXIT
cp "$deb" "$lintian_dir/"
chmod -R a+rX "$lintian_dir"
if [ "$(id -u)" -eq 0 ]; then
  lintian_out=$(cd "$lintian_dir" && runuser -u nobody -- env HOME="$lintian_dir" lintian --fail-on error --info \
    "$lintian_dir/$(basename "$deb")" 2>&1) || { echo "$lintian_out"; fail "lintian"; }
else
  lintian_out=$(lintian --fail-on error --info "$lintian_dir/$(basename "$deb")" 2>&1) ||
    { echo "$lintian_out"; fail "lintian"; }
fi
[ -z "$lintian_out" ] || echo "$lintian_out"
echo "package: contents, binaries, desktop entry, metainfo and lintian are fine"

# Install as a user would, try it, and take it away again; an installed copy
# of the package is left alone.
if dpkg-query -W -f='${Status}' "$name" 2> /dev/null | grep -q "install ok installed"; then
  echo "package: $name is installed on this machine, so the install check is left out"
  exit 0
fi
work=$(mktemp -d)
cleanup() {
  rm -rf "$lintian_dir" "$work"
  # Only the package itself: what it depends on came with the setup and stays.
  $SUDO apt-get purge -y -qq "$name" > /dev/null || true
}
trap cleanup EXIT
$SUDO apt-get install -y -qq --no-install-recommends "$deb" > /dev/null

[ "$(ndbtool --version)" = "ndbtool $version" ] || fail "ndbtool --version: $(ndbtool --version)"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb vandreledit2028 --version)" = "vandreledit2028 $version" ] ||
  fail "vandreledit2028 --version does not answer without a display"
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM vandreledit2028 > "$work/out" 2> "$work/err" || rc=$?
[ "$rc" = 1 ] && [ ! -s "$work/out" ] && grep -q '^vandreledit2028: Kein Bildschirm gefunden\.' "$work/err" ||
  fail "without a display the editor ends with $rc and says: $(cat "$work/err")"

# Manual pages in both languages, each documenting every command of the help.
commands=$(ndbtool --help | sed -n 's/^  ndbtool \([a-z][a-z-]*\).*/\1/p')
[ -n "$commands" ] || fail "ndbtool --help lists no command"
for lang in en de; do
  dir=/usr/share/man/man1
  [ "$lang" = en ] || dir=/usr/share/man/$lang/man1
  for page in ndbtool vandreledit2028; do
    [ "$(man -L "$lang" -w "$page")" = "$dir/$page.1.gz" ] || fail "man -L $lang -w $page: $(man -L "$lang" -w "$page")"
  done
  page_text=$(zcat "$dir/ndbtool.1.gz")
  for c in $commands; do
    grep -q "^\.SS \"${c//-/\\\\-} " <<< "$page_text" || fail "$dir/ndbtool.1.gz does not document $c"
  done
done
grep -q '^\.SH BEFEHLE' <<< "$(zcat /usr/share/man/de/man1/ndbtool.1.gz)" || fail "the German ndbtool page is not German"
grep -q '^\.SH BESCHREIBUNG' <<< "$(zcat /usr/share/man/de/man1/vandreledit2028.1.gz)" ||
  fail "the German vandreledit2028 page is not German"

# The help describes each command in one line; the completion knows every
# command and every option the help names.
[ "$(ndbtool --help | grep -c '^  ndbtool ')" = "$(ndbtool --help | grep -c '^      [^ ]')" ] ||
  fail "ndbtool --help lacks a description line"
completion=/usr/share/bash-completion/completions/ndbtool
for word in $commands $(ndbtool --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -qw -- "$word" "$completion" || fail "the bash completion does not know $word"
done
rc=0
ndbtool foo 2> "$work/err" || rc=$?
[ "$rc" = 1 ] && head -n 1 "$work/err" | grep -qx 'Unbekannter Befehl „foo“.' || fail "ndbtool foo: $(head -n 1 "$work/err")"

[ "$(man -w ndbtool)" = /usr/share/man/man1/ndbtool.1.gz ] || fail "man -w ndbtool: $(man -w ndbtool)"
default=$(xdg-mime query default application/x-vandreledit2028)
[ "$default" = "$app_id.desktop" ] || fail "xdg-mime query default application/x-vandreledit2028: '$default'"
grep -q '^[0-9]*:application/x-vandreledit2028:\*\.ndb$' /usr/share/mime/globs2 ||
  fail "the MIME database does not know *.ndb"
echo "package: installed: ndbtool $version, manual pages in English and German, completion, *.ndb opens with $default"

# The editor on a virtual display, on a home of its own: one editor per
# session (a second start hands its file over and ends, the first keeps
# running), and every package in Depends owns a library the programs link or
# a file the running editor has loaded (the platform plugins, the German
# translations of Qt's dialogs).
ndbtool demo "$work/a.ndb" > /dev/null
ndbtool demo "$work/b.ndb" --tv 20 --radio 5 > /dev/null
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
cat > "$work/session.sh" << 'EOF'
set -u
work=$1
export HOME=$work/home XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
vandreledit2028 "$work/a.ndb" > "$work/first.log" 2>&1 &
first=$!
for _ in $(seq 1 150); do
  ls "$XDG_RUNTIME_DIR"/vandreledit2028-* > /dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
cat "/proc/$first/maps" > "$work/maps"
rc=0
timeout 30 vandreledit2028 "$work/b.ndb" > "$work/second.log" 2>&1 || rc=$?
echo "$rc" > "$work/second.rc"
sleep 1
if kill -0 "$first" 2> /dev/null; then echo running > "$work/first.state"; fi
kill "$first" 2> /dev/null
wait "$first" 2> /dev/null
exit 0
EOF
xvfb-run -a -s '-screen 0 1280x800x24' bash "$work/session.sh" "$work"
[ -s "$work/maps" ] || fail "the editor did not start under xvfb: $(cat "$work/first.log")"
[ "$(cat "$work/second.rc")" = 0 ] || fail "a second start did not hand over: $(cat "$work/second.log")"
[ "$(cat "$work/first.state" 2> /dev/null)" = running ] || fail "the first editor ended: $(cat "$work/first.log")"
used=$( (ldd /usr/bin/ndbtool /usr/bin/vandreledit2028 | awk '$2 == "=>" && $3 ~ /^\// { print $3 }'
  awk '$6 ~ /^\// { print $6 }' "$work/maps") | sort -u)
# dpkg knows a file by the path its package ships, with or without /usr.
owner() {
  local f real
  real=$(realpath "$1")
  for f in "$1" "$real" "${1#/usr}" "${real#/usr}" "/usr$1" "/usr$real"; do
    if dpkg -S "$f" 2> /dev/null; then return; fi
  done
}
owners=$(for f in $used; do owner "$f"; done | cut -d: -f1 | sort -u)
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/([^)]*)//g; s/|.*//; s/ //g' | sed '/^$/d')
for d in $depends; do
  grep -qx "$d" <<< "$owners" || fail "Depends names $d, but the programs use no file of it"
done
echo "package: every dependency is used ($(echo $depends | tr ' ' ',')); a second start handed its file to the first"

trap - EXIT
cleanup
dpkg-query -W "$name" > /dev/null 2>&1 && fail "$name is still installed"
! grep -q 'application/x-vandreledit2028' /usr/share/mime/globs2 || fail "the MIME type stayed after the purge"
echo "package: $(basename "$deb") passes; purged again"
