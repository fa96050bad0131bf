#!/usr/bin/env bash
# Compares two Windows programs outside what signing writes: the certificate table, the
# security entry of the optional header's data directory (entry 4, where the table is), and
# the header's checksum. Each program is read as it would be unsigned: those fields zeroed,
# the table cut out, the rest padded with zeros to 8 bytes as a signer pads it.
#   scripts/pe-outside-signature.sh A.exe B.exe
# Prints "same outside the signature" (exit code 0), or the first differing offset of the
# unsigned view, which is the file's own offset before the table (exit code 1). Exit code 2:
# a file that is not a PE program or whose security entry points outside it.
set -euo pipefail
. "$(dirname "$0")/common.sh"

# le FILE OFFSET BYTES: the little-endian number there.
le() { od -An -tu"$3" --endian=little -j "$2" -N "$3" "$1" | tr -d ' '; }

# unsigned_view FILE OUT
unsigned_view() {
  local file=$1 out=$2 size pe magic dirs cert_off cert_len
  size=$(stat -c %s "$file")
  if [ "$size" -lt 64 ] || [ "$(head -c 2 "$file")" != MZ ]; then
    echo "$file: not a PE program (no MZ header)" >&2; return 2
  fi
  pe=$(le "$file" 60 4)
  if [ $((pe + 24 + 2)) -gt "$size" ] || [ "$(tail -c +$((pe + 1)) "$file" | head -c 4 | od -An -tx1 | tr -d ' ')" != 50450000 ]; then
    echo "$file: not a PE program (no PE signature at $pe)" >&2; return 2
  fi
  magic=$(le "$file" $((pe + 24)) 2)
  case $magic in
    267) dirs=$((pe + 24 + 96)) ;;  # PE32
    523) dirs=$((pe + 24 + 112)) ;; # PE32+
    *) echo "$file: unknown optional header magic $magic" >&2; return 2 ;;
  esac
  [ $((dirs + 40)) -le "$size" ] || { echo "$file: header cut short" >&2; return 2; }
  cert_off=$(le "$file" $((dirs + 32)) 4)
  cert_len=$(le "$file" $((dirs + 36)) 4)
  if [ "$cert_len" -eq 0 ]; then
    cat "$file" >"$out"
  elif [ $((cert_off + cert_len)) -gt "$size" ] || [ "$cert_off" -lt $((dirs + 40)) ]; then
    echo "$file: the certificate table ($cert_off, $cert_len bytes) lies outside the file" >&2
    return 2
  else
    head -c "$cert_off" "$file" >"$out"
  fi
  size=$(stat -c %s "$out")
  [ $((size % 8)) -eq 0 ] || head -c $((8 - size % 8)) /dev/zero >>"$out"
  [ "$cert_len" -eq 0 ] || tail -c +$((cert_off + cert_len + 1)) "$file" >>"$out"
  head -c 4 /dev/zero | dd of="$out" bs=1 seek=$((pe + 24 + 64)) conv=notrunc status=none
  head -c 8 /dev/zero | dd of="$out" bs=1 seek=$((dirs + 32)) conv=notrunc status=none
}

[ $# -eq 2 ] || { echo "usage: scripts/pe-outside-signature.sh A.exe B.exe" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unsigned_view "$1" "$work/a" || exit 2
unsigned_view "$2" "$work/b" || exit 2
if cmp -s "$work/a" "$work/b"; then
  echo "same outside the signature"
  exit 0
fi
# cmp reports a difference with exit code 1, which is the case here.
first=$({ LC_ALL=C cmp "$work/a" "$work/b" 2>&1 || true; } | awk '/differ/ { sub(/,/, "", $5); print $5 - 1; exit }
                                            /EOF/ { print "EOF"; exit }')
if [ "$first" = EOF ]; then
  echo "differ outside the signature: one is a prefix of the other (lengths $(stat -c %s "$work/a") and $(stat -c %s "$work/b") unsigned)"
else
  printf 'differ outside the signature: first at offset %d (0x%x)\n' "$first" "$first"
fi
exit 1
