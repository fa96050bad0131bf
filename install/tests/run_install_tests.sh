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
brx_wine_prefix
assets="$WINEPREFIX/drive_c/brx-short-write/projects/Vomar_6k_files"
rm -rf "$WINEPREFIX/drive_c/brx-short-write"
mkdir -p "$assets"
ln -s /dev/full "$assets/Vomar_6k_bat.gif"
bash "$here/../../scripts/wine-run.sh" "$program"
rc=$?
rm -rf "$WINEPREFIX/drive_c/brx-short-write"
exit $rc
