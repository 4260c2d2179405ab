#!/usr/bin/env bash
# The third-party libraries of the Windows build, as static libraries for
# MinGW-w64, from the same Debian sources as the Linux packages:
#   cmake/windows-deps.sh FOLDER
# fetches the sources into FOLDER/src, builds in FOLDER/build and installs into
# FOLDER/prefix: GoogleTest (from the installed googletest package), zlib,
# expat, pugixml and libxlsxwriter. The prefix is then found by find_package and
# pkg-config as the system's libraries are on Linux. Built once: a later run
# does nothing until this script or the toolchain file changes.
set -euo pipefail
shopt -s inherit_errexit
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "$1")
toolchain=$here/mingw-w64-x86_64.cmake
prefix=$deps/prefix
recipe=$(cat "$0" "$here/debian-sources.sh" "$toolchain" "$here"/patches/*.patch | sha256sum | cut -c1-16)
done_stamp=$prefix/.built-$recipe
[ -f "$done_stamp" ] && exit 0

rm -rf "$deps/build" "$prefix"
mkdir -p "$deps/src" "$deps/build/src" "$prefix"
log=$deps/build/log.txt
echo "Building the Windows libraries into $prefix (log: $log)"

. "$here/debian-sources.sh"

cmake_build() {  # name, source folder, target, then cmake options
  local name=$1 source=$2 target=$3
  shift 3
  cmake -S "$source" -B "$deps/build/$name" -G Ninja --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DVCURVE_WINDOWS_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1
  cmake --build "$deps/build/$name" --target "$target" >>"$log" 2>&1
}

have_sources=yes
for package in zlib expat pugixml libxlsxwriter; do
  ls "$deps/src/$package"_*.dsc >/dev/null 2>&1 || have_sources=no
done
[ $have_sources = yes ] || fetch_sources "$deps/apt" "$deps/src" zlib expat pugixml libxlsxwriter

# GoogleTest with gMock, as Debian's libgtest-dev has both.
cmake_build googletest /usr/src/googletest all -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
cmake --install "$deps/build/googletest" >>"$log" 2>&1

# zlib's own build makes a DLL and a static library side by side (and Debian's
# copy lacks the DLL's resource file); only the static one is built, and
# installed under the name that -lz and FindZLIB look for.
unpack() { unpack_source "$deps/src" "$deps/build/src" "$1" "$here/patches" "$log"; }
zlib=$(unpack zlib)
cmake_build zlib "$zlib" zlibstatic
install -D -m 644 "$deps/build/zlib/libzlibstatic.a" "$prefix/lib/libz.a"
install -D -m 644 -t "$prefix/include" "$zlib/zlib.h" "$deps/build/zlib/zconf.h"
install -D -m 644 -t "$prefix/lib/pkgconfig" "$deps/build/zlib/zlib.pc"

# The library alone, as a static one (XML_STATIC for those that use it);
# Debian's source keeps it in a folder of its own.
cmake_build expat "$(unpack expat)/expat" all -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
  -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
  -DEXPAT_MSVC_STATIC_CRT=OFF
cmake --install "$deps/build/expat" >>"$log" 2>&1

cmake_build pugixml "$(unpack pugixml)" all -DPUGIXML_BUILD_TESTS=OFF
cmake --install "$deps/build/pugixml" >>"$log" 2>&1

# Debian builds it against its minizip and OpenSSL packages, which have no
# Windows build here; the copies that come with it do the same job. Our patch
# gives MinGW the wide file API that only its MSVC build uses, so that a
# workbook with a Chinese name can be written.
cmake_build libxlsxwriter "$(unpack libxlsxwriter)" all -DUSE_SYSTEM_MINIZIP=OFF \
  -DUSE_OPENSSL_MD5=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DZLIB_ROOT="$prefix"
cmake --install "$deps/build/libxlsxwriter" >>"$log" 2>&1

ls "$deps/src"/*.dsc | xargs -n 1 basename >"$done_stamp"
echo "Windows libraries built: $(tr '\n' ' ' <"$done_stamp")"
