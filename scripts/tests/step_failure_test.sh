#!/usr/bin/env bash
# A step that fails in a script, or in a helper the script sources, is reported before the
# script ends: the command, where it stands and the log to read. Each case makes one step
# fail through a stand-in for the tool it runs (first on the PATH, or named by the
# variable the helpers read), and checks the report.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
# stand_in NAME STATUS: a tool that says who it is and fails with STATUS.
stand_in() {
  printf '#!/bin/sh\necho "stand-in %s refuses: $*" >&2\nexit %s\n' "$1" "$2" >"$work/bin/$1"
  chmod +x "$work/bin/$1"
}
stand_in cmake 3
stand_in wine 4
stand_in wineserver 5

# check NAME SCRIPT PATTERN...: runs SCRIPT (shell code, from the project's root, with no
# display) and expects a non-zero exit code and every pattern (extended regular
# expressions) in its output, on one line each.
check() {
  local name=$1 code=$2 status output pattern ok=1
  shift 2
  printf '%s\n' "$code" >"$work/case.sh"
  output=$(cd "$root" && unset DISPLAY && timeout 600 bash "$work/case.sh" 2>&1)
  status=$?
  [ "$status" -ne 0 ] || { fail "$name: exit code 0"; ok=0; }
  for pattern in "$@"; do
    grep -Eq -- "$pattern" <<<"$output" || { fail "$name: no line matches /$pattern/"; ok=0; }
  done
  if [ "$ok" = 1 ]; then
    echo "ok: $name"
  else
    sed 's/^/    /' <<<"$output" | tail -n 40
  fi
}

# The test command: its build's configuration fails. Both the step inside the build script
# and the build script inside the test command are named, with the log and its end.
check "test.sh: the build's configuration fails" \
  "PATH=$work/bin:\$PATH BRX_BUILD=$work/build BRX_BUILD_ARCHES=x86 bash scripts/test.sh" \
  '^FAILED \(exit code 3\): cmake -S \. -B ' \
  '^  in scripts/builds\.sh:[0-9]+, function brx_configure, run by build\.sh$' \
  "^  log to read: $work/build/configure\.log\$" \
  '^    stand-in cmake refuses: -S \.' \
  '^FAILED \(exit code 3\): bash scripts/build\.sh$' \
  '^  in scripts/test\.sh:[0-9]+, run by test\.sh$'

# Wine's set-up of the template prefix fails: named with the template's log.
check "wine-env.sh: the template prefix's set-up fails" "set -euo pipefail
. scripts/wine-env.sh
export BRX_WINE=$work/bin/wine
brx_wine_template_env $work
brx_wine_template" \
  '^FAILED \(exit code 4\): brx_wine wineboot -i' \
  '^  in scripts/wine-env\.sh:[0-9]+, function brx_wine_template, run by case\.sh$' \
  "^  log to read: $work/wineprefix-template\.log\$" \
  '^    stand-in wine refuses: wineboot -i$' \
  '^FAILED \(exit code 4\): the subshell at scripts/wine-env\.sh:[0-9]+, function brx_wine_template$'

# The Wine server of a session does not start (the prefix is taken as made).
check "wine-env.sh: the session's Wine server does not start" "set -euo pipefail
. scripts/wine-env.sh
export PATH=$work/bin:\$PATH BRX_WINEPREFIX=$work/prefix
mkdir -p $work/build $work/prefix $work/build/wineprefix-template
touch $work/build/CMakeCache.txt $work/prefix/\$BRX_PREFIX_READY $work/build/wineprefix-template/\$BRX_PREFIX_READY
brx_wine_env $work/build
trap brx_display_stop EXIT
brx_wine_session" \
  '^stand-in wineserver refuses: -p$' \
  '^The Wine server of .*/prefix did not start$' \
  '^FAILED \(exit code 1\): brx_wine_session$' \
  '^  in .*case\.sh:[0-9]+, run by case\.sh$' \
  '^  its output, if any, is just above$'

# Without set -e a script counts its failures itself: nothing is reported for it, and a
# step allowed to fail is never reported.
printf '. scripts/common.sh\nfalse\nset -e\nfalse || true\necho "went on"\nexit 9\n' >"$work/quiet.sh"
output=$(cd "$root" && bash "$work/quiet.sh" 2>&1)
if [ "$output" = "went on" ]; then echo "ok: no report without set -e or for a step allowed to fail"
else fail "a report where none was due: $output"; fi

[ "$failures" -eq 0 ] && echo "step_failure: passed"
exit "$failures"
