#!/usr/bin/env bash
# The 32-bit setup program says in its PE header that it registers no structured exception
# handler (NO_SEH), and its code bears that out: no instruction writes through the fs
# segment, where the thread's handler chain begins (%fs:0):
#   no_seh_test.sh OBJDUMP PROGRAM.exe
# Reads the file only: no Wine needed.
set -euo pipefail
objdump=$1
program=$2

# Each instruction of an objdump -d listing that addresses the fs segment, as "writes" or
# "reads", a tab, its address and text. In objdump's AT&T syntax an instruction's last
# operand is the one it writes; push, cmp and test only read theirs.
fs_accesses() {
  awk -F '\t' '
    NF >= 3 && $3 ~ /%fs:/ {
      mnemonic = $3; sub(/ .*/, "", mnemonic)
      operands = $3; sub(/^[^ ]+ +/, "", operands)
      last = operands; sub(/.*,/, "", last)
      print ((last ~ /%fs:/ && mnemonic !~ /^(push|cmp|test)/) ? "writes" : "reads") "\t" $1 $3
    }'
}

# The classification itself, on the instructions that register and read a handler.
sample=$(printf '%s\n' $'  1:\t64 89 25 00 00 00 00 \tmov    %esp,%fs:0x0' \
  $'  2:\t64 8f 05 00 00 00 00 \tpop    %fs:0x0' $'  3:\t64 a1 00 00 00 00    \tmov    %fs:0x0,%eax' \
  $'  4:\t64 ff 35 00 00 00 00 \tpush   %fs:0x0' | fs_accesses | cut -f1 | tr '\n' ' ')
[ "$sample" = "writes writes reads reads " ] || { echo "FAIL: the listing is read wrongly: $sample"; exit 1; }

header=$(LC_ALL=C "$objdump" -p "$program")
grep -qx $'\t*NO_SEH' <<<"$header" || { echo "FAIL: $program has no NO_SEH flag in its DllCharacteristics"; exit 1; }

found=$(LC_ALL=C "$objdump" -d "$program" | fs_accesses)
writes=$(grep '^writes' <<<"$found" || true)
if [ -n "$writes" ]; then
  printf 'FAIL: instructions of %s write through the fs segment:\n%s\n' "$program" "$(cut -f2- <<<"$writes")"
  exit 1
fi
echo "NO_SEH set; $(grep -c '^reads' <<<"$found" || true) instructions read through the fs segment, none writes through it"
