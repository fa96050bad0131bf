#!/usr/bin/env bash
# Runs the installation tests. Some cases need what only the Unix side can make, in the
# prefix's C: drive, before the test program starts:
# - a payload file's place taken by a link to /dev/full, which accepts the file's creation
#   and refuses its bytes;
# - a destination whose "projects" folder, and one whose "Vomar_6k_files" folder, is a link
#   to a folder elsewhere (Wine shows a Unix link to a folder as a reparse point).
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
build=$(brx_build_dir_of "$program")
brx_wine_env "$build"
brx_wine_prefix || exit 1
. "$here/../../payload/manifest.sh"
drive=$WINEPREFIX/drive_c
made=("$drive/brx-short-write" "$drive/brx-link-target" "$drive/brx-linked-projects" "$drive/brx-linked-files")
rm -rf "${made[@]}"
# The sixth file in extraction order, as the test expects it.
read -r _ _ _ _ _ folder name < <(payload_manifest_installed "$here/../../payload/manifest.txt" | sed -n 6p)
place="$drive/brx-short-write/$folder"
mkdir -p "$place"
ln -s /dev/full "$place/$name"
mkdir -p "$drive/brx-link-target" "$drive/brx-linked-projects" "$drive/brx-linked-files/projects"
ln -s "$drive/brx-link-target" "$drive/brx-linked-projects/projects"
ln -s "$drive/brx-link-target" "$drive/brx-linked-files/projects/Vomar_6k_files"
bash "$here/../../scripts/wine-run.sh" "$program"
rc=$?
rm -rf "${made[@]}"
exit $rc
