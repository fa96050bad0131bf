#!/usr/bin/env bash
# Writes the CRC-32 of every block that a block layout (the block-layout.inc made from
# payload/manifest.txt) lays out, in its storage order, as assembler data for blocks.S to
# include:
#   block-crcs.sh OUTPUT LAYOUT INCLUDE-FOLDER...
# A block's bytes are gathered as the assembler gathers them: each .incbin file from the
# first include folder that has it, and each ".byte 0" terminator. gzip's trailer holds
# the CRC-32 (the one zlib's crc32 computes) of what it was given.
set -euo pipefail
out=$1
source=$2
shift 2
folders=("$@")

find_file() {
  local folder
  for folder in "${folders[@]}"; do
    if [ -f "$folder/$1" ]; then
      echo "$folder/$1"
      return 0
    fi
  done
  echo "block-crcs.sh: $1 is in none of ${folders[*]}" >&2
  return 1
}

parts=()  # the current block's bytes: file paths, and "" for a zero byte
block=
crc_of_parts() {
  local part bytes
  bytes=$(for part in "${parts[@]}"; do
    if [ -n "$part" ]; then cat "$part"; else printf '\0'; fi
  done | gzip -1 -c | tail -c 8 | head -c 4 | od -An -tx1)
  set -- $bytes
  [ $# -eq 4 ] || { echo "block-crcs.sh: no checksum for $block" >&2; return 1; }
  echo "0x$4$3$2$1"
}

finish_block() {
  [ -n "$block" ] || return 0
  [ ${#parts[@]} -gt 0 ] || { echo "block-crcs.sh: $block holds nothing" >&2; return 1; }
  printf '        .long %s  /* %s */\n' "$(crc_of_parts)" "$block"
}

{
  printf '/* Written by block-crcs.sh from the block layout: the CRC-32 of each block, in storage order. */\n'
  while IFS= read -r line; do
    if [[ $line =~ ^BLOCK\(([A-Za-z0-9_]+)\) ]]; then
      finish_block
      block=${BASH_REMATCH[1]}
      parts=()
      [ "$block" = BlockEnd ] && break
    elif [[ $line =~ ^[[:space:]]*\.incbin[[:space:]]+\"([^\"]+)\" ]]; then
      parts+=("$(find_file "${BASH_REMATCH[1]}")")
    elif [[ $line =~ ^[[:space:]]*\.byte[[:space:]]+0[[:space:]]*$ ]]; then
      parts+=("")
    fi
  done <"$source"
  [ "$block" = BlockEnd ] || { echo "block-crcs.sh: no BlockEnd in $source" >&2; exit 1; }
} >"$out.tmp"
mv "$out.tmp" "$out"
