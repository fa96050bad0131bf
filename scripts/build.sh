#!/usr/bin/env bash
# Installs what is missing, then configures and builds the product into ${BRX_BUILD:-build}
# and its 64-bit twin into ${BRX_BUILD:-build}/x64: everything, or what the arguments name
# (they go to cmake --build, e.g. --target BrindlexSetup). BRX_BUILD_ARCHES="x86 x64" (the
# default) chooses which of the two. BRX_PAYLOAD_DIR=/absolute/folder installs the files of
# that folder instead of the stand-in and the demo project (README: "Shipping your own
# files").
# When a build fails, its BrindlexSetup.exe is removed, and when the product's fails, the
# twin's too: no program of an earlier build is left to be taken for this one.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
. scripts/builds.sh
for arch in ${BRX_BUILD_ARCHES:-x86 x64}; do
  build=$(brx_build_folder "$arch")
  stale=("$build/BrindlexSetup.exe")
  [ "$arch" = x86 ] && stale+=("$(brx_build_folder x64)/BrindlexSetup.exe")
  trap 'rm -f "${stale[@]}"' EXIT
  brx_configure "$arch"
  cmake --build "$build" -j"$(nproc)" "$@"
  trap - EXIT
done
