#!/usr/bin/env bash
# The build refuses a manifest that would lay out, name or install the payload wrongly.
# Each case edits a copy of the real manifest with one sed expression and expects the
# configuration to stop with a message that contains the given words:
#   manifest_check_test.sh MANIFEST MANIFEST.CMAKE WORK-FOLDER
set -uo pipefail
manifest=$1
script=$2
work=$3
mkdir -p "$work"
failures=0

run() {  # MANIFEST: cmake's exit status; its messages in $work/messages, on one line
  local status
  cmake -DMANIFEST="$1" -DOUT="$work/out" -P "$script" >"$work/output" 2>&1
  status=$?
  tr -s ' \n' '  ' <"$work/output" >"$work/messages"
  return $status
}

if ! run "$manifest"; then
  echo "FAIL: the real manifest is refused:"; cat "$work/messages"; failures=$((failures + 1))
fi
for made in payload/manifest.h payload_table.inc block-layout.inc block-sizes.inc; do
  [ -s "$work/out/$made" ] || { echo "FAIL: the real manifest made no $made"; failures=$((failures + 1)); }
done

# sed expression | words of the expected message
cases=(
  's/^block  LicenceText .*/& extra/|neither a folder line'
  's/^folder  ProjectsFolder .*/&\nfolder  ProjectsFolder  elsewhere/|listed twice'
  's/^block  Icon3 /block  Icon2 /|block Icon2 is listed twice'
  '/^block  Schematic /s/[^ ]*  *assets/..\\evil.exe  assets/|a source is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  ..\\\\evil.gif/|installed name is a plain file name'
  '/^block  Schematic /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  ../|installed name is a plain file name'
  '/^block  Settings /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  same.sfr/; /^block  SettingsFast /s/ProjectFilesFolder  [^ ]*/ProjectFilesFolder  SAME.SFR/|another block is installed as'
  's/ 11  ProjectFilesFolder/ 10  ProjectFilesFolder/|are both extracted at 10'
  's/ 11  ProjectFilesFolder/ 12  ProjectFilesFolder/|gap after 10'
  's/ 11  ProjectFilesFolder/ 0  ProjectFilesFolder/|a number from 1'
  's/ 11  ProjectFilesFolder/ 11  NowhereFolder/|which no folder line above names'
  's/^block  Icon2 .*/block  Icon2  icon2.ico  assets  -  -  -  icon2.ico  -/|not installed but has'
  's/^block  Icon2  *icon2\.ico  *assets/block  Icon2  icon2.ico  download/|assets, template or standin, not download'
  's/^block  Icon2  *icon2\.ico  *assets  *-/block  Icon2  icon2.ico  assets  nul/|ends with zero or -'
  's/^block  Icon2  *icon2\.ico  *assets/block  Icon2  icon2.ico  standin/|already provides'
  's/ standin / assets /|no block comes from the stand-in'
  's/^block  Icon2 /block  Icon_2 /|letters and digits'
  's/LicenceFileName$/Licence-Name/|not a constant'
  '/^block /d|no blocks'
)
for case in "${cases[@]}"; do
  edit=${case%%|*}
  words=${case#*|}
  sed -e "$edit" "$manifest" >"$work/broken.txt"
  if cmp -s "$manifest" "$work/broken.txt"; then
    echo "FAIL: $edit changes nothing"; failures=$((failures + 1))
  elif run "$work/broken.txt"; then
    echo "FAIL: $edit is accepted"; failures=$((failures + 1))
  elif ! grep -qF -- "$words" "$work/messages"; then
    echo "FAIL: $edit is refused without \"$words\":"; cat "$work/messages"; failures=$((failures + 1))
  fi
done
echo "$((${#cases[@]} + 1)) manifests, $failures failures"
[ "$failures" -eq 0 ]
