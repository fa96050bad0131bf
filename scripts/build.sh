#!/usr/bin/env bash
# Installs what is missing, then configures and builds the product into ${BRX_BUILD:-build}
# and its 64-bit twin into ${BRX_BUILD:-build}/x64: everything, or what the arguments name
# (they go to cmake --build, e.g. --target BrindlexSetup). BRX_BUILD_ARCHES="x86 x64" (the
# default) chooses which of the two. BRX_PAYLOAD_DIR=/absolute/folder installs the files of
# that folder instead of the stand-in and the demo project (README: "Shipping your own
# files").
# BRX_BUILD_ONLY=1 installs only what building needs (scripts/bootstrap.sh --build-only): no
# Wine, no display, and only the 32-bit product (the default BRX_BUILD_ARCHES is then x86);
# a machine that only rebuilds a release, for instance. The tests then cannot run, but the
# programs are the same.
# When a build fails, its BrindlexSetup.exe is removed, and when the product's fails, the
# twin's too: no program of an earlier build is left to be taken for this one.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
arches=${BRX_BUILD_ARCHES:-x86 x64}
if [ "${BRX_BUILD_ONLY:-}" = 1 ]; then
  arches=${BRX_BUILD_ARCHES:-x86}
  if [ "$arches" != x86 ]; then
    echo "build.sh: BRX_BUILD_ONLY=1 builds the 32-bit product only, not BRX_BUILD_ARCHES='$arches'" >&2
    exit 2
  fi
  bash scripts/bootstrap.sh --build-only
else
  bash scripts/bootstrap.sh
fi
. scripts/builds.sh
for arch in $arches; do
  build=$(brx_build_folder "$arch")
  stale=("$build/BrindlexSetup.exe")
  [ "$arch" = x86 ] && stale+=("$(brx_build_folder x64)/BrindlexSetup.exe")
  trap 'rm -f "${stale[@]}"' EXIT
  brx_configure "$arch"
  cmake --build "$build" -j"$(nproc)" "$@"
  trap - EXIT
done
