#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine, and unpacks
# libpng's and zlib's sources into third_party/. Safe to run again: finished steps are skipped.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

packages=(wine wine32:i386 wine64 xvfb g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          libz-mingw-w64-dev googletest imagemagick liblnk-utils cmake make locales dpkg-dev
          xauth x11-utils fonts-liberation fonts-wine mawk osslsigncode openssl git)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages come from the machine's own Debian sources, whatever mirror it uses.
src_list=/etc/apt/sources.list.d/brindlex-deb-src.sources
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
src_entries=$(bash "$root/scripts/debian-deb-src.sh")
if [ -z "$src_entries" ]; then
  echo "bootstrap: no Debian archive among the machine's apt sources; cannot fetch source packages" >&2
fi
if [ -n "$src_entries" ] && [ "$(cat "$src_list" 2>/dev/null)" != "$src_entries" ]; then
  printf '%s\n' "$src_entries" | $SUDO tee "$src_list" >/dev/null
  need_update=1
fi
pngdir=$(ls -d "$root"/third_party/libpng1.6-*/ 2>/dev/null | head -n1 || true)
zlibdir=$(ls -d "$root"/third_party/zlib-*/ 2>/dev/null | head -n1 || true)
if [ ${#missing[@]} -gt 0 ] || [ -z "$pngdir" ] || [ -z "$zlibdir" ]; then need_update=1; fi
if [ "$need_update" -eq 1 ]; then $SUDO apt-get update -q; fi
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine shows Cyrillic file names only under a UTF-8 Russian locale.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi

# A source package: the newest the machine's sources list, or the release's own where a
# mirror lacks the newer one (some carry no sources for the security suite).
fetch_source() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  mkdir -p "$root/third_party"
  (cd "$root/third_party" && { apt-get source -q "$1" ||
    { rm -rf ./"$1"_* ./"$1"-*; apt-get source -q "$1/$codename"; }; })
}
# libpng's source, and zlib's: the program builds only zlib's decompressor, sized for it.
[ -n "$pngdir" ] || fetch_source libpng1.6
[ -n "$zlibdir" ] || fetch_source zlib
echo "bootstrap: done"
