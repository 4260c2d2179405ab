#!/usr/bin/env bash
# The Windows programs as a Windows user meets them, under Wine with its real
# window system on Xvfb and openbox: the installer runs silently into a new
# Wine prefix, each installed window starts with its Chinese captions and
# takes typed input, and the profile window's stake-table files are those of
# the Linux build, which the same keys drive on the same display.
# Usage: tests/windows/smoke_windows.sh WINDOWS_BUILD LINUX_BUILD [SHOTS_FOLDER]
set -euo pipefail
windows_build=$(cd "${1:?usage: smoke_windows.sh WINDOWS_BUILD LINUX_BUILD [SHOTS]}" && pwd)
linux_build=$(cd "${2:?usage: smoke_windows.sh WINDOWS_BUILD LINUX_BUILD [SHOTS]}" && pwd)
shots=${3:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
installer=$(ls "$windows_build"/vcurve-*-win64-setup.exe | tail -n 1)
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver

work=$(mktemp -d)
x_server="" x_manager="" failures=0
cleanup() {
  WINEPREFIX=$work/prefix "$wineserver" -k 2>/dev/null || true
  for pid in $x_manager $x_server; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "windows smoke: $*" >&2
  failures=$((failures + 1))
}

. "$source_dir/tests/support/x_session.sh"
start_x_session 1280x1024 600 "$work" || exit 1

# Wine in a prefix of its own, in a UTF-8 locale so that Chinese file names
# reach the host's file system, and in Chinese, as a user in China runs it.
# No Start-menu entries of the Wine prefix leak into the host desktop.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$work/locales"
if localedef -i zh_CN -f UTF-8 "$work/locales/zh_CN.UTF-8" >/dev/null 2>&1; then
  export LOCPATH=$work/locales
  { export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8; } 2>/dev/null  # bash itself cannot see LOCPATH
else
  export LC_ALL=C.UTF-8 LANG=C.UTF-8
fi
"$wine" wineboot --init >/dev/null 2>&1
"$wineserver" -w

# The installer, silent as an administrator's deployment runs it.
"$wine" "$installer" /S '/D=C:\vcurve' >"$work/install.log" 2>&1 || fail "the installer failed"
"$wineserver" -w
installed=$WINEPREFIX/drive_c/vcurve
for program in vcurve vcurve-profile vcurve-table; do
  [ -f "$installed/$program.exe" ] || fail "the installer left no $program.exe"
done
[ -f "$installed/Uninstall.exe" ] || fail "the installer left no uninstaller"
[ "$failures" -eq 0 ] || exit 1

window_of() {  # pid: its first visible window, within 30 s
  local window=""
  for ((i = 0; i < 300; i++)); do
    window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
  done
  echo "$window"
}
# Keys and text go to the window that has the focus, as a user's do: Wine's
# windows do not take events sent to them from outside.
keys() {  # xdotool key names, one after another
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.2
  done
}
typed() {
  xdotool type --delay 40 "$1"
}
shot() {  # name: the screen, cut to what is on its black background
  [ -n "$shots" ] && import -window root "$work/shot.png" &&
    convert "$work/shot.png" -trim +repage "$shots/$1.png"
  return 0
}

# The calculator: the worked example typed field by field, calculated, and
# the results list copied through its context menu.
calculator() {  # command line; prints the copied list
  local window
  "$@" >"$work/calculator.log" 2>&1 &
  window=$(window_of 'Vorlik')
  [ -n "$window" ] || { cat "$work/calculator.log" >&2; return 1; }
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  sleep 1
  for value in 500 40 800 100 3 2 480; do
    keys Tab
    typed "$value"
  done
  keys Tab Tab Tab space
  sleep 0.5
  shot windows-calculator
  keys shift+Tab shift+Tab Menu Down Return
  sleep 0.5
  xclip -selection clipboard -o 2>/dev/null || true
}
expected='第1待求点高程480=99.15'
got=$(calculator "$wine" 'C:\vcurve\vcurve.exe') || fail "the calculator opened no window"
[ "$got" = "$expected" ] || fail "calculator under Wine listed '$got', want '$expected'"
keys ctrl+e
"$wineserver" -w

# The profile window: the sample road under a Chinese name, and its stake
# table written through the 文件 menu, each file under the name the save
# dialog proposes beside the road.
profile_files() {  # folder, command line of the program
  local folder=$1 window
  shift
  mkdir -p "$folder"
  cp "$source_dir/examples/mountain-highway.xml" "$folder/山区公路.xml"
  "$@" "$folder/山区公路.xml" >"$work/profile.log" 2>&1 &
  window=$(window_of '纵断面设计')
  [ -n "$window" ] || { cat "$work/profile.log" >&2; return 1; }
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  sleep 2
  shot "$(basename "$folder")-profile"
  for accelerator in c e d; do
    # The focus comes back from a closed dialog to no window under Wine.
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    keys alt+f "$accelerator"
    sleep 2
    [ "$accelerator" = c ] && shot "$(basename "$folder")-save-dialog"
    keys Return
    sleep 2
  done
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  keys ctrl+q
  wait_for 100 sh -c "! xdotool search --onlyvisible --name 纵断面设计" ||
    fail "$(basename "$folder"): the profile window did not close"
}
profile_files "$work/windows" "$wine" 'C:\vcurve\vcurve-profile.exe' || fail "no profile window"
"$wineserver" -w
QT_QPA_PLATFORM=xcb profile_files "$work/linux" "$linux_build/app/profile/vcurve-profile" ||
  fail "no Linux profile window"

# The same files, byte for byte where no date is written; the workbook by its
# sheets, the PDF by its text.
for suffix in csv xlsx pdf; do
  name="山区公路-逐桩高程表.$suffix"
  for side in windows linux; do
    [ -s "$work/$side/$name" ] || fail "$side: $name was not written"
  done
done
if [ "$failures" -eq 0 ]; then
  cmp -s "$work/windows/山区公路-逐桩高程表.csv" "$work/linux/山区公路-逐桩高程表.csv" ||
    fail "the stake-table CSV differs from the Linux build's"
  for side in windows linux; do
    (cd "$work/$side" && mkdir xlsx && cd xlsx && unzip -q "../山区公路-逐桩高程表.xlsx" &&
      rm -f docProps/core.xml)
    # The lines and their words; how wide a gap is, is the font engine's.
    pdftotext -layout "$work/$side/山区公路-逐桩高程表.pdf" - | sed 's/^ *//; s/  */ /g' \
      >"$work/$side/pdf.txt"
  done
  diff -r "$work/windows/xlsx" "$work/linux/xlsx" >/dev/null ||
    fail "the stake-table workbook differs from the Linux build's"
  diff "$work/windows/pdf.txt" "$work/linux/pdf.txt" >"$work/pdf.diff" || {
    head -n 20 "$work/pdf.diff" >&2
    fail "the stake-table PDF's text differs from the Linux build's"
  }
  grep -q /FontFile "$work/windows/山区公路-逐桩高程表.pdf" ||
    fail "the Windows PDF does not carry its font"
fi
# Qt keeps a Windows program's settings in the registry.
grep -q 'Software\\\\vcurve\\\\vcurve-profile' "$WINEPREFIX/user.reg" ||
  fail "the profile window left no settings in the registry"

"$wine" 'C:\vcurve\vcurve-table.exe' --version >"$work/version.txt" 2>&1 ||
  fail "the installed vcurve-table does not start"
echo "windows smoke: installer, calculator, profile window and table program:" \
  "$([ "$failures" -eq 0 ] && echo passed || echo "$failures failed")"
[ "$failures" -eq 0 ]
