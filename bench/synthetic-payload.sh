#!/usr/bin/env bash
# Writes the synthetic payload files of the scaling build into folder OUT: one for each
# installed block of the payload manifest, named like the source it replaces, with the
# real sizes scaled to 64 MiB together (the stand-in's block takes the remainder). Random
# bytes, except for texts that end in a zero byte, which get plain text lines: the wizard
# reads them in place and the licence page shows one.
#   synthetic-payload.sh OUT MANIFEST BUILD-FOLDER
# The files replace the demo payload's blocks, which a build configured with a payload
# folder (BRX_PAYLOAD_DIR) does not have: such a build is refused.
set -euo pipefail
out=$1
manifest=$2
build=$3
. "$(dirname "$0")/../payload/manifest.sh"
payload=$(payload_folder_of_build "$build")
if [ -n "$payload" ]; then
  echo "synthetic-payload.sh: the scaling build replaces the blocks of the demo payload, and $build installs the" \
    "payload folder $payload: configure it without BRX_PAYLOAD_DIR" >&2
  exit 1
fi
total=$((64 * 1024 * 1024))

# The real size of a block: its source, and the zero byte that ends a text.
real_size() {  # SOURCE FROM END
  local folder zero=0
  folder=$(payload_source_folder "$2" "$build")
  [ "$3" = zero ] && zero=1
  echo $(($(stat -c %s "$folder/$1") + zero))
}

real_total=0
while read -r _ source from end _; do
  real_total=$((real_total + $(real_size "$source" "$from" "$end")))
done < <(payload_manifest_installed "$manifest")

mkdir -p "$out"
sum=0
while read -r _ source from end _; do
  [ "$from" = standin ] && continue
  size=$(($(real_size "$source" "$from" "$end") * total / real_total))
  sum=$((sum + size))
  if [ "$end" = zero ]; then
    # The block adds the text's terminating zero byte.
    { yes $'Synthetic licence text for the scaling benchmark of the setup.\r' || true; } |
      head -c $((size - 1)) >"$out/$source"
  else
    head -c "$size" /dev/urandom >"$out/$source"
  fi
done < <(payload_manifest_installed "$manifest")
while read -r _ source from _; do
  if [ "$from" = standin ]; then head -c $((total - sum)) /dev/urandom >"$out/$source"; fi
done < <(payload_manifest_installed "$manifest")
