#!/usr/bin/env bash
# The third-party libraries of the Windows build, as static libraries for
# MinGW-w64, from the same Debian sources as the Linux packages:
#   cmake/windows-deps.sh FOLDER
# fetches the sources into FOLDER/src, builds in FOLDER/build and installs into
# FOLDER/prefix: GoogleTest (from the installed googletest package), zlib,
# pugixml and libxlsxwriter. The prefix is then found by find_package and
# pkg-config as the system's libraries are on Linux. Built once: a later run
# does nothing until this script or the toolchain file changes.
set -euo pipefail
shopt -s inherit_errexit
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "$1")
toolchain=$here/mingw-w64-x86_64.cmake
prefix=$deps/prefix
recipe=$(cat "$0" "$toolchain" "$here"/patches/*.patch | sha256sum | cut -c1-16)
done_stamp=$prefix/.built-$recipe
[ -f "$done_stamp" ] && exit 0

rm -rf "$deps/build" "$prefix"
mkdir -p "$deps/src" "$deps/build/src" "$prefix"
log=$deps/build/log.txt
echo "Building the Windows libraries into $prefix (log: $log)"

# The archive the system installs its own packages from, so that the sources
# are those of the binaries on the machine: the first URI that serves the
# release itself (not its -updates or -security suites), in either of apt's
# two formats.
system_archive() {
  local codename file lists=()
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] && lists+=("$file")
  done
  {
    if [ ${#lists[@]} -gt 0 ]; then
      awk -v release="$codename" '$1 == "deb" {
        field = 2
        if ($field ~ /^\[/) { while (field <= NF && $field !~ /\]$/) field++; field++ }
        if ($(field + 1) == release) print $field
      }' "${lists[@]}"
    fi
    for file in /etc/apt/sources.list.d/*.sources; do
      [ -f "$file" ] || continue
      awk -v release="$codename" 'BEGIN { RS = ""; FS = "\n" } {
        types = ""; uris = ""; suites = ""
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^Types:/) types = substr($i, 7)
          if ($i ~ /^URIs:/) uris = substr($i, 6)
          if ($i ~ /^Suites:/) suites = substr($i, 8)
        }
        if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " release " ")) {
          split(uris, first, " "); print first[1]
        }
      }' "$file"
    done
  } | awk 'NR == 1'  # reads to the end: no writer dies of a closed pipe
}

# Sources come from Debian's archive through a sources list of our own, so
# that the system's apt configuration stays as it is.
fetch_sources() {  # source package names
  local apt_state=$deps/apt archive codename
  archive=$(system_archive)
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  if [ -z "$archive" ]; then
    echo "windows-deps: no Debian archive for $codename in the system's apt sources" >&2
    return 1
  fi
  mkdir -p "$apt_state/lists/partial" "$apt_state/cache/archives/partial"
  cat >"$apt_state/vcurve.sources" <<SOURCES
Types: deb-src
URIs: $archive
Suites: $codename
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  local options=(-o "Dir::Etc::sourcelist=$apt_state/vcurve.sources"
    -o Dir::Etc::sourceparts=/dev/null -o "Dir::State::Lists=$apt_state/lists"
    -o "Dir::Cache=$apt_state/cache" -o APT::Sandbox::User=root)
  apt-get -qq "${options[@]}" update
  (cd "$deps/src" && apt-get -qq "${options[@]}" source --download-only "$@")
}

unpack() {  # source package name; prints the unpacked folder, with our patches applied
  local dsc
  dsc=$(ls "$deps/src/$1"_*.dsc | sort -V | tail -n 1)
  local folder=$deps/build/src/$(basename "$dsc" .dsc) patch
  dpkg-source --no-check -x "$dsc" "$folder" >>"$log" 2>&1
  for patch in "$here/patches/$1"-*.patch; do
    [ -f "$patch" ] && patch -d "$folder" -p1 --quiet <"$patch"
  done
  echo "$folder"
}

cmake_build() {  # name, source folder, target, then cmake options
  local name=$1 source=$2 target=$3
  shift 3
  cmake -S "$source" -B "$deps/build/$name" -G Ninja --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DVCURVE_WINDOWS_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >>"$log" 2>&1
  cmake --build "$deps/build/$name" --target "$target" >>"$log" 2>&1
}

have_sources=yes
for package in zlib pugixml libxlsxwriter; do
  ls "$deps/src/$package"_*.dsc >/dev/null 2>&1 || have_sources=no
done
[ $have_sources = yes ] || fetch_sources zlib pugixml libxlsxwriter

# GoogleTest with gMock, as Debian's libgtest-dev has both.
cmake_build googletest /usr/src/googletest all -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
cmake --install "$deps/build/googletest" >>"$log" 2>&1

# zlib's own build makes a DLL and a static library side by side (and Debian's
# copy lacks the DLL's resource file); only the static one is built, and
# installed under the name that -lz and FindZLIB look for.
zlib=$(unpack zlib)
cmake_build zlib "$zlib" zlibstatic
install -D -m 644 "$deps/build/zlib/libzlibstatic.a" "$prefix/lib/libz.a"
install -D -m 644 -t "$prefix/include" "$zlib/zlib.h" "$deps/build/zlib/zconf.h"
install -D -m 644 -t "$prefix/lib/pkgconfig" "$deps/build/zlib/zlib.pc"

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
