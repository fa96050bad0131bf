#!/usr/bin/env bash
# Installs what is missing, then configures and builds the product into ${BRX_BUILD:-build}
# and its 64-bit twin into ${BRX_BUILD:-build}/x64: everything, or what the arguments name
# (they go to cmake --build, e.g. --target BrindlexSetup). BRX_BUILD_ARCHES="x86 x64" (the
# default) chooses which of the two.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
. scripts/builds.sh
for arch in ${BRX_BUILD_ARCHES:-x86 x64}; do
  brx_configure "$arch"
  cmake --build "$(brx_build_folder "$arch")" -j"$(nproc)" "$@"
done
