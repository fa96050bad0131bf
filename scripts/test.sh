#!/usr/bin/env bash
# Builds the product and its 64-bit twin, then runs every test under Wine on each build the
# host can run (see scripts/builds.sh), printing CTest's summary for each. Arguments go to
# every ctest run (e.g. -R e2e_). A build configured with a payload folder (BRX_PAYLOAD_DIR,
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

rc=0
for arch in $BRX_RUN_ARCHES; do
  build=$(brx_build_folder "$arch")
  echo "== tests of the $([ "$arch" = x64 ] && echo "64-bit twin" || echo "32-bit product") in $build"
  demo_payload_filter "$build"
  brx_wine_env "$build"
  # One Wine server for the whole run: each program then starts in a fraction of a second.
  trap brx_wine_session_stop EXIT
  brx_wine_session
  ctest --test-dir "$build" --output-on-failure "${demo_filter[@]}" "$@" || rc=1
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
    ctest --test-dir "$(brx_build_folder x86)" --output-on-failure --no-tests=ignore -L '^host$' "${demo_filter[@]}" \
      "$@" || rc=1
    ;;
esac
exit $rc
