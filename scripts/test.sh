#!/usr/bin/env bash
# Builds everything and runs every test under Wine, printing CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh
build=$(cd "${BRX_BUILD:-build}" && pwd)
. scripts/wine-env.sh
brx_wine_env "$build"
# One Wine server for the whole run: each program then starts in a fraction of a second.
brx_wine_session
rc=0
ctest --test-dir "$build" --output-on-failure "$@" || rc=$?
brx_wine_session_stop
exit $rc
