#!/usr/bin/env bash
# Rebuilds the product from a second clone at another path and compares the programs byte
# for byte with those in BUILD-FOLDER:
#   tests/release/rebuild.sh SOURCE-FOLDER BUILD-FOLDER
# The clone gets the source folder's working tree as it is: HEAD, plus any uncommitted
# changes and new files that git does not ignore. On a clean clone (CI) that is HEAD itself.
# BUILD-FOLDER must hold a build of that same tree made by scripts/build.sh; the second
# build takes the same payload, the payload folder BUILD-FOLDER was configured with or the
# stand-in and the demo project.
set -uo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
# A path of another length than the source's, so that any path left in a file shows.
clone=$(mktemp -d /tmp/brindlex-rebuild.XXXXXX)/second/clone
. "$source/payload/manifest.sh"
. "$source/tests/release/working_tree.sh"
# The second build installs what the first does: the payload folder it was configured with,
# or the stand-in and the demo project, whose stand-in is compared too.
payload=$(payload_folder_of_build "$build")
programs=(BrindlexSetup.exe)
if [ -z "$payload" ]; then
  standin=$(payload_manifest_blocks "$source/payload/manifest.txt" | awk '$3 == "standin" { print $2 }')
  [ -n "$standin" ] && programs+=("payload/application/$standin")
else
  echo "both builds install the payload folder $payload"
fi

git clone -q "$source" "$clone" || { echo "FAIL: cannot clone $source"; exit 1; }
changes=$(git -C "$source" status --porcelain | wc -l)
if [ "$changes" -gt 0 ]; then
  echo "comparing the working tree: HEAD $(git -C "$source" rev-parse --short HEAD) with $changes uncommitted changes"
  (cd "$clone" && git ls-files -z | xargs -0 rm -f)
  release_copy_working_tree "$source" "$clone"
else
  echo "comparing HEAD $(git -C "$source" rev-parse --short HEAD)"
  # The unpacked third-party sources are not in git; the clone uses the same ones.
  ln -sfn "$(readlink -f "$source/third_party")" "$clone/third_party"
fi

start=$SECONDS
if ! (cd "$clone" && BRX_BUILD=build BRX_BUILD_ARCHES=x86 BRX_PAYLOAD_DIR=$payload \
      bash scripts/build.sh --target BrindlexSetup >"$clone/../build.log" 2>&1); then
  echo "FAIL: the second build failed; its log:"
  tail -30 "$clone/../build.log"
  exit 1
fi
echo "second build: $((SECONDS - start)) s in $clone"

failures=0
for program in "${programs[@]}"; do
  if cmp -s "$build/$program" "$clone/build/$program"; then
    echo "same: $program $(sha256sum <"$build/$program" | cut -c1-64)"
  else
    failures=$((failures + 1))
    echo "FAIL: $program differs in $(cmp -l "$build/$program" "$clone/build/$program" 2>&1 | wc -l) bytes;" \
      "first differences (offset, byte here, byte in the second build):"
    cmp -l "$build/$program" "$clone/build/$program" 2>&1 | head -8
  fi
done
if [ "$failures" -eq 0 ]; then
  rm -rf "$(dirname "$(dirname "$clone")")"
  exit 0
fi
echo "the second build is kept in $clone for inspection"
exit 1
