#!/usr/bin/env bash
# The setup as a release engineer builds it from a payload folder of other contents and
# sizes (make-payload-folder.sh, with PROGRAM as the application) and at another version,
# in a build folder of its own that builds only the setup and the end-to-end driver, from a
# copy of the working tree in which only the VERSION of project() is changed:
# - its default installation: every installed file byte for byte as in the folder (the
#   licence with its zero byte), the folder's licence on the licence page, the bar ending
#   at its last position, the shortcuts and document types as ever; the window title, the
#   headings, the welcome and finish texts at the new version (the scenarios' {title});
# - the cancel question and its title at the new version;
# - the welcome and finish texts otherwise as BUILD-FOLDER's, and the version resource and
#   the manifest at the new version;
# - the checked copies that the release ships, equal to the folder;
# - the refusals, each one line naming the file, that leave no BrindlexSetup.exe (nor the
#   twin's): a folder with one byte altered, one without SHA256SUMS, and a relative
#   BRX_PAYLOAD_DIR.
#   tests/release/payload_folder_build.sh SOURCE-FOLDER BUILD-FOLDER PROGRAM
# Everything goes to BUILD-FOLDER/payload-folder/: the folder, the copy of the tree, the
# build and its logs; the scenarios' results in build/e2e/results/.
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

# Another version than BUILD-FOLDER's, written in the copy's project() and nowhere else.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$main_build/CMakeCache.txt")
title=$(cat "$main_build/product-title.txt")
[[ $version =~ ^([0-9]+)\.([0-9]+)$ ]] || { echo "FAIL: no version in $main_build/CMakeCache.txt"; exit 1; }
new_version=$((BASH_REMATCH[1] + 1)).$((BASH_REMATCH[2] + 2))
new_title=${title%"$version"}$new_version
sed -i "s/^project(BrindlexSetup VERSION $version /project(BrindlexSetup VERSION $new_version /" "$tree/CMakeLists.txt"
changed=$(diff "$source/CMakeLists.txt" "$tree/CMakeLists.txt" | grep -c '^>')
[ "$changed" -eq 1 ] || { echo "FAIL: the copy's project() was not given version $new_version"; exit 1; }

# build LOG [ARGUMENTS...]: the setup and the driver built with scripts/build.sh, as the
# release engineer runs it, with the payload folder or the given BRX_PAYLOAD_DIR.
build() {
  local log=$work/$1
  shift
  (cd "$tree" && BRX_BUILD=$build BRX_BUILD_ARCHES=x86 BRX_PAYLOAD_DIR=${payload_dir:-$folder} \
    bash scripts/build.sh --target BrindlexSetup e2e_driver) >"$log" 2>&1
}

echo "building the setup at version $new_version from $folder in $build"
if ! build build.log; then
  echo "FAIL: the build from the payload folder failed; its log's end:"
  tail -n 30 "$work/build.log"
  exit 1
fi
echo "built in $((SECONDS - start)) s"
diff -r "$folder" "$build/payload/checked" >"$work/checked.diff" ||
  fail "the checked copies differ from the folder: $(head -n 5 "$work/checked.diff")"

[ "$(cat "$build/product-title.txt")" = "$new_title" ] ||
  fail "the build's title is $(cat "$build/product-title.txt"), not $new_title"

# The scenarios' prefix starts from the main build's Wine template, made already.
scenario=$SECONDS
for name in default-install close-box-on-welcome; do
  BRX_WINE_TEMPLATE_DIR=$main_build bash "$tree/tests/e2e/run-scenario.sh" "$build" \
    "$tree/tests/e2e/scenarios/$name.scn" >"$work/$name.log" 2>&1 ||
    fail "$name failed: $(grep -E '^(FAIL|not ok)' "$work/$name.log" | head -n 5)"
  tail -n 1 "$work/$name.log"
done
echo "scenarios: $((SECONDS - scenario)) s"

# The texts that show the title are those of BUILD-FOLDER with the new title.
for text in welcome finish; do
  cmp -s <(sed "s/$title/$new_title/g" "$main_build/payload/texts/$text.txt") "$build/payload/texts/$text.txt" ||
    fail "the $text text differs from $main_build's by more than the title"
done
# The version resource (its strings are UTF-16) and the manifest (UTF-8) of the program.
perl -e '
  my ($program, $version, $title) = @ARGV;
  binmode(STDOUT, ":utf8");
  local $/;
  open(my $in, "<:raw", $program) or die "$program: $!\n";
  my $bytes = <$in>;
  my $key = "VS_VERSION_INFO\0";
  $key =~ s/(.)/$1\0/gs;
  my $at = index($bytes, $key);
  die "no version resource\n" if $at < 0;
  my $length = unpack("v", substr($bytes, $at - 6, 2));
  my $block = substr($bytes, $at, $length - 6);
  my ($major, $minor) = split(/\./, $version);
  my $fixed = index($block, pack("V", 0xFEEF04BD));
  my ($file_ms, $file_ls, $product_ms, $product_ls) = unpack("V4", substr($block, $fixed + 8, 16));
  my $numbers = $major << 16 | $minor;
  print "FAIL: the fixed version is not $version\n"
    unless $file_ms == $numbers && $product_ms == $numbers && $file_ls == 0 && $product_ls == 0;
  my $text = $block;
  $text = substr($text, 0, length($text) - length($text) % 2);
  require Encode;
  $text = Encode::decode("UTF-16LE", $text);
  for my $field (["FileVersion", "$version.0.0"], ["ProductVersion", $version],
                 ["FileDescription", "\x{0423}\x{0441}\x{0442}\x{0430}\x{043d}\x{043e}\x{0432}\x{043a}\x{0430} $title"],
                 ["ProductName", (split(/ /, $title))[0]]) {
    my ($name, $value) = @$field;
    print "FAIL: $name of the version resource is not $value\n" unless $text =~ /\Q$name\E\0+\Q$value\E\0/;
  }
  print "FAIL: the identity in the manifest is not version $version.0.0\n"
    unless $bytes =~ /<assemblyIdentity type="win32" name="Brindlex\.Setup" version="\Q$version\E\.0\.0"/;
  print "FAIL: the description in the manifest is not $title\n" unless $bytes =~ /<description>\Q$title\E setup</;
' "$build/BrindlexSetup.exe" "$new_version" "$new_title" >"$work/version.txt" 2>&1 || echo "FAIL: $(cat "$work/version.txt")" >>"$work/version.txt"
if grep -q '^FAIL' "$work/version.txt"; then fail "$(grep '^FAIL' "$work/version.txt" | tr '\n' ' ')"; fi
echo "version $new_version: the title, the texts, the cancel question, the version resource and the manifest"

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
