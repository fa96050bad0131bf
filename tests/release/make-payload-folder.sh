#!/usr/bin/env bash
# Writes a payload folder (for BRX_PAYLOAD_DIR) of other contents and sizes than the demo
# payload, under the names the payload manifest installs, with its SHA256SUMS:
#   tests/release/make-payload-folder.sh FOLDER PROGRAM
# The application (the installed .exe) is PROGRAM; the licence (the installed text, which
# ends in a zero byte) is a Windows-1251 text with CR LF line ends, longer than the demo's;
# every other file gets bytes of its own, of a size of its own, one of them none at all.
# The same arguments always give the same folder.
set -euo pipefail
folder=$1
program=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../payload/manifest.sh"
# Sizes for the files other than the program and the licence, in extraction order; the
# sixth is kept above 100 bytes (the installation tests damage and short-write it there).
sizes=(2345 12345 3001 77777 1 0 4096 150000 999)

licence() {
  printf '%.0s*' {1..68}; printf '\n'
  printf '          Другая программа - проверка собственной поставки\n'
  printf '%.0s*' {1..68}; printf '\n\n'
  printf '%15sЛИЦЕНЗИОННОЕ СОГЛАШЕНИЕ С ПОЛЬЗОВАТЕЛЕМ\n\n' ''
  local n
  for n in $(seq 1 40); do
    printf '%d. Пункт %d: программа предоставляется «как есть»,\n' "$n" "$n"
    printf '   её файлы передаются только вместе с этим текстом.\n'
  done
  printf '\nКонец соглашения.\n'
}

rm -rf "$folder"
mkdir -p "$folder"
n=0
while read -r path end; do
  mkdir -p "$(dirname "$folder/$path")"
  if [ "$end" = zero ]; then
    licence | iconv -f UTF-8 -t CP1251 | sed 's/$/\r/' >"$folder/$path"
  elif [[ $path == *.exe ]]; then
    cp "$program" "$folder/$path"
  else
    perl -e 'srand($ARGV[1]); print map { chr(int(rand(256))) } 1 .. $ARGV[0]' "${sizes[n]}" "$((n + 1))" \
      >"$folder/$path"
    n=$((n + 1))
  fi
done < <(payload_manifest_installed_paths "$here/../../payload/manifest.txt")
(cd "$folder" && find . -type f ! -name SHA256SUMS -printf '%P\n' | sort | xargs sha256sum >SHA256SUMS)
echo "Payload folder $folder: $(($(find "$folder" -type f | wc -l) - 1)) files and SHA256SUMS"
