#!/usr/bin/env bash
# Runs the installation tests. One of them needs a payload file's place taken by a link to
# /dev/full, which accepts the file's creation and refuses its bytes: that link is made
# here, in the prefix's C: drive, before the test program starts.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
build=$(brx_build_dir_of "$program")
brx_wine_env "$build"
brx_wine_prefix || exit 1
. "$here/../../payload/manifest.sh"
# The sixth file in extraction order, as the test expects it.
read -r _ _ _ _ _ folder name < <(payload_manifest_installed "$here/../../payload/manifest.txt" | sed -n 6p)
place="$WINEPREFIX/drive_c/brx-short-write/$folder"
rm -rf "$WINEPREFIX/drive_c/brx-short-write"
mkdir -p "$place"
ln -s /dev/full "$place/$name"
bash "$here/../../scripts/wine-run.sh" "$program"
rc=$?
rm -rf "$WINEPREFIX/drive_c/brx-short-write"
exit $rc
