#!/bin/sh
# Fetches cpp-httplib's upstream single header, httplib.h, for a Windows build of
# scenario_tool with `view --serve`: Debian builds cpp-httplib for Linux only, but its
# source package (the same version as libcpp-httplib-dev) carries the upstream header,
# which is usable header-only. The machine's apt configuration is left alone: a source
# list, its package lists and the download all stay under DEST. Prints DEST's include
# folder (hand it to CMake as SCENARIO_HTTPLIB_HEADER_DIR).
#
#   cmake/httplib_windows.sh DEST
set -eu
[ $# -eq 1 ] || { echo "usage: $0 DEST" >&2; exit 2; }
mkdir -p "$1"
dest=$(cd "$1" && pwd)
versione=0.11.4
if [ -f "$dest/include/httplib.h" ] && grep -q "CPPHTTPLIB_VERSION \"$versione\"" "$dest/include/httplib.h"; then
  echo "$dest/include"
  exit 0
fi
mkdir -p "$dest/apt/lists/partial" "$dest/scaricato"
printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
  >"$dest/apt/src.sources"
apt_locale() {
  apt-get -q -o Dir::Etc::sourcelist="$dest/apt/src.sources" -o Dir::Etc::sourceparts=/nonexistent \
    -o Dir::State::Lists="$dest/apt/lists" -o Dir::Cache="$dest/apt/cache" "$@"
}
apt_locale update >/dev/null
(cd "$dest/scaricato" && apt_locale source --download-only "cpp-httplib=$versione+ds-1+deb12u1" >/dev/null 2>&1 ||
  apt_locale source --download-only cpp-httplib >/dev/null)
archivio=$(ls "$dest"/scaricato/cpp-httplib_"$versione"*.orig.tar.* | head -n 1)
rm -rf "$dest/estratto" && mkdir -p "$dest/estratto" "$dest/include"
tar -xf "$archivio" -C "$dest/estratto"
header=$(find "$dest/estratto" -maxdepth 2 -name httplib.h | head -n 1)
# Debian's own fixes, as in the Linux library.
debian=$(ls "$dest"/scaricato/cpp-httplib_"$versione"*.debian.tar.* 2>/dev/null | head -n 1 || true)
if [ -n "$debian" ]; then
  tar -xf "$debian" -C "$dest/estratto"
  if [ -f "$dest/estratto/debian/patches/series" ]; then
    grep -v '^#' "$dest/estratto/debian/patches/series" | while read -r correzione; do
      [ -n "$correzione" ] && patch -s -d "$(dirname "$header")" -p1 <"$dest/estratto/debian/patches/$correzione"
    done
  fi
fi
grep -q "CPPHTTPLIB_VERSION \"$versione\"" "$header" || { echo "$0: $header is not cpp-httplib $versione" >&2; exit 1; }
cp "$header" "$dest/include/httplib.h"
echo "$dest/include"
