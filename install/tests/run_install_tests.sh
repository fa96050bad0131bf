#!/usr/bin/env bash
# Runs the installation tests. Some cases need what only the Unix side can make, in the
# prefix's C: drive, before the test program starts:
# - a payload file's place taken by a link to /dev/full, which accepts the file's creation
#   and refuses its bytes;
# - destinations that are, or lie below, a link to a folder elsewhere, and ones whose
#   "projects" or "Vomar_6k_files" folder is one (Wine shows a Unix link to a folder as a
#   reparse point);
# - shortcut folders that are links: below a Programs folder, a desktop folder, and an
#   application-data folder, a folder below it and its Quick Launch folder.
# BRX_UNIX_DRIVE_C names the drive's Unix path, for the case that makes a link mid-run.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
brx_wine_prefix_of "$program" || exit 1
. "$here/../../payload/manifest.sh"
drive=$WINEPREFIX/drive_c
made=("$drive/brx-short-write" "$drive/brx-link-target" "$drive/brx-linked-projects" "$drive/brx-linked-files"
      "$drive/brx-linked-destination" "$drive/brx-linked-parent" "$drive/brx-link-appdata"
      "$drive/brx-shortcut-links")
rm -rf "${made[@]}"
# The sixth file in extraction order, as the test expects it.
read -r _ _ _ _ _ folder name < <(payload_manifest_installed "$here/../../payload/manifest.txt" | sed -n 6p)
place="$drive/brx-short-write/$folder"
mkdir -p "$place"
ln -s /dev/full "$place/$name"
mkdir -p "$drive/brx-link-target" "$drive/brx-linked-projects" "$drive/brx-linked-files/projects"
ln -s "$drive/brx-link-target" "$drive/brx-linked-projects/projects"
ln -s "$drive/brx-link-target" "$drive/brx-linked-files/projects/Vomar_6k_files"
for link in brx-linked-destination brx-linked-parent; do ln -s "$drive/brx-link-target" "$drive/$link"; done
quick="Microsoft/Internet Explorer/Quick Launch"
links=$drive/brx-shortcut-links
mkdir -p "$drive/brx-link-appdata/$quick" "$links/programs" "$links/appdata-middle/Microsoft" \
  "$links/appdata-last/$(dirname "$quick")"
for link in programs/Tools programs/Linked desktop-linked "appdata-last/$quick"; do
  ln -s "$drive/brx-link-target" "$links/$link"
done
ln -s "$drive/brx-link-appdata" "$links/appdata-linked"
ln -s "$drive/brx-link-appdata/Microsoft/Internet Explorer" "$links/appdata-middle/Microsoft/Internet Explorer"
BRX_UNIX_DRIVE_C=$drive bash "$here/../../scripts/wine-run.sh" "$program"
rc=$?
rm -rf "${made[@]}"
exit $rc
