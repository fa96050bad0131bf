#!/usr/bin/env bash
# The check of a payload folder (payload/check-folder.sh) on a small folder made from the
# manifest, one change to it per case. A refused folder gives one line that names the file
# and the reason, and removes the checked copies and the setup program of an earlier
# build; an accepted one leaves copies equal to the folder, and rewrites only the copies
# whose bytes changed. Needs no Wine:
#   folder_check_test.sh MANIFEST CHECK-SCRIPT WORK-FOLDER
set -uo pipefail
manifest=$1
check=$2
work=$3
. "$(dirname "$0")/../manifest.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
rm -rf "$work"
mkdir -p "$work"
f=$work/folder                # the folder a case checks
m=$work/manifest.txt          # the manifest it is checked against
checked=$work/build/payload/checked
setup=$work/build/BrindlexSetup.exe

# The folder every case starts from: a few bytes of its own in each installed file, and a
# licence of two Windows-1251 lines.
base=$work/base
while read -r path end; do
  mkdir -p "$(dirname "$base/$path")"
  [ "$end" = zero ] && printf '\xcb\xe8\xf6\xe5\xed\xe7\xe8\xff\r\n\r\n' >"$base/$path" ||
    printf 'bytes of %s\n' "$path" >"$base/$path"
done < <(payload_manifest_installed_paths "$manifest")
sums() { (cd "$f" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort | xargs -d '\n' sha256sum >SHA256SUMS); }
licence=License.txt
program=Brindlex.exe
picture=projects/Vomar_6k_files/vomar6k_montag.jpg

# run CHANGE: a fresh folder with CHANGE (shell code) made to it; the check's exit status,
# its standard error in $work/refusal.
run() {
  rm -rf "$f" "$work/build" "$work/elsewhere"
  cp -r "$base" "$f"
  cp "$manifest" "$m"
  mkdir -p "$work/build" "$work/elsewhere"
  sums
  : >"$setup"
  eval "$1" || { echo "the change itself failed: $1"; return 99; }
  bash "$check" "$f" "$m" "$checked" "$setup" >"$work/output" 2>"$work/refusal"
}

# description ## change ## words of the refusal, @ standing for the folder's path
refusals=(
  'no folder at all ## rm -rf "$f" ## @: no such folder'
  'a file missing ## rm "$f/projects/Vomar_6k.html" ## @/projects/Vomar_6k.html: missing; '"$m"' installs it'
  'SHA256SUMS missing ## rm "$f/SHA256SUMS" ## @/SHA256SUMS: missing'
  'a file the manifest does not name ## touch "$f/readme.txt" ## @/readme.txt: a file that'
  'a hidden file ## touch "$f/projects/Vomar_6k_files/.DS_Store" ## @/projects/Vomar_6k_files/.DS_Store: a file that'
  'a folder the manifest does not name ## mkdir "$f/projects/old" ## @/projects/old: a folder that'
  'a name in another case ## mv "$f/License.txt" "$f/license.txt" ## @/license.txt: a file that'
  'a file that is a symbolic link ## mv "$f/$program" "$work/elsewhere/" && ln -s "$work/elsewhere/$program" "$f/$program" ## @/Brindlex.exe: a symbolic link'
  'a folder that is a symbolic link ## mv "$f/projects/Vomar_6k_files" "$work/elsewhere/" && ln -s "$work/elsewhere/Vomar_6k_files" "$f/projects/Vomar_6k_files" ## @/projects/Vomar_6k_files: a symbolic link'
  'a named pipe ## rm "$f/$picture" && mkfifo "$f/$picture" ## @/projects/Vomar_6k_files/vomar6k_montag.jpg: not a plain file'
  'one byte altered ## printf X | dd of="$f/$picture" bs=1 seek=3 conv=notrunc status=none ## @/projects/Vomar_6k_files/vomar6k_montag.jpg: its SHA-256 digest is'
  'a line twice ## head -n 1 "$f/SHA256SUMS" >>"$f/SHA256SUMS" ## @/SHA256SUMS:12: lists Brindlex.exe a second time (first on line 1)'
  'a path twice with another digest ## printf "%064d  License.txt\n" 0 >>"$f/SHA256SUMS" ## @/SHA256SUMS:12: lists License.txt a second time'
  'a file not listed ## sed -i "/Vomar_6k_r.gif/d" "$f/SHA256SUMS" ## @/projects/Vomar_6k_files/Vomar_6k_r.gif: not listed in SHA256SUMS'
  'SHA256SUMS listing itself ## sha256sum "$f/SHA256SUMS" | sed "s| .*|  SHA256SUMS|" >>"$f/SHA256SUMS" ## @/SHA256SUMS:12: lists SHA256SUMS, which'
  'a line for a file not installed ## printf "%064d  projects/old.gif\n" 0 >>"$f/SHA256SUMS" ## @/SHA256SUMS:12: lists projects/old.gif, which'
  'a path with backslashes ## sed -i "s|projects/Vomar_6k.html|projects\\\\Vomar_6k.html|" "$f/SHA256SUMS" ## @/SHA256SUMS:3: lists projects\Vomar_6k.html, which'
  'a line of one blank ## sed -i "1s/  / /" "$f/SHA256SUMS" ## @/SHA256SUMS:1: not a line of sha256sum'
  'a short digest ## sed -i "2s/^.//" "$f/SHA256SUMS" ## @/SHA256SUMS:2: not a line of sha256sum'
  'an empty line ## echo >>"$f/SHA256SUMS" ## @/SHA256SUMS:12: not a line of sha256sum'
  'a licence with a byte-order mark ## printf "\xef\xbb\xbf\xcb\r\n" >"$f/$licence" && sums ## @/License.txt: starts with a byte-order mark'
  'a licence in UTF-16 ## printf "\xff\xfeA\x00\r\x00\n\x00" >"$f/$licence" && sums ## @/License.txt: starts with a byte-order mark'
  'a licence with a zero byte ## printf "ab\r\n\x00cd\r\n" >"$f/$licence" && sums ## @/License.txt: holds a zero byte at offset 4'
  'a licence with a bare line feed ## printf "ab\r\ncd\nef\r\n" >"$f/$licence" && sums ## @/License.txt: a line feed without a carriage return at offset 6'
  'a licence with a bare carriage return ## printf "ab\rcd\r\n" >"$f/$licence" && sums ## @/License.txt: a carriage return without a line feed at offset 2'
  'a licence with a byte Windows-1251 lacks ## printf "ab\x98\r\n" >"$f/$licence" && sums ## @/License.txt: byte 0x98 at offset 2'
  'a licence in UTF-8 ## printf "\xd0\x9b\xd0\xb8\xd1\x86\xd0\xb5\xd0\xbd\xd0\xb7\xd0\xb8\xd1\x8f\r\n" >"$f/$licence" && sums ## @/License.txt: written in UTF-8'
  'a licence of 60,001 bytes ## { head -c 59999 /dev/zero | tr "\0" a; printf "\r\n"; } >"$f/$licence" && sums ## @/License.txt: 60001 bytes, more than the 60000'
  'more than the space needed ## head -c 645120 /dev/zero >"$f/$picture" && sums ## '"$m"':'"$(payload_manifest_space_needed "$manifest" | cut -d" " -f2)"': space-needed-kb 630 is 645120 bytes, fewer than the'
  'more than 256 MiB ## sed -i "s/^space-needed-kb .*/space-needed-kb  999999/" "$m" && truncate -s 256M "$f/$picture" && sums ## @: the installed files come to'
)
# description ## change
acceptances=(
  'the folder as sha256sum wrote it ## true'
  'the folder reached through a symbolic link ## mv "$f" "$work/elsewhere/real" && ln -s "$work/elsewhere/real" "$f"'
  'the binary marker ## sed -i "s/  / */" "$f/SHA256SUMS"'
  'lines ending in CR LF ## sed -i "s/$/\r/" "$f/SHA256SUMS"'
  'paths starting with ./ ## sed -i "s|  |  ./|" "$f/SHA256SUMS"'
  'digests in capitals ## sed -i "s/^[0-9a-f]*/\U&/" "$f/SHA256SUMS"'
  'a last line without its line feed ## truncate -s -1 "$f/SHA256SUMS"'
  'an empty file ## : >"$f/$picture" && sums'
  'a licence of 60,000 bytes with the characters of the code page ## { printf "\xcb\xe8\xf6 \xa9\xab\xbb\t"; head -c 59990 /dev/zero | tr "\0" a; printf "\r\n"; } >"$f/$licence" && sums'
  'exactly the space needed ## sed -i "s/^space-needed-kb .*/space-needed-kb  1/" "$m" && for p in $(cd "$f" && find . -type f ! -name SHA256SUMS -printf "%P "); do : >"$f/$p"; done && head -c 1023 /dev/zero >"$f/$picture" && sums'
)

