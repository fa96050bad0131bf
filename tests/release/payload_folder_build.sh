#!/usr/bin/env bash
# The setup as a release engineer builds it from a payload folder of other contents and
# sizes (make-payload-folder.sh, with PROGRAM as the application), in a build folder of its
# own that builds only the setup and the end-to-end driver from a copy of the working tree:
# - its default installation: every installed file byte for byte as in the folder (the
#   licence with its zero byte), the folder's licence on the licence page, the bar ending
#   at its last position, the shortcuts and document types as ever;
# - the checked copies that the release ships, equal to the folder;
# - the refusals, each one line naming the file, that leave no BrindlexSetup.exe (nor the
#   twin's): a folder with one byte altered, one without SHA256SUMS, and a relative
#   BRX_PAYLOAD_DIR.
#   tests/release/payload_folder_build.sh SOURCE-FOLDER BUILD-FOLDER PROGRAM
# Everything goes to BUILD-FOLDER/payload-folder/: the folder, the copy of the tree, the
# build and its logs; the scenario's results in build/e2e/results/default-install/.
set -uo pipefail
source=$(cd "$1" && pwd)
main_build=$(cd "$2" && pwd)
program=$3
work=$main_build/payload-folder
folder=$work/folder
tree=$work/tree
build=$work/build
. "$source/tests/release/working_tree.sh"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

start=$SECONDS
rm -rf "$work"
mkdir -p "$work"
bash "$source/tests/release/make-payload-folder.sh" "$folder" "$program" || exit 1
release_copy_working_tree "$source" "$tree"

# build LOG [ARGUMENTS...]: the setup and the driver built with scripts/build.sh, as the
# release engineer runs it, with the payload folder or the given BRX_PAYLOAD_DIR.
build() {
  local log=$work/$1
  shift
  (cd "$tree" && BRX_BUILD=$build BRX_BUILD_ARCHES=x86 BRX_PAYLOAD_DIR=${payload_dir:-$folder} \
    bash scripts/build.sh --target BrindlexSetup e2e_driver) >"$log" 2>&1
}

echo "building the setup from $folder in $build"
if ! build build.log; then
  echo "FAIL: the build from the payload folder failed; its log's end:"
  tail -n 30 "$work/build.log"
  exit 1
fi
echo "built in $((SECONDS - start)) s"
diff -r "$folder" "$build/payload/checked" >"$work/checked.diff" ||
  fail "the checked copies differ from the folder: $(head -n 5 "$work/checked.diff")"

# The scenario's prefix starts from the main build's Wine template, made already.
scenario=$SECONDS
BRX_WINE_TEMPLATE_DIR=$main_build bash "$tree/tests/e2e/run-scenario.sh" "$build" \
  "$tree/tests/e2e/scenarios/default-install.scn" >"$work/default-install.log" 2>&1 ||
  fail "the default installation failed: $(grep -E '^(FAIL|not ok)' "$work/default-install.log" | head -n 5)"
tail -n 1 "$work/default-install.log"
echo "default installation: $((SECONDS - scenario)) s"

# refused NAME WORDS [LOG]: the build refused with one line in LOG (by default the
# build's output) that holds WORDS, and left no setup program of its own nor of the twin.
refused() {
  local log=${3:-$work/$1.log} lines
  lines=$(grep -cF -- "$2" "$log")
  [ "$lines" -eq 1 ] || fail "$1: $lines lines of $log say \"$2\"; its end: $(tail -n 5 "$log")"
  [ ! -e "$build/BrindlexSetup.exe" ] || fail "$1: BrindlexSetup.exe is left in $build"
  [ ! -e "$build/x64/BrindlexSetup.exe" ] || fail "$1: the twin's BrindlexSetup.exe is left in $build/x64"
}

# Every refusal finds a program of an earlier build, the twin's included.
plant() { mkdir -p "$build/x64" && touch "$build/BrindlexSetup.exe" "$build/x64/BrindlexSetup.exe"; }

altered=$folder/projects/Vomar_6k_files/Vomar_6k_panel.jpg
printf 'X' | dd of="$altered" bs=1 seek=10 conv=notrunc status=none
plant
if build altered-byte.log; then fail "a folder with one byte altered is built"; fi
refused altered-byte "$altered: its SHA-256 digest is"

bash "$source/tests/release/make-payload-folder.sh" "$folder" "$program" >/dev/null
rm "$folder/SHA256SUMS"
plant
if build no-sums.log; then fail "a folder without SHA256SUMS is built"; fi
refused no-sums "$folder/SHA256SUMS: missing"

plant
if payload_dir=relative/folder build relative.log; then fail "a relative BRX_PAYLOAD_DIR is accepted"; fi
# CMake's refusal is in the configuration's log, whose end the failed step's report shows.
refused relative "BRX_PAYLOAD_DIR=relative/folder: not an absolute path" "$build/configure.log"
grep -qF "BRX_PAYLOAD_DIR=relative/folder: not an absolute path" "$work/relative.log" ||
  fail "the report of the refused configuration does not show the refusal"

echo "payload folder build: $((SECONDS - start)) s in all; results in $work"
[ "$failures" -eq 0 ] && echo "payload folder build: passed"
exit "$failures"
