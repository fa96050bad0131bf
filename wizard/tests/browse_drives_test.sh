#!/usr/bin/env bash
# Runs the Browse tests in a Wine prefix of their own whose drive table holds the drives
# they choose: D: a CD-ROM, E: a network drive, F: a drive without free space (Wine counts
# none on the proc file system) and G: a fixed disk with a folder Apps. Wine reads the table
# when its server starts, so it is written first and the server is let go before the run.
#   browse_drives_test.sh <test program>
set -euo pipefail
program=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(brx_build_dir_of "$program")
export BRX_WINEPREFIX=$build/wineprefix-wizard-drives
brx_wine_env "$build"
brx_wine_prefix
brx_display
trap 'wineserver -k 2>/dev/null || true; brx_display_stop' EXIT

targets=$build/wizard-drives
devices=$WINEPREFIX/dosdevices
mkdir -p "$targets"/{cd,net,fixed/Apps}
ln -sfn "$targets/cd" "$devices/d:"
ln -sfn "$targets/net" "$devices/e:"
ln -sfn /proc/sys/fs "$devices/f:"
ln -sfn "$targets/fixed" "$devices/g:"
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n"d:"="cdrom"\r\n"e:"="network"\r\n"f:"="hd"\r\n"g:"="hd"\r\n' \
  >"$targets/drives.reg"
brx_wine regedit /S "Z:$(echo "$targets/drives.reg" | tr / '\\')"
wineserver -w

brx_wine "$program" "${@:2}"
