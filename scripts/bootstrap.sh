#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian machine, and unpacks
# libpng's and zlib's sources into third_party/. Safe to run again: finished steps are skipped.
#   scripts/bootstrap.sh              the build, the tests under Wine, and release signing
#   scripts/bootstrap.sh --build-only only what builds the unsigned 32-bit program (compilers,
#                                     binutils, CMake, make, mawk, GoogleTest's source, which
#                                     the configuration reads), apt-get source, git and
#                                     osslsigncode for comparing a release: no Wine, no display
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

build_packages=(g++-mingw-w64-i686-posix cmake make mawk googletest dpkg-dev git osslsigncode)
case "${1:-}" in
  --build-only) packages=("${build_packages[@]}") ;;
  "")
    # The test runs (Wine, its fonts and display), the twin's compiler, picture checks,
    # shortcut reading, and signing with a PKCS#11 token (SoftHSM for the tests).
    packages=("${build_packages[@]}" wine wine32:i386 wine64 xvfb g++-mingw-w64-x86-64-posix
              libz-mingw-w64-dev imagemagick liblnk-utils locales xauth x11-utils
              fonts-liberation fonts-wine openssl softhsm2 libengine-pkcs11-openssl)
    ;;
  *) echo "usage: scripts/bootstrap.sh [--build-only]" >&2; exit 2 ;;
esac
full=1
[ "${1:-}" = --build-only ] && full=0

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# Source packages come from the machine's own Debian sources, whatever mirror it uses.
src_list=/etc/apt/sources.list.d/brindlex-deb-src.sources
need_update=0
if [ "$full" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "bootstrap: adding the i386 architecture (32-bit Wine)"
  $SUDO dpkg --add-architecture i386
  need_update=1
fi
src_entries=$(bash "$root/scripts/debian-deb-src.sh")
if [ -z "$src_entries" ]; then
  echo "bootstrap: no Debian archive among the machine's apt sources; cannot fetch source packages" >&2
fi
if [ -n "$src_entries" ] && [ "$(cat "$src_list" 2>/dev/null)" != "$src_entries" ]; then
  echo "bootstrap: writing the Debian archive's source entries to $src_list"
  printf '%s\n' "$src_entries" | $SUDO tee "$src_list" >/dev/null
  need_update=1
fi
pngdir=$(ls -d "$root"/third_party/libpng1.6-*/ 2>/dev/null | head -n1 || true)
zlibdir=$(ls -d "$root"/third_party/zlib-*/ 2>/dev/null | head -n1 || true)
if [ ${#missing[@]} -gt 0 ] || [ -z "$pngdir" ] || [ -z "$zlibdir" ]; then need_update=1; fi
if [ "$need_update" -eq 1 ]; then
  echo "bootstrap: apt-get update"
  $SUDO apt-get update
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${#missing[@]} missing packages: ${missing[*]}"
  echo "bootstrap: on a fresh machine this takes several minutes; apt's progress follows"
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
else
  echo "bootstrap: all ${#packages[@]} packages are installed"
fi

# Wine shows Cyrillic file names only under a UTF-8 Russian locale.
if [ "$full" = 1 ] && ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  echo "bootstrap: making the ru_RU.UTF-8 locale"
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi

# A source package: the newest the machine's sources list, or the release's own where a
# mirror lacks the newer one (some carry no sources for the security suite).
fetch_source() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  echo "bootstrap: fetching the source of $1 into $root/third_party"
  mkdir -p "$root/third_party"
  (cd "$root/third_party" && { apt-get source -q "$1" ||
    { rm -rf ./"$1"_* ./"$1"-*; apt-get source -q "$1/$codename"; }; })
}
# libpng's source, and zlib's: the program builds only zlib's decompressor, sized for it.
[ -n "$pngdir" ] || fetch_source libpng1.6
[ -n "$zlibdir" ] || fetch_source zlib
echo "bootstrap: done"
