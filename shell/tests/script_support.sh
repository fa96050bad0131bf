# Sourced by the shell test scripts: Wine set-up and failure counting.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/scripts/wine-env.sh"

# Points Wine at a prefix of the test's own beside the shared one in the program's build
# folder (created on first use) and stops that prefix's server when the script ends.
#   use_private_prefix <program> <prefix folder name>
use_private_prefix() {
  build=$(brx_build_dir_of "$1")
  export BRX_WINEPREFIX=$build/$2
  brx_wine_env "$build"
  brx_wine_prefix
  brx_display
  trap 'wineserver -k 2>/dev/null || true; brx_display_stop' EXIT
}

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# Ends the script: exit code 0 only when nothing failed.
finish() {
  [ "$failures" -eq 0 ] && echo "$1: passed"
  exit "$failures"
}
