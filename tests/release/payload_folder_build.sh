#!/usr/bin/env bash
# The setup as a release engineer builds it from a payload folder of other contents and
# sizes (make-payload-folder.sh, PROGRAM as the application), at another version, from a
# copy of the working tree whose project() alone is changed, building only the setup and
# the end-to-end driver. Checked: the checked copies equal the folder; the default
# installation and the cancel question at the new version (the scenarios' {title}); the
# welcome and finish texts BUILD-FOLDER's but for the title; the version resource and the
# manifest at the new version; and three refusals, each one line naming the file and
# leaving no BrindlexSetup.exe nor the twin's: one byte altered, no SHA256SUMS, and a
# relative BRX_PAYLOAD_DIR.
#   tests/release/payload_folder_build.sh SOURCE-FOLDER BUILD-FOLDER PROGRAM
# Everything goes to BUILD-FOLDER/payload-folder/.
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

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$main_build/CMakeCache.txt")
title=$(cat "$main_build/product-title.txt")
[[ $version =~ ^([0-9]+)\.([0-9]+)$ ]] || { echo "FAIL: no version in $main_build/CMakeCache.txt"; exit 1; }
new_version=$((BASH_REMATCH[1] + 1)).$((BASH_REMATCH[2] + 2))
new_title=${title%"$version"}$new_version
sed -i "s/^project(BrindlexSetup VERSION $version /project(BrindlexSetup VERSION $new_version /" "$tree/CMakeLists.txt"
[ "$(diff "$source/CMakeLists.txt" "$tree/CMakeLists.txt" | grep -c '^>')" -eq 1 ] ||
  { echo "FAIL: the copy's project() was not given version $new_version"; exit 1; }

build() {  # LOG: scripts/build.sh of the setup and the driver, with the folder or $payload_dir
  (cd "$tree" && BRX_BUILD=$build BRX_BUILD_ARCHES=x86 BRX_PAYLOAD_DIR=${payload_dir:-$folder} \
    bash scripts/build.sh --target BrindlexSetup e2e_driver) >"$work/$1" 2>&1
}

echo "building the setup at version $new_version from $folder in $build"
build build.log || { echo "FAIL: the build failed; its log's end:"; tail -n 30 "$work/build.log"; exit 1; }
diff -r "$folder" "$build/payload/checked" >"$work/checked.diff" ||
  fail "the checked copies differ from the folder: $(head -n 5 "$work/checked.diff")"
[ "$(cat "$build/product-title.txt")" = "$new_title" ] || fail "the build's title is not $new_title"

# The scenarios' prefix starts from the main build's Wine template, made already.
for name in default-install close-box-on-welcome; do
  BRX_WINE_TEMPLATE_DIR=$main_build bash "$tree/tests/e2e/run-scenario.sh" "$build" \
    "$tree/tests/e2e/scenarios/$name.scn" >"$work/$name.log" 2>&1 ||
    fail "$name failed: $(grep -E '^(FAIL|not ok)' "$work/$name.log" | head -n 5)"
  tail -n 1 "$work/$name.log"
done
for text in welcome finish; do
  cmp -s <(sed "s/$title/$new_title/g" "$main_build/payload/texts/$text.txt") "$build/payload/texts/$text.txt" ||
    fail "the $text text differs from $main_build's by more than the title"
done
# The version resource, whose strings are UTF-16, and the manifest.
perl -e '
  my ($program, $version, $title) = @ARGV;
  binmode(STDOUT, ":utf8");
  local $/;
  open(my $in, "<:raw", $program) or die "$program: $!\n";
  my $bytes = <$in>;
  (my $key = "VS_VERSION_INFO\0") =~ s/(.)/$1\0/gs;
  my $at = index($bytes, $key);
  die "no version resource\n" if $at < 0;
  my $block = substr($bytes, $at, unpack("v", substr($bytes, $at - 6, 2)) - 6);
  my ($major, $minor) = split(/\./, $version);
  my @fixed = unpack("V4", substr($block, index($block, pack("V", 0xFEEF04BD)) + 8, 16));
  print "the fixed version is not $version\n" unless "@fixed" eq join(" ", ($major << 16 | $minor, 0) x 2);
  require Encode;
  my $text = Encode::decode("UTF-16LE", substr($block, 0, length($block) & ~1));
  for (["FileVersion", "$version.0.0"], ["ProductVersion", $version], ["ProductName", (split(/ /, $title))[0]],
       ["FileDescription", "\x{0423}\x{0441}\x{0442}\x{0430}\x{043d}\x{043e}\x{0432}\x{043a}\x{0430} $title"]) {
    print "$$_[0] is not $$_[1]\n" unless $text =~ /\Q$$_[0]\E\0+\Q$$_[1]\E\0/;
  }
  print "the manifest identity is not $version.0.0\n"
    unless $bytes =~ /<assemblyIdentity type="win32" name="Brindlex\.Setup" version="\Q$version\E\.0\.0"/;
  print "the manifest description is not $title\n" unless $bytes =~ /<description>\Q$title\E setup</;
' "$build/BrindlexSetup.exe" "$new_version" "$new_title" >"$work/version.txt" 2>&1 ||
  echo "perl failed" >>"$work/version.txt"
[ -s "$work/version.txt" ] && fail "version $new_version: $(tr '\n' ';' <"$work/version.txt")"

# refused NAME WORDS [LOG]: one line of LOG (by default NAME.log, the build's output) holds
# WORDS, and the setup programs of an earlier build, planted before, are gone.
refused() {
  local log=${3:-$work/$1.log} lines
  lines=$(grep -cF -- "$2" "$log")
  [ "$lines" -eq 1 ] || fail "$1: $lines lines of $log say \"$2\"; its end: $(tail -n 5 "$log")"
  [ ! -e "$build/BrindlexSetup.exe" ] && [ ! -e "$build/x64/BrindlexSetup.exe" ] ||
    fail "$1: a BrindlexSetup.exe is left in $build or $build/x64"
}
plant() { mkdir -p "$build/x64" && touch "$build/BrindlexSetup.exe" "$build/x64/BrindlexSetup.exe"; }

altered=$folder/projects/Vomar_6k_files/Vomar_6k_panel.jpg
printf 'X' | dd of="$altered" bs=1 seek=10 conv=notrunc status=none
plant
build altered-byte.log && fail "a folder with one byte altered is built"
refused altered-byte "$altered: its SHA-256 digest is"

bash "$source/tests/release/make-payload-folder.sh" "$folder" "$program" >/dev/null
rm "$folder/SHA256SUMS"
plant
build no-sums.log && fail "a folder without SHA256SUMS is built"
refused no-sums "$folder/SHA256SUMS: missing"

plant
payload_dir=relative/folder build relative.log && fail "a relative BRX_PAYLOAD_DIR is accepted"
# CMake's refusal is in the configuration's log, whose end the failed step's report shows.
refused relative "BRX_PAYLOAD_DIR=relative/folder: not an absolute path" "$build/configure.log"
grep -qF "BRX_PAYLOAD_DIR=relative/folder: not an absolute path" "$work/relative.log" ||
  fail "the report of the refused configuration does not show the refusal"

echo "payload folder build: $((SECONDS - start)) s; results in $work"
[ "$failures" -eq 0 ] && echo "payload folder build: passed"
exit "$failures"
