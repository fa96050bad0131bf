#!/usr/bin/env bash
# Drive types and free space as the program sees them on drives that Wine is told are
# CD-ROM, network, RAM disk, floppy and hard disks. Uses a prefix of its own, because the
# drive table is read when the Wine server starts and must be set up before.
set -euo pipefail
probe=$1
. "$(dirname "$0")/script_support.sh"
use_private_prefix "$probe" wineprefix-drives

targets=$build/shell-drives
devices=$WINEPREFIX/dosdevices
mkdir -p "$targets"/{cd,net,ram,floppy}
ln -sfn "$targets/cd" "$devices/m:"
ln -sfn "$targets/net" "$devices/n:"
ln -sfn "$targets/ram" "$devices/r:"
ln -sfn "$targets/floppy" "$devices/f:"
# Wine takes the proc file system for a RAM disk whatever the table says; it has no free space.
ln -sfn /proc/sys/fs "$devices/p:"
rm -f "$devices/q:"  # no drive at all
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n"m:"="cdrom"\r\n"n:"="network"\r\n"r:"="ramdisk"\r\n"f:"="floppy"\r\n"p:"="hd"\r\n' \
  >"$targets/drives.reg"
brx_wine regedit /S "Z:$(echo "$targets/drives.reg" | tr / '\\')"
wineserver -k 2>/dev/null || true
wineserver -w

result=$(brx_wine "$probe" m: M: n: r: f: p: q: c:)
echo "$result"
expect() {  # expect <path> <type> <free megabytes, or + for more than 0>
  local line free
  line=$(grep -m1 "^$1 " <<<"$result" | tr -d '\r') || true
  free=${line##* }
  if [ "${line% *}" != "$1 $2" ] || { [ "$3" = + ] && [ "${free:-0}" -le 0 ]; } ||
     { [ "$3" != + ] && [ "$free" != "$3" ]; }; then
    fail "$1 should be type $2 with $3 MB free, got: $line"
  fi
}
expect m: 5 +
expect M: 5 +
expect n: 4 +
expect r: 6 +
expect f: 2 +
expect p: 6 0
expect q: 1 0
expect c: 3 +
finish "drive check"
