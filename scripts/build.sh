#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into ${BRX_BUILD:-build}.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bootstrap.sh
build=${BRX_BUILD:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$build" -j"$(nproc)"
