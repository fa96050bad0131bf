#!/usr/bin/env bash
# The setup program's imports against the committed list of what it may import:
#   imports_test.sh OBJDUMP PROGRAM.exe LIST
# Every function on the list exists on Windows 98 SE and 2000, where the program must
# start. A function imported from anywhere new fails this test until it has been checked
# against those systems and added to the list; one no longer imported is reported too, so
# the list stays exact. Whatever the list says, the program imports only from DLLs that
# Windows loads from its system folder whatever the program's folder holds: any other is
# loaded at run time, after the DLL search has been restricted.
set -euo pipefail
objdump=$1
program=$2
list=$3
system_dlls=" ADVAPI32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL USER32.DLL "

imports=$(LC_ALL=C "$objdump" -p "$program" | awk '
  /^\tDLL Name: / { dll = toupper($3); next }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll "!" $NF }' | LC_ALL=C sort)
[ -n "$imports" ] || { echo "no imports read from $program"; exit 1; }
allowed=$(grep -v '^#' "$list" | grep . | LC_ALL=C sort)

other=$(for dll in $(echo "$imports" "$allowed" | cut -d'!' -f1 | sort -u); do
  [[ $system_dlls == *" $dll "* ]] || echo "$dll"
done)
if [ -n "$other" ]; then
  printf 'imported or listed from a DLL that may come from beside the program (load it at run time):\n%s\n' "$other"
  exit 1
fi

new=$(LC_ALL=C comm -23 <(echo "$imports") <(echo "$allowed"))
gone=$(LC_ALL=C comm -13 <(echo "$imports") <(echo "$allowed"))
count=$(echo "$imports" | wc -l)
if [ -z "$new" ] && [ -z "$gone" ]; then
  echo "imports: $count functions, all on the list"
  exit 0
fi
[ -z "$new" ] || printf 'imported but not on the list (check Windows 98 SE and 2000, then add):\n%s\n' "$new"
[ -z "$gone" ] || printf 'on the list but no longer imported (remove):\n%s\n' "$gone"
exit 1
