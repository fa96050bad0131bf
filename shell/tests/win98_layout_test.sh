#!/usr/bin/env bash
# Document types registered on a system that reports itself as Windows 98, read back with
# the system's own reg tool. The prefix is used for this test only, since the reported
# version applies to every program in it.
set -euo pipefail
probe=$1
. "$(dirname "$0")/script_support.sh"
use_private_prefix "$probe" wineprefix-win98
brx_wine reg add 'HKCU\Software\Wine' /v Version /d win98 /f >/dev/null

program='C:\Program Files\Brindlex\Brindlex.exe'
chosen=$(brx_wine "$probe" "$program" | tr -d '\r')
echo "$chosen"

[ "$chosen" = "version 30 layout 0" ] ||
  fail "the program should see Windows 98 (version 30) and choose its layout (0)"
# reg prints in code page 866; the value names it shows are localised, the data is not.
query() { brx_wine reg query "$@" 2>/dev/null | iconv -f CP866 -t UTF-8 | tr -d '\r'; }
expect() {  # expect <key> <default value's data>
  if ! query "$1" /ve | grep -qxE "\s+\S.*\s+REG_SZ\s+$(sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$2")"; then
    fail "$1 should hold: $2"
    query "$1"
  fi
}
absent() {
  if brx_wine reg query "$1" >/dev/null 2>&1; then fail "$1 should not exist"; fi
}
classes='HKLM\Software\Classes'
expect "$classes\\.sfr" 'Brindlex.exe'
expect "$classes\\.hex" 'Brindlex.exe'
expect "$classes\\Brindlex.exe" 'Brindlex'
expect "$classes\\Brindlex.exe\\DefaultIcon" "$program"
expect "$classes\\Brindlex.exe\\shell\\open\\command" "\"$program\" \"%1\""
absent 'HKCR\sfr_auto_file'
absent 'HKCR\Applications\Brindlex.exe'
absent 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.sfr'
finish "win98 layout check"
