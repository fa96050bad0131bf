#!/usr/bin/env bash
# The integrity check's cost: the CRC-32 of every embedded block, on the real payload and on
# the scaling build's 64 MiB one, each run BRX_BENCH_RUNS times (default 7) in the build's
# Wine prefix; prints the medians. Only reports.
#   bash bench/crc-cost.sh     (BRX_BUILD=folder, BRX_ARCH=x86 or x64 as for run.sh; by
# default the first build this host runs)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${BRX_BENCH_RUNS:-7}
. bench/start.sh
bench_start "the integrity check's cost" || exit 1
arch=${BRX_RUN_ARCHES%% *}
brx_build_targets "$arch" crc-build.log bench_payload_crc bench_payload_crc_scaling || exit 1
build=$(brx_build_folder "$arch")
brx_wine_env "$build"
brx_wine_session || exit 1
trap brx_wine_session_stop EXIT

export LC_ALL=C
for program in bench_payload_crc bench_payload_crc_scaling; do
  out=$(mktemp)
  for _ in $(seq "$runs"); do
    brx_wine "$build/bench/$program.exe" 2>/dev/null | tr -d '\r' >>"$out" ||
      echo "  ($program: a block did not match its CRC)" >&2
  done
  bytes=$(awk '$1 == "crc_bytes" { print $2; exit }' "$out")
  first=$(awk '$1 == "crc_first_ms" { print $2 }' "$out" | median)
  fastest=$(awk '$1 == "crc_fastest_ms" { print $2 }' "$out" | median)
  printf '%-28s %10s bytes   first pass %8.3f ms   later passes %8.3f ms   (medians of %s runs)\n' \
    "$program" "$bytes" "$first" "$fastest" "$runs"
  rm -f "$out"
done
