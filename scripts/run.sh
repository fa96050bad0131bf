#!/usr/bin/env bash
# Builds the setup program and runs it under Wine, one build of it: the 32-bit product where
# the host runs 32-bit code, its 64-bit twin where it does not (see scripts/builds.sh). On a
# desktop (DISPLAY set) the wizard opens on the user's display. Without a display the
# default installation scenario drives it on a virtual display, and the screenshots of every
# screen and the installed files are left in the build folder.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/builds.sh
bash scripts/bootstrap.sh
# brx_choose_runs lists every build the host can run; this script runs the first of them.
brx_choose_runs "the wizard" >/dev/null
arch=${BRX_RUN_ARCHES%% *}
build=$(brx_build_folder "$arch")
case "$arch,${BRX_ARCH:-}" in
  x86,x86) echo "Running the wizard on the 32-bit product ($build), as BRX_ARCH=x86 asks." ;;
  x86,*) echo "Running the wizard on the 32-bit product ($build): this host runs 32-bit code." ;;
  x64,x64) echo "Running the wizard on the 64-bit twin ($build), as BRX_ARCH=x64 asks." ;;
  x64,*) echo "Running the wizard on the 64-bit twin ($build) under 64-bit Wine: this host runs no 32-bit code." ;;
esac
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
log=$build/e2e/run.log
results=$build/e2e/results/default-install
bash tests/e2e/run-scenario.sh "$build" tests/e2e/scenarios/default-install.scn >"$log" 2>&1 || rc=$?
tail -n 1 "$log"
if [ "$rc" -ne 0 ]; then
  grep '^FAIL' "$log" | head -n 10 | sed 's/^/  /' || true # a scenario that stops early has no FAIL line
  echo "The default installation failed (exit code $rc); the log of its failures: $log"
fi

echo "Screenshots of every screen: $results/screens/"
ls "$results/screens/" 2>/dev/null | sed 's/^/  /' || true # none when the program did not start
echo "Installed files:             $build/e2e/wineprefix/drive_c/Program Files/Brindlex/"
echo "Shortcuts:                   $build/e2e/wineprefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brindlex/"
echo "                             $build/e2e/wineprefix/drive_c/users/Public/Desktop/Brindlex.lnk"
echo "The driver's log:            $results/driver.log"
exit $rc
