#!/usr/bin/env bash
# Builds everything and runs every test under Wine, printing CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh
build=$(cd "${BRX_BUILD:-build}" && pwd)
. scripts/wine-env.sh
brx_wine_env "$build"
brx_wine_prefix
brx_display
# One Wine server for the whole run: each program then starts in a fraction of a second.
wineserver -p
# Start Wine's own services here, with their output going nowhere: started by the first test,
# they would keep that test's output open and CTest would wait for them until its time-out.
wineboot </dev/null >/dev/null 2>&1 || true
export BRX_WINESERVER_KEEP=1
rc=0
ctest --test-dir "$build" --output-on-failure "$@" || rc=$?
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
brx_display_stop
exit $rc
