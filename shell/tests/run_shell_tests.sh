#!/usr/bin/env bash
# Runs the shell-service tests. The link checks need what only the Unix side can make, in
# the prefix's C: drive, before the test program starts: folders that are symbolic links
# to a folder elsewhere (Wine shows one as a reparse point), at several depths of a path.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/wine-env.sh"
brx_wine_prefix_of "$program" || exit 1
links=$WINEPREFIX/drive_c/brx-link-check
rm -rf "$links"
mkdir -p "$links/target" "$links/plain/inner" "$links/plain/a long folder name"
ln -s "$links/target" "$links/linked"
ln -s "$links/target" "$links/plain/inner-linked"
bash "$here/../../scripts/wine-run.sh" "$program"
rc=$?
rm -rf "$links"
exit $rc
