#!/usr/bin/env bash
# Makes the README's pictures of the wizard, docs/welcome.png, docs/destination.png and
# docs/finish.png: builds the 32-bit product into ${BRX_BUILD:-build}, runs the default
# installation scenario on a virtual display, and crops its screenshots of those pages to
# the wizard's window.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/builds.sh
if ! brx_host_runs_x86; then
  echo "The pictures show the 32-bit product, and this host cannot run 32-bit x86 code." >&2
  exit 1
fi
BRX_BUILD_ARCHES=x86 bash scripts/build.sh --target BrindlexSetup e2e_driver
build=$(brx_build_folder x86)
mkdir -p "$build/e2e"
log=$build/e2e/docs-pictures.log
echo "Running the default installation; its log: $log"
BRX_LOG=$log
bash tests/e2e/run-scenario.sh "$build" tests/e2e/scenarios/default-install.scn >"$log" 2>&1
unset BRX_LOG
screens=$build/e2e/results/default-install/screens
for page in welcome destination finish; do
  shot=$(ls "$screens"/*-"$page".png)
  # The screen is black around the window; no date chunks, so an unchanged page gives the
  # same file.
  convert "$shot" -trim +repage -strip -define png:exclude-chunks=date,time "docs/$page.png"
  echo "docs/$page.png from $shot ($(identify -format '%wx%h' "docs/$page.png"))"
done
