#!/usr/bin/env bash
# Builds the product and its 64-bit twin, then runs every test under Wine on each build the
# host can run (see scripts/builds.sh), printing CTest's summary for each. Arguments go to
# every ctest run (e.g. -R e2e_).
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh
. scripts/builds.sh
. scripts/wine-env.sh
brx_choose_runs "every test"
rc=0
for arch in $BRX_RUN_ARCHES; do
  build=$(brx_build_folder "$arch")
  echo "== tests of the $([ "$arch" = x64 ] && echo "64-bit twin" || echo "32-bit product") in $build"
  brx_wine_env "$build"
  # One Wine server for the whole run: each program then starts in a fraction of a second.
  trap brx_wine_session_stop EXIT
  brx_wine_session
  ctest --test-dir "$build" --output-on-failure "$@" || rc=1
  brx_wine_session_stop
  trap - EXIT
done
# The product's checks that run no Windows code (labelled host: its import list, its
# byte-identical rebuild) run on every host, also where its suite cannot.
case " $BRX_RUN_ARCHES " in
  *" x86 "*) ;;
  *)
    echo "== checks of the 32-bit product that need no Wine, in $(brx_build_folder x86)"
    ctest --test-dir "$(brx_build_folder x86)" --output-on-failure --no-tests=ignore -L '^host$' "$@" || rc=1
    ;;
esac
exit $rc
