# Sourced by the Windows build scripts: Debian source packages fetched from the
# archive the system already installs its own packages from, so that the
# sources are those of the binaries on the machine, through an apt state of
# our own so that the system's apt configuration stays as it is.

# The first URI that serves the release itself (not its -updates or -security
# suites), in either of apt's two formats.
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

fetch_sources() {  # apt state folder, download folder, then source package names
  local apt_state=$1 into=$2 archive codename
  shift 2
  archive=$(system_archive)
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  if [ -z "$archive" ]; then
    echo "debian-sources: no Debian archive for $codename in the system's apt sources" >&2
    return 1
  fi
  mkdir -p "$apt_state/lists/partial" "$apt_state/cache/archives/partial" "$into"
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
  (cd "$into" && apt-get -qq "${options[@]}" source --download-only "$@")
}

unpack_source() {  # download folder, destination folder, package, patch folder, log
  local dsc folder patch
  dsc=$(ls "$1/$3"_*.dsc | sort -V | tail -n 1)
  folder=$2/$(basename "$dsc" .dsc)
  rm -rf "$folder"
  dpkg-source --no-check -x "$dsc" "$folder" >>"$5" 2>&1
  for patch in "$4/$3"-*.patch; do
    [ -f "$patch" ] && patch -d "$folder" -p1 --quiet <"$patch"
  done
  echo "$folder"
}
