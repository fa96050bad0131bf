#!/usr/bin/env bash
# Runs the density tests in a Wine prefix of their own set to DPI pixels per inch, on a
# virtual screen of their own, large enough for the wizard at that density. The test
# program is told the density to expect.
#   density_test.sh DPI <test program> [test arguments]
set -euo pipefail
dpi=$1
program=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
. "$root/scripts/wine-density.sh"
build=$(brx_build_dir_of "$program")
brx_density_env "$build" "$dpi"
brx_density_prefix "$dpi"
unset DISPLAY
brx_display
trap 'wineserver -k 2>/dev/null || true; brx_display_stop' EXIT
brx_wine "$program" "$dpi" "${@:3}"