for case in "${refusals[@]}"; do
  name=${case%% ## *}
  rest=${case#* ## }
  change=${rest%% ## *}
  words=${rest#* ## }
  words=${words//@/$f}
  run "$change"
  status=$?
  if [ "$status" -eq 99 ]; then
    fail "$name: $(cat "$work/refusal")"
  elif [ "$status" -eq 0 ]; then
    fail "$name is accepted"
  elif [ "$(wc -l <"$work/refusal")" -ne 1 ]; then
    fail "$name is refused with other than one line: $(cat "$work/refusal")"
  elif ! grep -qF -- "$words" "$work/refusal"; then
    fail "$name is refused without \"$words\": $(cat "$work/refusal")"
  elif [ -e "$setup" ] || [ -e "$checked" ] || [ -e "$checked.incoming" ]; then
    fail "$name is refused, but the setup program or the copies are left"
  fi
done

for case in "${acceptances[@]}"; do
  name=${case%% ## *}
  if ! run "${case#* ## }"; then
    fail "$name is refused: $(cat "$work/refusal")"
  elif ! diff -rq "$f" "$checked" >/dev/null 2>&1; then
    fail "$name: the copies differ from the folder: $(diff -rq "$f" "$checked" 2>&1 | head -n 3)"
  elif [ ! -e "$setup" ] || [ -e "$checked.incoming" ]; then
    fail "$name: the setup program is gone, or the incoming copies are left"
  fi
done

# Checked again: only the copies whose bytes changed are written, and one that is no longer
# installed goes.
run true || fail "the folder is refused: $(cat "$work/refusal")"
touch -d 2001-01-01 $(find "$checked" -type f)
printf 'more' >>"$f/$picture"
sums
touch "$checked/projects/gone.gif"
bash "$check" "$f" "$m" "$checked" "$setup" >/dev/null 2>&1 || fail "the changed folder is refused"
rewritten=$(cd "$checked" && find . -type f -newermt 2001-01-02 -printf '%P\n' | LC_ALL=C sort | tr '\n' ' ')
[ "$rewritten" = "SHA256SUMS $picture " ] || fail "checked again, the copies written are: $rewritten"
[ ! -e "$checked/projects/gone.gif" ] || fail "a copy of a file no longer installed is left"
diff -rq "$f" "$checked" >/dev/null 2>&1 || fail "checked again, the copies differ from the folder"

echo "$((${#refusals[@]} + ${#acceptances[@]} + 1)) folders, $failures failures"
[ "$failures" -eq 0 ]
