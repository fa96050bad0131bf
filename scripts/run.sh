#!/usr/bin/env bash
# Builds the setup program and runs it under Wine: the 32-bit product where the host runs
# 32-bit code, its 64-bit twin where it does not (see scripts/builds.sh). On a desktop
# (DISPLAY set) the wizard opens on the user's display. Without a display the default
# installation scenario drives it on a virtual display, and the screenshots of every screen
# and the installed files are left in the build folder.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/builds.sh
bash scripts/bootstrap.sh >/dev/null
brx_choose_runs "the wizard"
arch=${BRX_RUN_ARCHES%% *}
# Only what running needs: the setup program, and the driver that operates it headless. The
# product is built on every host; the twin when it is the one that runs.
arches=x86
[ "$arch" = x64 ] && arches="x86 x64"
BRX_BUILD_ARCHES=$arches bash scripts/build.sh --target BrindlexSetup e2e_driver
build=$(brx_build_folder "$arch")
if [ -n "${DISPLAY:-}" ]; then
  exec bash scripts/wine-run.sh "$build/BrindlexSetup.exe"
fi
echo "No display: running the default installation on a virtual display."
rc=0
mkdir -p "$build/e2e"
bash tests/e2e/run-scenario.sh "$build" tests/e2e/scenarios/default-install.scn >"$build/e2e/run.log" 2>&1 || rc=$?
tail -n 1 "$build/e2e/run.log"

echo "Screenshots of every screen: $build/e2e/results/default-install/screens/"
ls "$build/e2e/results/default-install/screens/" | sed 's/^/  /'
echo "Installed files:             $build/e2e/wineprefix/drive_c/Program Files/Brindlex/"
echo "Shortcuts:                   $build/e2e/wineprefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brindlex/"
echo "                             $build/e2e/wineprefix/drive_c/users/Public/Desktop/Brindlex.lnk"
echo "The driver's log:            $build/e2e/results/default-install/driver.log"
exit $rc
