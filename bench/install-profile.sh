#!/usr/bin/env bash
# Where the setup's processor time goes, by shared object: one installation per build this
# host runs (the benchmark driver's "install"), sampled by Linux perf at 1000 Hz, so that one
# sample is about 1 ms of processor time. Counts samples rather than wall time, which makes
# it usable on a busy machine. Prints the setup process's samples by shared object and the
# hottest addresses in Wine's win32u.so (its drawing code). Needs perf; only reports.
#   bash bench/install-profile.sh     (BRX_BUILD=folder, BRX_ARCH=x86 or x64 as for run.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
command -v perf >/dev/null || { echo "perf is not installed" >&2; exit 1; }
. bench/start.sh
bench_start "the installation profile" || exit 1

windows_path() {
  local path
  path=$(readlink -m "$1")
  echo "Z:${path//\//\\}"
}

# Samples of the setup's process, as "samples shared-object[ address]" lines.
setup_samples() {
  perf report -i "$1" --no-children --sort "comm,$2" --stdio -n 2>/dev/null |
    awk '$3 == "BrindlexSetup.e" { $1 = ""; $3 = ""; print }' | awk 'NF { $1 = $1; print }'
}

profile_build() {
  local arch=$1 build data figures
  brx_build_targets "$arch" profile-build.log BrindlexSetup bench_driver || return 1
  build=$(brx_build_folder "$arch")
  brx_wine_env "$build"
  brx_wine_session || return 1
  rm -rf "$WINEPREFIX/drive_c/Program Files/Brindlex"
  data=$build/bench/install-profile.data
  figures=$(perf record -q -F 1000 -o "$data" -- "$BRX_WINE" "$build/bench/bench_driver.exe" \
    install "$(windows_path "$build/BrindlexSetup.exe")" 2>/dev/null | tr -d '\r')
  rm -rf "$WINEPREFIX/drive_c/Program Files/Brindlex"
  brx_wine_session_stop
  echo "$([ "$arch" = x64 ] && echo "the 64-bit twin" || echo "the 32-bit product"): the setup process from start to Finish, samples of ~1 ms"
  echo "  (the run: $(grep -E '^(install_ms|exit_code|error)' <<<"$figures" | tr '\n' ' '))"
  setup_samples "$data" dso | awk '{ total += $1 } END { printf "  total %d\n", total }'
  setup_samples "$data" dso | sort -rn | head -n 6 | awk '{ printf "  %6d  %s\n", $1, $2 }'
  echo "  hottest addresses in win32u.so:"
  setup_samples "$data" dso,sym | awk '$2 == "win32u.so" { printf "  %6d  %s\n", $1, $4 }' |
    sort -rn | head -n 5
}

status=0
for arch in $BRX_RUN_ARCHES; do
  profile_build "$arch" || status=1
done
exit $status
