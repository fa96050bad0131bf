#!/usr/bin/env bash
# Builds the product and its 64-bit twin, then runs every test under Wine on each build the
# host can run (see scripts/builds.sh), printing CTest's summary for each and, at the end,
# one line per build: its counts, its log and its screenshots. Arguments go to every ctest
# run (e.g. -R e2e_). A build configured with a payload folder (BRX_PAYLOAD_DIR,
# as its CMakeCache.txt holds it) leaves out the tests of the demo payload's own content,
# those labelled demo-payload.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh
. scripts/builds.sh
. scripts/wine-env.sh
. payload/manifest.sh
brx_choose_runs "every test"

# Sets demo_filter to what ctest needs for build folder $1, and says why when it is not empty.
demo_payload_filter() {
  local payload
  payload=$(payload_folder_of_build "$1")
  demo_filter=()
  if [ -n "$payload" ]; then
    demo_filter=(-LE demo-payload)
    echo "$1 installs the payload folder $payload: leaving out the tests labelled demo-payload."
  fi
}

# A path as the user reads it: below the repository's root, relative to it.
shown() { echo "${1#"$root/"}"; }

# The counts from CTest's summary in file $1: "N of M passed" and, when some failed, how many.
ctest_counts() {
  local line failed total
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    echo "no tests ran"
    return
  fi
  failed=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
  total=$(echo "$line" | sed -E 's/.* out of ([0-9]+).*/\1/')
  echo "$((total - failed)) of $total passed$([ "$failed" -eq 0 ] || echo ", $failed FAILED")"
}

# Runs ctest on build folder $2 with the rest of the arguments, and keeps one line of its
# outcome, named by $1, for the end: a failure high up the screen has scrolled away by then.
summaries=()
run_ctest() {
  local what=$1 build=$2 out status=0 line
  shift 2
  out=$(mktemp)
  ctest --test-dir "$build" "$@" | tee "$out" || status=$?
  line="$what ($(shown "$build")): $(ctest_counts "$out"); log $(shown "$build")/Testing/Temporary/LastTest.log"
  [ ! -d "$build/e2e/results" ] || line+="; screenshots $(shown "$build")/e2e/results/"
  summaries+=("$line")
  rm -f "$out"
  return "$status"
}

rc=0
for arch in $BRX_RUN_ARCHES; do
  build=$(brx_build_folder "$arch")
  what=$([ "$arch" = x64 ] && echo "64-bit twin" || echo "32-bit product")
  echo "== tests of the $what in $build"
  demo_payload_filter "$build"
  brx_wine_env "$build"
  # One Wine server for the whole run: each program then starts in a fraction of a second.
  trap brx_wine_session_stop EXIT
  brx_wine_session
  run_ctest "$what" "$build" --output-on-failure "${demo_filter[@]}" "$@" || rc=1
  brx_wine_session_stop
  trap - EXIT
done
# The product's checks that run no Windows code (labelled host: its import list, its
# byte-identical rebuild) run on every host, also where its suite cannot.
case " $BRX_RUN_ARCHES " in
  *" x86 "*) ;;
  *)
    echo "== checks of the 32-bit product that need no Wine, in $(brx_build_folder x86)"
    demo_payload_filter "$(brx_build_folder x86)"
    run_ctest "32-bit product, checks without Wine" "$(brx_build_folder x86)" --output-on-failure \
      --no-tests=ignore -L '^host$' "${demo_filter[@]}" "$@" || rc=1
    ;;
esac
echo "== results"
printf '%s\n' "${summaries[@]}"
exit $rc
