#!/usr/bin/env bash
# One entry point for building, running and testing on Debian 12.
#   ./dev.sh run        install what is missing, build, start the calculator
#   ./dev.sh test       install what is missing, build, run every test
#   ./dev.sh frame-check  start the window 30 times under openbox on Xvfb: size and place
#   ./dev.sh sanitize   core and checks tests under AddressSanitizer and UBSan
#   ./dev.sh windows    cross-build the three programs for Windows (a static Qt
#                       built once into /var/cache/vcurve), test them under
#                       Wine, make the installer and the zip, install and drive
#                       the windows under Wine on Xvfb
#   ./dev.sh web        the field page: the engine in WebAssembly (Debian's
#                       emscripten), tested in headless Chromium against the
#                       native vcurve-table
#   ./dev.sh fuzz [s]   the libFuzzer targets for s seconds in all (default 60)
#   ./dev.sh bench      build and run the benchmarks
#   ./dev.sh bench-build  build the benchmarks without running them
#   ./dev.sh sheet-pictures  the sample road's 纵断面图 as PNG in docs/, from the PDF and the DXF
#   ./dev.sh format     reformat the sources; format-check only reports
set -euo pipefail
cd "$(dirname "$0")"

build_packages=(cmake ninja-build g++ pkg-config libgtest-dev locales
  qt6-base-dev qt6-translations-l10n fonts-noto-cjk libpugixml-dev libexpat1-dev libxlsxwriter-dev zlib1g-dev
  python3-ezdxf poppler-utils fonts-dejavu-core)
fuzz_packages=(clang libclang-rt-14-dev)
bench_packages=(libbenchmark-dev xvfb xauth time python3 xdotool procps)
format_packages=(clang-format)
sheet_packages=(python3-ezdxf python3-matplotlib poppler-utils)
frame_packages=(xvfb openbox xdotool x11-utils)
windows_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest dpkg-dev
  debian-archive-keyring bzip2 xz-utils nsis unzip poppler-utils xvfb xauth openbox xdotool
  x11-utils xclip imagemagick)
web_packages=(emscripten chromium nodejs dpkg-dev debian-archive-keyring)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {  # folder, then cmake options
  local folder=$1
  shift
  if [ ! -f "$folder/CMakeCache.txt" ]; then
    cmake -S . -B "$folder" -G Ninja "$@"
  fi
  cmake --build "$folder" -j "$jobs"
}

