#!/usr/bin/env bash
# The build refuses a manifest that would lay out, name or install the payload wrongly.
# Each case edits a copy of the real manifest with one sed expression. A refused one stops
# the configuration with one line that names the manifest and holds the given words, and
# removes the setup program of an earlier build; an accepted one makes every generated file
# and leaves the program alone:
#   manifest_check_test.sh MANIFEST MANIFEST.CMAKE ASSETS-FOLDER TEXTS-FOLDER STANDIN-SIZE WORK-FOLDER
# (TEXTS-FOLDER: the texts a configured build filled from their templates)
set -uo pipefail
manifest=$1
script=$2
assets=$3
texts=$4
standin_size=$5
work=$6
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
setup=$work/BrindlexSetup.exe
header=$(dirname "$script")/../wizard/typed_folders.h

# run MANIFEST [HEADER]: cmake's exit status; the lines of each error it reported in
# $work/refusals (the lines after "CMake Error at ..." up to the call stack), its whole
# output in $work/output.
run() {
  : >"$setup"
  rm -rf "$work/out"
  cmake -DMANIFEST="$1" -DOUT="$work/out" -DASSETS="$assets" -DTEXTS="$texts" -DSTANDIN_SIZE="$standin_size" \
    -DBRX_SETUP_PROGRAM="$setup" -DBRX_DESTINATION_HEADER="${2:-$header}" -P "$script" >"$work/output" 2>&1
  local status=$?
  awk '/^CMake Error/ { error = 1; next } /^Call Stack|^$/ { error = 0 } error { sub(/^ */, ""); print }' \
    "$work/output" >"$work/refusals"
  return $status
}

# accepted NAME MANIFEST [HEADER]
accepted() {
  run "$2" "${3:-}" || { fail "$1 is refused: $(cat "$work/output")"; return; }
  [ -e "$setup" ] || fail "$1: the setup program was removed although nothing was refused"
  local made
  for made in payload/manifest.h payload_table.inc block-layout.inc block-sizes.inc; do
    [ -s "$work/out/$made" ] || fail "$1 made no $made"
  done
}

# refused NAME MANIFEST WORDS [HEADER [NAMED]]: NAMED, by default MANIFEST, is the file the
# refusal must name.
refused() {
  run "$2" "${4:-}" && { fail "$1 is accepted"; return; }
  local lines named=${5:-$2}
  lines=$(wc -l <"$work/refusals")
  if [ "$lines" -ne 1 ]; then
    fail "$1 is refused with $lines lines, not one:"; cat "$work/output"
  elif ! grep -qF -- "$3" "$work/refusals" || ! grep -qF -- "$named" "$work/refusals"; then
    fail "$1 is refused without \"$3\" or the name $named: $(cat "$work/refusals")"
  fi
  [ ! -e "$setup" ] || fail "$1 is refused, but the setup program of the earlier build is left"
}

accepted "the real manifest" "$manifest"
grep -qx 'constexpr int DestinationClassCount = 3;' "$work/out/payload/manifest.h" &&
  grep -qx '#define BRX_SPACE_NEEDED_KB "630"' "$work/out/payload/manifest.h" ||
  fail "the real manifest's header lacks the folder count or the space needed: $(cat "$work/out/payload/manifest.h")"

# The longest installed path (45 characters) is held to 259 less the wizard's longest
# destination, read from its header.
sed 's/DestinationMaxLength = [0-9]*;/DestinationMaxLength = 215;/' "$header" >"$work/typed_folders.h"
refused "a destination limit of 215" "$manifest" "is 45 characters long, more than the 44" "$work/typed_folders.h"
sed 's/DestinationMaxLength = [0-9]*;/DestinationLimit = 214;/' "$header" >"$work/typed_folders.h"
refused "a header without the limit" "$manifest" "no definition of DestinationMaxLength" "$work/typed_folders.h" \
  "$work/typed_folders.h"

