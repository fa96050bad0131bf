#!/usr/bin/env bash
# Builds the setup program and starts it under Wine on this display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh
exec bash scripts/wine-run.sh "${BRX_BUILD:-build}/BrindlexSetup.exe"