case "${1:-}" in
  run)
    install_missing "${build_packages[@]}"
    configure_and_build build
    exec build/app/vcurve
    ;;
  test)
    install_missing "${build_packages[@]}"
    configure_and_build build
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
    ;;
  frame-check)
    install_missing "${build_packages[@]}" "${frame_packages[@]}"
    configure_and_build build
    tests/ui/frame_check.sh build
    ;;
  sanitize)
    install_missing "${build_packages[@]}"
    configure_and_build build-sanitize -DVCURVE_SANITIZE=ON -DVCURVE_BUILD_GUI=OFF
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
      ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
    ;;
  windows)
    install_missing "${build_packages[@]}" "${windows_packages[@]}"
    cmake/windows-deps.sh build-windows/deps
    qt=$(cmake/windows-qt.sh)
    # Release: the static programs without debug information are a fifth of
    # the size, and link in seconds rather than minutes.
    cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DVCURVE_BUILD_GUI=ON \
      -DVCURVE_WINDOWS_PREFIX="$PWD/build-windows/deps/prefix;$qt" >/dev/null
    cmake --build build-windows -j "$jobs"
    export WINEPREFIX=$PWD/build-windows/wine-prefix WINEDEBUG=-all
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      # Made once before the tests, so that parallel tests do not race to make it.
      WINEDLLOVERRIDES=mscoree,mshtml= /usr/lib/wine/wine64 wineboot --init 2>/dev/null
      /usr/lib/wine/wineserver -w
    fi
    # A test that fails is run once more: now and then Wine fails to start a
    # process at all (no output, 0.00 s), which is not the program's fault. A
    # real fault fails both times.
    ctest --test-dir build-windows --output-on-failure -j "$jobs" --timeout 300 \
      --repeat until-pass:2
    # The Linux programs to compare with: only those targets of the usual build.
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja
    cmake --build build -j "$jobs" --target vcurve-table vcurve-profile
    tests/windows/compare_table.sh build/app/table/vcurve-table \
      build-windows/vcurve-table.exe
    (cd build-windows && cpack >/dev/null && ls -1 "$PWD"/vcurve-*-win64*)
    tests/windows/smoke_windows.sh build-windows build "${VCURVE_SHOTS:-}"
    ;;
  web)
    install_missing "${build_packages[@]}" "${web_packages[@]}"
    command -v npm >/dev/null || install_missing npm
    [ -f build/CMakeCache.txt ] || cmake -S . -B build -G Ninja
    cmake --build build -j "$jobs" --target vcurve-table
    pugixml=$(cmake/web-deps.sh build-web/deps)
    expat=$(cmake/web-deps.sh build-web/deps expat)
    mkdir -p build-web/node
    cp tests/web/package.json tests/web/package-lock.json build-web/node/
    (cd build-web/node && npm ci --no-audit --no-fund --loglevel=error)
    # Debian's emcc needs node's acorn, which Debian keeps outside node's own path.
    export NODE_PATH=/usr/share/nodejs
    cmake -S web -B build-web/out -G Ninja \
      --toolchain /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
      -DVCURVE_PUGIXML_SOURCE="$pugixml" -DVCURVE_EXPAT_SOURCE="$expat/expat" -DVCURVE_NATIVE_TABLE="$PWD/build/app/table/vcurve-table" \
      -DVCURVE_NODE_MODULES="$PWD/build-web/node/node_modules" >/dev/null
    cmake --build build-web/out -j "$jobs"
    ctest --test-dir build-web/out --output-on-failure
    ls -l build-web/out/vcurve-field.html build-web/out/page
    ;;
  fuzz)
    install_missing "${build_packages[@]}" "${fuzz_packages[@]}"
    CC=clang CXX=clang++ configure_and_build build-fuzz -DVCURVE_FUZZ=ON \
      -DVCURVE_BUILD_TESTS=OFF -DVCURVE_BUILD_GUI=OFF
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    total=${2:-60}
    results=()
    failed=0
    # The time is shared out by how much each target has to explore: the
    # field texts and presses most, the file readers next, the
    # station text, a small grammar, least.
    for entry in fuzz_inputs:corpus:40:512 fuzz_profile_csv:corpus-profile-csv:20:4096 \
      fuzz_sections_csv:corpus-sections-csv:10:4096 fuzz_landxml:corpus-landxml:20:4096 \
      fuzz_chainage:corpus-chainage:10:64; do
      IFS=: read -r target seeds share max_len <<<"$entry"
      seconds=$((total * share / 100))
      [ "$seconds" -ge 1 ] || seconds=1
      mkdir -p "$work/$target"
      echo "== $target, $seconds s"
      # A target that fails does not keep the others from running; the
      # crashing input is kept in the build folder to be looked at.
      if build-fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -max_len="$max_len" \
        -print_final_stats=1 -artifact_prefix="build-fuzz/$target-" \
        "$work/$target" "tests/fuzz/$seeds"; then
        results+=("$target: clean")
      else
        results+=("$target: FAILED (inputs in build-fuzz/$target-*)")
        failed=1
      fi
    done
    printf '== %s\n' "${results[@]}"
    exit "$failed"
    ;;
  bench | bench-build)
    install_missing "${build_packages[@]}" "${bench_packages[@]}"
    configure_and_build build -DVCURVE_BUILD_BENCHMARKS=ON
    # An existing build folder keeps its cache: switch the benchmarks on there too.
    cmake -S . -B build -DVCURVE_BUILD_BENCHMARKS=ON >/dev/null
    cmake --build build -j "$jobs"
    if [ "$1" = bench ]; then bench/run.sh build; fi
    ;;
  sheet-pictures)
    install_missing "${build_packages[@]}" "${sheet_packages[@]}"
    configure_and_build build
    docs/sheet_pictures.sh build
    ;;
  format | format-check)
    install_missing "${format_packages[@]}"
    files=$(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
    if [ "$1" = format ]; then
      echo "$files" | xargs -r clang-format -i
    else
      echo "$files" | xargs -r clang-format --dry-run --Werror
    fi
    ;;
  *)
    awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
    exit 2
    ;;
esac
