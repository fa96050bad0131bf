#!/usr/bin/env bash
# Checks a payload folder (BRX_PAYLOAD_DIR) against the payload manifest and the folder's
# own SHA256SUMS, and copies what it checked into the build:
#   check-folder.sh FOLDER MANIFEST CHECKED SETUP-PROGRAM
# FOLDER holds exactly the files the manifest installs, under their paths below the
# installation folder, each a plain file, and SHA256SUMS: one line per file in sha256sum's
# format (the digest, a blank, a blank or the binary marker "*", the path with "/"), every
# file once, SHA256SUMS itself not. The installed bytes (a text's zero byte counted) come
# to at most 256 MiB and to no more than the manifest's space-needed-kb. A text the wizard
# shows in place (a block that ends in a zero byte: the licence) is Windows-1251 with CR LF
# line ends, with no byte-order mark and no zero byte, at most 60,000 bytes long.
#
# The checks run on copies taken first, so that the bytes checked are the bytes built.
# CHECKED then holds the files in the folder's layout with its SHA256SUMS; a copy is
# replaced only when its bytes changed, so that nothing is rebuilt for nothing.
# A folder that fails is refused with one line on standard error, naming the file and the
# reason; CHECKED and the setup program of an earlier build (SETUP-PROGRAM) are removed,
# and the exit code is 1.
set -uo pipefail
folder=${1%/}
manifest=$2
checked=$3
setup=$4
staging=$checked.incoming
. "$(dirname "$0")/manifest.sh"

# The most a setup carries, and the most the licence page's edit field is given: the
# limit of the 98/ME edit control, with room.
max_total=$((256 * 1024 * 1024))
max_text=60000

refuse() {
  echo "$1" >&2
  rm -rf "$checked" "$staging"
  rm -f "$setup"
  exit 1
}

[ -d "$folder" ] || refuse "$folder: no such folder (BRX_PAYLOAD_DIR)"

# What the manifest installs: the files with their ends, and the folders.
declare -A expected_file end_of expected_folder listed_on digest_of
files=()
while read -r path end; do
  files+=("$path")
  expected_file[$path]=1
  end_of[$path]=$end
done < <(payload_manifest_installed_paths "$manifest")
while read -r path; do expected_folder[$path]=1; done < <(payload_manifest_folders "$manifest")

# Nothing in the folder that the manifest does not name, and nothing but plain files and
# folders.
while IFS= read -r -d '' entry; do
  type=${entry%% *}
  path=${entry#* }
  case $type in
    l) refuse "$folder/$path: a symbolic link; the payload folder holds only plain files and folders" ;;
    d) [ -n "${expected_folder[$path]+x}" ] ||
         refuse "$folder/$path: a folder that $manifest does not install" ;;
    f) [ "$path" = SHA256SUMS ] || [ -n "${expected_file[$path]+x}" ] ||
         refuse "$folder/$path: a file that $manifest does not install" ;;
    *) refuse "$folder/$path: not a plain file" ;;
  esac
done < <(find -H "$folder" -mindepth 1 -printf '%y %P\0' | LC_ALL=C sort -z)

[ -f "$folder/SHA256SUMS" ] || refuse "$folder/SHA256SUMS: missing; it lists the SHA-256 digest of every file"
for path in "${files[@]}"; do
  [ -f "$folder/$path" ] || refuse "$folder/$path: missing; $manifest installs it"
done

