#!/usr/bin/env bash
# A library's Debian source for the WebAssembly build, fetched once:
#   cmake/web-deps.sh FOLDER [PACKAGE]   prints the unpacked source folder
# (PACKAGE: pugixml, the default, or expat)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "$1")
package=${2:-pugixml}
. "$here/debian-sources.sh"
if ! ls "$deps/src/${package}"_*.dsc >/dev/null 2>&1; then
  fetch_sources "$deps/apt" "$deps/src" "$package" >&2
fi
ls -d "$deps/source/${package}"-* 2>/dev/null | tail -n 1 | grep . ||
  { mkdir -p "$deps/source" && unpack_source "$deps/src" "$deps/source" "$package" "$here/patches" \
    "$deps/log.txt"; }
