#!/usr/bin/env bash
# The configuration takes a version of two numbers that fit the version resource, and a
# company and copyright of one line each; anything else stops it with the reason on one
# line. Each case configures a scratch project (no compilers) that includes
# cmake/product_version.cmake the way the top-level CMakeLists.txt does:
#   version_check_test.sh SOURCE-TREE WORK-FOLDER
set -uo pipefail
module=$1/cmake/product_version.cmake
work=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# VERSION | a cache setting | "made" when accepted, else words of the line that refuses it
cases=(
  '1.0||made'
  '0.0||made'
  '65535.65535||made'
  '12.34|-DBRX_COMPANY=ООО "Брин" \ Софт|made'
  '1.0.0||the version must be MAJOR.MINOR'
  '1.0.0.0||the version must be MAJOR.MINOR'
  '1||the version must be MAJOR.MINOR'
  '01.0||without leading zeros'
  '1.00||without leading zeros'
  '65536.0||from 0 to 65535'
  '1.65536||from 0 to 65535'
  $'1.0|-DBRX_COMPANY=a\nb|BRX_COMPANY: a line break or tab'
  $'1.0|-DBRX_COPYRIGHT=\xc2\xa9\t2024|BRX_COPYRIGHT: a line break or tab'
)
project=$work/project
for case in "${cases[@]}"; do
  version=${case%%|*}
  rest=${case#*|}
  setting=${rest%|*}
  expected=${rest##*|}
  rm -rf "$project" && mkdir -p "$project"
  printf 'cmake_minimum_required(VERSION 3.18)\nproject(Check VERSION %s LANGUAGES NONE)\ninclude("%s")\n' \
    "$version" "$module" >"$project/CMakeLists.txt"
  cmake -S "$project" -B "$project/build" ${setting:+"$setting"} >"$work/output" 2>&1
  status=$?
  what="VERSION $version${setting:+ with ${setting//$'\n'/<LF>}}"
  if [ "$expected" = made ]; then
    [ "$status" -eq 0 ] || { fail "$what is refused:"; cat "$work/output"; continue; }
    # What the scripts and C++ read names the version given.
    grep -qxF "Brindlex v $version" "$project/build/product-title.txt" || fail "$what: product-title.txt holds $(cat "$project/build/product-title.txt")"
    grep -qF "#define BRX_VERSION \"$version\"" "$project/build/generated/payload/product_version.h" ||
      fail "$what: product_version.h holds no BRX_VERSION \"$version\""
  elif [ "$status" -eq 0 ]; then
    fail "$what is accepted"
  elif ! grep -F -- "$expected" "$work/output" | grep -qF -e "project(VERSION $version):" -e "${expected%%:*}: "; then
    fail "$what is not refused on one line with \"$expected\":"; cat "$work/output"
  fi
done
rm -rf "$project"
echo "version check: ${#cases[@]} cases, each to be accepted or refused with its reason on one line; $failures failures"
[ "$failures" -eq 0 ]
