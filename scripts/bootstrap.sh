#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine, and unpacks
# libpng's source into third_party/. Safe to run again: finished steps are skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

packages=(wine wine32:i386 xvfb g++-mingw-w64-i686-posix libz-mingw-w64-dev googletest
          imagemagick liblnk-utils cmake make locales dpkg-dev xauth x11-utils
          fonts-liberation mawk)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

src_list=/etc/apt/sources.list.d/brindlex-deb-src.sources
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
if [ ! -f "$src_list" ]; then
  $SUDO tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
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

if [ -z "$pngdir" ]; then
  mkdir -p "$root/third_party"
  (cd "$root/third_party" && apt-get source -q libpng1.6)
fi
# zlib's source: the program builds only its decompressor, sized for the program.
if [ -z "$zlibdir" ]; then
  mkdir -p "$root/third_party"
  (cd "$root/third_party" && apt-get source -q zlib)
fi
echo "bootstrap: done"
