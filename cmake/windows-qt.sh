#!/usr/bin/env bash
# A static Qt for MinGW-w64, built from Debian's own qt6-base source package
# with the host tools (moc, rcc, uic) of the Qt that Debian installs:
#   cmake/windows-qt.sh        builds it once, prints its prefix
# It is kept outside the clone (VCURVE_CACHE, by default /var/cache/vcurve),
# in a folder named by the Qt version and a digest of the options and patches
# below, so that later runs on the same machine find it, and a change to
# either builds a new one. The build tree (2.6 GB) is removed once installed.
set -euo pipefail
shopt -s inherit_errexit
here=$(cd "$(dirname "$0")" && pwd)
. "$here/debian-sources.sh"

version=6.4.2
# Only what the programs link. Tablet events need the wintab headers that the
# +dfsg tarball removes; Debian's cross patch would build androiddeployqt.
options=(-DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_androiddeployqt=OFF -DFEATURE_printsupport=ON
  -DFEATURE_testlib=ON -DFEATURE_widgets=ON)

cache=${VCURVE_CACHE:-/var/cache/vcurve}
shopt -s nullglob
patches=("$here"/patches/qt6-base-*.patch)
shopt -u nullglob
key=$( (echo "$version" "${options[@]}"; cat /dev/null "${patches[@]}") |
  sha256sum | cut -c1-12)
prefix=$cache/qt-$version-mingw64-$key
if [ -f "$prefix/.built" ]; then
  echo "$prefix"
  exit 0
fi

work=$cache/qt-build
log=$cache/qt-build.log
mkdir -p "$cache"
rm -rf "$work" "$prefix"
echo "Building static Qt $version for Windows into $prefix, about 30 minutes (log: $log)" >&2
: >"$log"
ls "$cache/src/qt6-base_$version"*.dsc >/dev/null 2>&1 ||
  fetch_sources "$cache/apt" "$cache/src" qt6-base >>"$log" 2>&1
mkdir -p "$work"
source=$(unpack_source "$cache/src" "$work" qt6-base "$here/patches" "$log")

# Qt's own find_package calls must see only the MinGW tree, as the project's
# do; the host Qt supplies the tools that run during the build.
nice cmake -S "$source" -B "$work/build" -G Ninja --toolchain "$here/mingw-w64-x86_64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${options[@]}" >>"$log" 2>&1 || {
  tail -n 30 "$log" >&2
  exit 1
}
nice cmake --build "$work/build" -j "$(nproc)" >>"$log" 2>&1 || {
  grep -m 5 -B 2 -A 8 'error' "$log" >&2 || tail -n 40 "$log" >&2
  exit 1
}
cmake --install "$work/build" >>"$log" 2>&1
rm -rf "$work"
touch "$prefix/.built"
echo "$prefix"
