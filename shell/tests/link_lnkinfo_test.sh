#!/usr/bin/env bash
# Writes a shortcut with every field set through the shell's link object and reads the
# file back with lnkinfo, a parser that shares no code with the one that wrote it.
set -euo pipefail
writer=$1
. "$(dirname "$0")/script_support.sh"
build=$(brx_build_dir_of "$writer")
folder=$build/shell-lnkinfo
rm -rf "$folder" && mkdir -p "$folder"
windows_folder="Z:$(echo "$folder" | tr / '\\')\\"

bash "$root/scripts/wine-run.sh" "$writer" "$windows_folder"
info=$(lnkinfo "$folder/Brindlex.lnk")
echo "$info"

# Top-level fields read "<tab>Name<tabs>: value"; turn them into "Name=value".
fields=$(sed -nE 's/^\t([^\t]+)\t+: /\1=/p' <<<"$info")
expect() {  # expect <field> <value>
  grep -qxF "$1=$2" <<<"$fields" || fail "$1 should be: $2"
}
expect "Local path" "${windows_folder}Brindlex.exe"
expect "Command line arguments" '/open "C:\Мои документы\a b.sfr" -x'
expect "Working directory" "$windows_folder"
expect "Description" "Программатор микроконтроллеров"
expect "Icon location" "${windows_folder}Brindlex.exe"
expect "Icon index" 2
expect "Hot Key value" 0
finish "lnkinfo check"
