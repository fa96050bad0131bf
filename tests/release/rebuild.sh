#!/usr/bin/env bash
# Rebuilds the product from a second clone at another path and compares the programs byte
# for byte with those in BUILD-FOLDER:
#   tests/release/rebuild.sh SOURCE-FOLDER BUILD-FOLDER
# The clone gets the source folder's working tree as it is: HEAD, plus any uncommitted
# changes and new files that git does not ignore. On a clean clone (CI) that is HEAD itself.
# BUILD-FOLDER must hold a build of that same tree made by scripts/build.sh.
set -uo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
# A path of another length than the source's, so that any path left in a file shows.
clone=$(mktemp -d /tmp/brindlex-rebuild.XXXXXX)/second/clone
. "$source/payload/manifest.sh"
standin=$(payload_manifest_blocks "$source/payload/manifest.txt" | awk '$3 == "standin" { print $2 }')
programs=(BrindlexSetup.exe "payload/application/$standin")

git clone -q "$source" "$clone" || { echo "FAIL: cannot clone $source"; exit 1; }
changes=$(git -C "$source" status --porcelain | wc -l)
if [ "$changes" -gt 0 ]; then
  echo "comparing the working tree: HEAD $(git -C "$source" rev-parse --short HEAD) with $changes uncommitted changes"
  (cd "$clone" && git ls-files -z | xargs -0 rm -f)
  # Files deleted in the working tree are listed too; tar skips them.
  (cd "$source" && git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$clone"
else
  echo "comparing HEAD $(git -C "$source" rev-parse --short HEAD)"
fi
# The unpacked third-party sources are not in git; the clone uses the same ones.
ln -sfn "$(readlink -f "$source/third_party")" "$clone/third_party"

start=$SECONDS
if ! (cd "$clone" && BRX_BUILD=build BRX_BUILD_ARCHES=x86 bash scripts/build.sh --target BrindlexSetup \
      >"$clone/../build.log" 2>&1); then
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
