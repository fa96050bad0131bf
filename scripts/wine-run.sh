#!/usr/bin/env bash
# Runs one Windows program under Wine in its build folder's private prefix:
#   scripts/wine-run.sh build/BrindlexSetup.exe [arguments]
# CTest uses it as the emulator for every test program.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
program=$1; shift
build=${BRX_BUILD_DIR:-$(brx_build_dir_of "$program")} || { echo "wine-run: no build folder above $program" >&2; exit 2; }
brx_wine_env "$build"
brx_wine_prefix
brx_display
trap brx_display_stop EXIT
# The program's exit code is its answer (a test's result), passed on as it is.
rc=0
brx_wine "$program" "$@" || rc=$?
# Wait until Wine has written everything out, unless the caller keeps one server
# alive for a whole series of programs (the test command does).
[ -n "${BRX_WINESERVER_KEEP:-}" ] || wineserver -w
brx_display_stop
exit $rc
