#!/usr/bin/env bash
# What one step of the installation's progress bar costs on each build this host runs, and
# the drawing it is made of (see bench/progress_paint.cpp): BRX_BENCH_RUNS runs (default 5)
# in the build's Wine prefix, medians printed. Only reports.
#   bash bench/progress-cost.sh     (BRX_BUILD=folder, BRX_ARCH=x86 or x64 as for run.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${BRX_BENCH_RUNS:-5}
. bench/start.sh
bench_start "the progress-bar probe" || exit 1

# Runs the probe on one build and prints its medians: probe_build x86|x64.
probe_build() {
  local arch=$1 build out name
  brx_build_targets "$arch" progress-build.log bench_progress_paint || return 1
  build=$(brx_build_folder "$arch")
  brx_wine_env "$build"
  brx_wine_session || return 1
  out=$(mktemp)
  for _ in $(seq "$runs"); do
    brx_wine "$build/bench/bench_progress_paint.exe" 2>/dev/null | tr -d '\r' >>"$out"
  done
  brx_wine_session_stop
  echo "$([ "$arch" = x64 ] && echo "the 64-bit twin" || echo "the 32-bit product") ($build), medians of $runs runs:"
  for name in setpos_ms setpos_cpu_ms theme_draw_ms halftone_stretch_ms halftone_stretch_cpu_ms \
    plain_stretch_ms plain_stretch_cpu_ms; do
    LC_ALL=C printf '  %-26s %9.3f ms\n' "$name" "$(awk -v n="$name" '$1 == n { print $2 }' "$out" | median)"
  done
  rm -f "$out"
}

status=0
for arch in $BRX_RUN_ARCHES; do
  probe_build "$arch" || status=1
done
exit $status
