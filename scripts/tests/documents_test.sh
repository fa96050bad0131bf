#!/usr/bin/env bash
# The documents a release engineer follows: the README stays under 250 lines, and every
# script, file and scenario that it and docs/ name exists, so a rename cannot leave them
# pointing at nothing.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

lines=$(wc -l <README.md)
[ "$lines" -lt 250 ] || fail "README.md has $lines lines, not under 250"

for doc in README.md docs/*.md; do
  for path in $(grep -oE '\b(scripts|bench|tests|wizard|toolkit|payload|cmake|docs)/[A-Za-z0-9_./-]+\.(sh|md|png|cmake|h|txt)\b' "$doc" | sort -u); do
    [ -e "$path" ] || fail "$doc names $path, which does not exist"
  done
done

# The scenarios named in the table of Windows versions.
for name in $(sed -n '/^## Supported Windows versions/,/^## /p' README.md | grep -oE '`[a-z0-9-]+`' | tr -d '`' | sort -u); do
  [ -f "tests/e2e/scenarios/$name.scn" ] || fail "README.md names the scenario $name, which does not exist"
done

[ "$failures" -eq 0 ] && echo "the README and docs/ name only what exists" || exit 1