# sed expression ## words of the expected refusal
refusals=(
  's/^block  LicenceText .*/& extra/ ## neither a folder line'
  's/^folder  ProjectsFolder .*/&\nfolder  ProjectsFolder  elsewhere/ ## listed twice'
  's/^folder  ProjectsFolder .*/&\nfolder  OtherFolder  Projects/ ## another folder line names Projects'
  's/^folder  ProjectsFolder /folder  Projects_Folder / ## a folder class is letters and digits'
  's/^folder  DestinationFolder   \./folder  DestinationFolder  top/ ## the first folder line must be'
  's/^folder  DestinationFolder .*/folder  ProjectsFolder  projects\n&/ ## the first folder line must be'
  's|projects/Vomar_6k_files|projects/../Vomar_6k_files| ## plain names separated by /'
  's|projects/Vomar_6k_files|projects\\Vomar_6k_files| ## plain names separated by /'
  's|projects/Vomar_6k_files|projects//Vomar_6k_files| ## plain names separated by /'
  's|^folder  ProjectsFolder      projects|folder  ProjectsFolder      /projects| ## plain names separated by /'
  's|projects/Vomar_6k_files|projects/Vomar_6k_files.| ## plain names separated by /'
  's|projects/Vomar_6k_files|projects/aux| ## plain names separated by /'
  's/^folder  ProjectFilesFolder .*/&\nfolder  BelowFolder  License.txt\/more/ ## is below the path of an installed file, license.txt'
  's/^block  Icon3 /block  Icon2 / ## block Icon2 is listed twice'
  '/^block  Schematic /s/[^ ]*  *assets/..\\evil.exe  assets/ ## a source is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  ..\\\\evil.gif/ ## installed name is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  ../ ## installed name is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  Vomar_6k_r./ ## installed name is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  Nul.gif/ ## installed name is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  COM7/ ## installed name is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  Vomar_6k_r_long_name.gif/ ## projects/Vomar_6k_files/Vomar_6k_r_long_name.gif is 48 characters long, more than the 45'
  '/^block  Settings /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  same.sfr/; /^block  SettingsFast /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  SAME.SFR/ ## another block is installed as projects/Vomar_6k_files/SAME.SFR'
  's/ 11  ProjectFilesFolder/ 10  ProjectFilesFolder/ ## are both extracted at 10'
  's/ 11  ProjectFilesFolder/ 12  ProjectFilesFolder/ ## gap after 10'
  's/ 11  ProjectFilesFolder/ 0  ProjectFilesFolder/ ## a number from 1'
  's/ 11  ProjectFilesFolder/ 11  NowhereFolder/ ## which no folder line above names'
  's/^block  Icon2 .*/block  Icon2  icon2.ico  assets  -  -  -  icon2.ico  -/ ## not installed but has'
  's/^block  Icon2  *icon2\.ico  *assets/block  Icon2  icon2.ico  download/ ## assets, template or standin, not download'
  's/^block  Icon2  *icon2\.ico  *assets  *-/block  Icon2  icon2.ico  assets  nul/ ## ends with zero or -'
  's/^block  Icon2  *icon2\.ico  *assets/block  Icon2  icon2.ico  standin/ ## already provides'
  's/^block  Icon2 /block  Icon_2 / ## letters and digits'
  's/LicenceFileName$/Licence-Name/ ## not a constant'
  '/^block /d ## no blocks'
  '/^space-needed-kb/d ## no space-needed-kb line'
  's/^space-needed-kb  630/&\nspace-needed-kb  630/ ## space-needed-kb is given twice'
  's/^space-needed-kb  630/space-needed-kb  630k/ ## a number of kilobytes'
  's/^space-needed-kb  630/space-needed-kb  0/ ## a number of kilobytes'
  's/^space-needed-kb  630/space-needed-kb  630 kb/ ## neither a folder line'
  's/^space-needed-kb  630/space-needed-kb  489/ ## space-needed-kb 489 is 500736 bytes, fewer than the'
)
# sed expression ## what it shows is accepted
acceptances=(
  's/ standin / assets /; s/Brindlex\.exe  *assets/brindlex.ico  assets / ## a manifest without a stand-in block'
  's/^space-needed-kb  630/space-needed-kb  490/ ## the least space-needed figure that holds the demo payload'
  's/^folder  ProjectFilesFolder .*/&\nfolder  ManualFolder  projects\/manual\/en/ ## a folder whose parent no folder line names'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  Vomar_6k_plata_00.gif/ ## an installed path of exactly 45 characters'
)

edited() {  # EDIT: the manifest edited, in $work/edited.txt; fails when the edit changes nothing
  sed -e "$1" "$manifest" >"$work/edited.txt"
  if cmp -s "$manifest" "$work/edited.txt"; then fail "$1 changes nothing"; return 1; fi
}
for case in "${refusals[@]}"; do
  edited "${case%% ## *}" && refused "${case%% ## *}" "$work/edited.txt" "${case#* ## }"
done
for case in "${acceptances[@]}"; do
  edited "${case%% ## *}" && accepted "${case#* ## }" "$work/edited.txt"
done
echo "$((${#refusals[@]} + ${#acceptances[@]} + 3)) manifests, $failures failures"
[ "$failures" -eq 0 ]
