#!/usr/bin/env bash
# Installs what is missing, then configures and builds into ${BRX_BUILD:-build}: everything,
# or what the arguments name (they go to cmake --build, e.g. --target BrindlexSetup).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
build=${BRX_BUILD:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc)" "$@"