# SHA256SUMS: every line well formed, every installed file listed once, nothing else. A
# list written on Windows may end its lines in CR LF.
number=0
while IFS= read -r line || [ -n "$line" ]; do
  number=$((number + 1))
  line=${line%$'\r'}
  [[ $line =~ ^([0-9A-Fa-f]{64})\ [\ *](.+)$ ]] ||
    refuse "$folder/SHA256SUMS:$number: not a line of sha256sum's format (the digest, a blank, a blank or *, the path)"
  digest=${BASH_REMATCH[1],,}
  path=${BASH_REMATCH[2]#./}
  [ -n "${expected_file[$path]+x}" ] ||
    refuse "$folder/SHA256SUMS:$number: lists $path, which $manifest does not install"
  [ -z "${listed_on[$path]+x}" ] ||
    refuse "$folder/SHA256SUMS:$number: lists $path a second time (first on line ${listed_on[$path]})"
  listed_on[$path]=$number
  digest_of[$path]=$digest
done <"$folder/SHA256SUMS"
for path in "${files[@]}"; do
  [ -n "${listed_on[$path]+x}" ] || refuse "$folder/$path: not listed in SHA256SUMS"
done

# The copies, taken before anything is read for the checks below.
rm -rf "$staging"
mkdir -p "$staging"
for path in SHA256SUMS "${files[@]}"; do
  mkdir -p "$(dirname "$staging/$path")"
  cp "$folder/$path" "$staging/$path" 2>/dev/null || refuse "$folder/$path: cannot be read"
done

total=0
for path in "${files[@]}"; do
  size=$(stat -c %s "$staging/$path")
  [ "${end_of[$path]}" = zero ] && size=$((size + 1))
  total=$((total + size))
done
[ "$total" -le "$max_total" ] ||
  refuse "$folder: the installed files come to $total bytes, more than the $max_total (256 MiB) a setup carries"
read -r space_kb space_line < <(payload_manifest_space_needed "$manifest")
[ "$total" -le $((space_kb * 1024)) ] ||
  refuse "$manifest:$space_line: space-needed-kb $space_kb is $((space_kb * 1024)) bytes, fewer than the $total bytes the files of $folder install"

for path in "${files[@]}"; do
  [ "${end_of[$path]}" = zero ] || continue
  size=$(stat -c %s "$staging/$path")
  [ "$size" -le "$max_text" ] ||
    refuse "$folder/$path: $size bytes, more than the $max_text the licence page can show"
  # The first fault of the text, or nothing.
  fault=$(perl -0777 -ne '
    if (/^(\xEF\xBB\xBF|\xFF\xFE|\xFE\xFF)/) { print "starts with a byte-order mark; the text is Windows-1251 without one"; exit }
    if (/\x00/g) { printf "holds a zero byte at offset %d", pos() - 1; exit }
    if (/(?<!\r)\n/g) { printf "a line feed without a carriage return at offset %d; lines end in CR LF", pos() - 1; exit }
    if (/\r(?!\n)/g) { printf "a carriage return without a line feed at offset %d; lines end in CR LF", pos() - 1; exit }
    if (/\x98/g) { printf "byte 0x98 at offset %d, which Windows-1251 does not define", pos() - 1; exit }
    if (/[\x80-\xFF]/ && utf8::decode(my $copy = $_)) { print "written in UTF-8, not in Windows-1251"; exit }
  ' "$staging/$path")
  [ -z "$fault" ] || refuse "$folder/$path: $fault"
done

# The digests, of the copies.
while read -r digest path; do
  [ "$digest" = "${digest_of[$path]}" ] ||
    refuse "$folder/$path: its SHA-256 digest is $digest, not the ${digest_of[$path]} that SHA256SUMS lists"
done < <(cd "$staging" && sha256sum -- "${files[@]}" | sed 's/^\([0-9a-f]*\) [ *]/\1 /')

# Into place: only the copies whose bytes changed, and nothing that is no longer installed.
for path in SHA256SUMS "${files[@]}"; do
  if ! cmp -s "$staging/$path" "$checked/$path"; then
    mkdir -p "$(dirname "$checked/$path")"
    mv -f "$staging/$path" "$checked/$path"
  fi
done
while IFS= read -r -d '' path; do
  [ "$path" = SHA256SUMS ] || [ -n "${expected_file[$path]+x}" ] || rm -rf "${checked:?}/$path"
done < <(cd "$checked" && find . -mindepth 1 -type f -printf '%P\0')
find "$checked" -mindepth 1 -type d -empty -delete
rm -rf "$staging"
echo "Payload folder $folder: ${#files[@]} files, $total bytes installed, matching SHA256SUMS; checked copies in $checked"
