#!/usr/bin/env bash
# pugixml's Debian source for the WebAssembly build, fetched once:
#   cmake/web-deps.sh FOLDER   prints the unpacked source folder
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "$1")
. "$here/debian-sources.sh"
if ! ls "$deps/src"/pugixml_*.dsc >/dev/null 2>&1; then
  fetch_sources "$deps/apt" "$deps/src" pugixml >&2
fi
ls -d "$deps"/source/pugixml-* 2>/dev/null | tail -n 1 | grep . ||
  { mkdir -p "$deps/source" && unpack_source "$deps/src" "$deps/source" pugixml "$here/patches" \
    "$deps/log.txt"; }
