#!/usr/bin/env bash
# Benchmarks of the setup program, from a fresh clone in one command:
#   bash bench/run.sh     (BRX_BUILD=folder chooses the build, BRX_BENCH_RUNS the runs,
#                          BRX_ARCH=x86 or x64 one of the two builds, BRX_BENCH_SETUP
#                          another setup of the build folder to measure, such as
#                          bench/BrindlexSetupNoPreloads.exe, BRX_BENCH_CPU=all or a
#                          processor number instead of the last processor alone)
# Builds what it needs, then, for every build this host can run (the 32-bit product and its
# 64-bit twin, see scripts/builds.sh), measures start-up, installation time, size, memory,
# resource hygiene and scaling, each as the median of interleaved runs under that build's
# Wine prefix, and prints every figure with its target and whether it is met. Ratios compare
# a build only with its own baselines. Times on these machines are noisy, so it only
# reports: it never fails because a target is missed. The figures and targets are those of
# the demo payload: run it without BRX_PAYLOAD_DIR.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
if [ -n "${BRX_PAYLOAD_DIR:-}" ]; then
  echo "bench/run.sh measures the setup with the stand-in and the demo project; unset BRX_PAYLOAD_DIR" \
    "($BRX_PAYLOAD_DIR) to run it." >&2
  exit 1
fi
runs=${BRX_BENCH_RUNS:-9}
[ "$runs" -ge 7 ] 2>/dev/null || runs=7

. bench/start.sh
bench_start "the benchmarks" || exit 1

# Measures and reports one build: bench_build x86|x64.
bench_build() {
arch=$1
objdump=i686-w64-mingw32-objdump
strings=i686-w64-mingw32-strings
build_name="the 32-bit product"
if [ "$arch" = x64 ]; then
  objdump=x86_64-w64-mingw32-objdump
  strings=x86_64-w64-mingw32-strings
  build_name="the 64-bit twin"
fi
brx_build_targets "$arch" bench-build.log brx_bench || return 1
build=$(brx_build_folder "$arch")
bench=$build/bench
setup=$build/${BRX_BENCH_SETUP:-BrindlexSetup.exe}
scaling=$bench/BrindlexSetupScaling.exe
work=$bench/results
rm -rf "$work"
mkdir -p "$work"

. scripts/wine-env.sh
brx_wine_env "$build"
# The start-up rounds run on one processor, in a session of their own (bench_pin).
bench_pin
brx_wine_session || { bench_unpin; return 1; }
trap brx_wine_session_stop EXIT
echo "Measuring $build_name ($build)..." >&2

windows_path() {
  local path
  path=$(readlink -m "$1")
  echo "Z:${path//\//\\}"
}
installed="$WINEPREFIX/drive_c/Program Files/Brindlex"
copy_target="$WINEPREFIX/drive_c/bench-copy"
# What an installation leaves besides its files: the Start-menu group, which the setup's
# folder list and the plain window's show (one more item, more requests), and the desktop
# shortcut. Removed before start-up is measured and after the installations, so that every
# run of the benchmark starts on the same prefix.
leftovers=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brindlex"
           "$WINEPREFIX/drive_c/users/Public/Desktop/Brindlex.lnk")
rm -rf "$installed" "$copy_target" "${leftovers[@]}"

# Runs the driver or another program and files each "name value" line of its output
# under $work/<prefix>name, one value per run. A failed measurement is reported and skipped.
measure() {
  local prefix=$1; shift
  local output name value
  output=$(brx_wine "$@" 2>/dev/null | tr -d '\r')
  if grep -q '^error' <<<"$output" || [ -z "$output" ]; then
    echo "  (a run failed: $prefix ${output:-no output})" >&2
    return
  fi
  while read -r name value; do
    [ -n "$name" ] && echo "$value" >>"$work/$prefix$name"
  done <<<"$output"
}

best() { sort -g "$work/$1" 2>/dev/null | head -n1; }

# The median of one measurement's recorded figures.
median_of() { cat "$work/$1" 2>/dev/null | median; }

# The four start-up programs, in the order of a round.
startup_names=(bare floor plain setup)
startup_programs=("$bench/bench_bare_window.exe" "$bench/bench_floor_window.exe"
                  "$bench/bench_setup_window.exe" "$setup")

# One start-up round: each program three times, interleaved; the round's first program moves
# on by one each round, so that none always starts right after the same one.
startup_round() {
  local prefix=$1 first=$2 i k j
  for i in 1 2 3; do
    measure "${prefix}compute_" "$bench/bench_driver.exe" compute
    for k in 0 1 2 3; do
      j=$(((first + k) % 4))
      measure "${prefix}${startup_names[j]}_" "$bench/bench_driver.exe" startup \
        "$(windows_path "${startup_programs[j]}")"
    done
  done
}

# One round of the rest, in a fixed order.
round() {
  local prefix=$1
  rm -rf "$installed"
  measure "${prefix}install_" "$bench/bench_driver.exe" install "$(windows_path "$setup")"
  rm -rf "$installed" "$copy_target"
  measure "${prefix}scaling_" "$bench/bench_driver.exe" install "$(windows_path "$scaling")"
  rm -rf "$copy_target"
  measure "${prefix}copy_" "$bench/bench_driver.exe" copy \
    "$(windows_path "$bench/synthetic-payload")" 'C:\bench-copy'
  measure "${prefix}hygiene_" "$bench/bench_hygiene.exe"
}

# Start-up first, before anything is installed or copied: the 64 MiB the scaling build and
# the copy write are still being written back to the disk for seconds afterwards, and start-ups
# measured then came out up to twice as slow as the rest. Whatever the build left unwritten is
# written out before the first run.
# Twice as many rounds as the rest: a start-up round is short, and the times vary most.
startup_rounds=$((runs * 2))
# The start-up rounds begin on a quiet machine: the build, or a benchmark run just before,
# leaves a load that the one-minute average still shows. At most two minutes are waited.
sync
for i in $(seq 24); do
  LC_ALL=C awk '{ exit !($1 < 0.5) }' /proc/loadavg && break
  [ "$i" = 1 ] && echo "Waiting for the load average to fall below 0.5 ($(cut -d' ' -f1 /proc/loadavg))..." >&2
  sleep 5
done
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Start-up: one warm-up round and $startup_rounds measured rounds..." >&2
startup_round warmup_ 0
for i in $(seq "$startup_rounds"); do
  echo "  start-up round $i of $startup_rounds" >&2
  startup_round "" "$i"
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
# The rest runs on every processor again, as the installation times were always measured.
brx_wine_session_stop
bench_unpin
brx_wine_session || return 1
echo "Installation, scaling and hygiene: one warm-up round and $runs measured rounds..." >&2
round warmup_
for i in $(seq "$runs"); do
  echo "  round $i of $runs" >&2
  round ""
done
rm -rf "$installed" "$copy_target" "${leftovers[@]}"
# The window tree of the plain baseline against the setup's.
controls_setup=$(brx_wine "$bench/bench_driver.exe" controls "$(windows_path "$setup")" 2>/dev/null | tr -d '\r')
controls_plain=$(brx_wine "$bench/bench_driver.exe" controls "$(windows_path "$bench/bench_setup_window.exe")" \
  2>/dev/null | tr -d '\r')
brx_wine_session_stop
trap - EXIT
# The Wine-server requests of each start-up, counted in a session of their own with the
# server's trace on.
requests=$(BRX_ARCH=$arch bash bench/startup-requests.sh --totals 2>/dev/null)

# ---- figures ----
# Wine needed the Russian locale; the figures are printed with plain decimal points.
export LC_ALL=C
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v + 0 <= t + 0 && v != "nan") ? "met" : "MISSED" }'; }
calc() { awk "BEGIN { printf \"$1\", $2 }"; }

bare=$(median_of bare_startup_ms)
floor=$(median_of floor_startup_ms)
plain=$(median_of plain_startup_ms)
start=$(median_of setup_startup_ms)
ratio_floor=$(calc %.3f "$start / $floor")
ratio_plain=$(calc %.3f "$start / $plain")
# The same ratios taken run by run, each setup start against the baselines started in the
# same turn of its round: less exposed to the machine's load changing between runs.
paste "$work/setup_startup_ms" "$work/floor_startup_ms" | awk 'NF == 2 { print $1 / $2 }' >"$work/paired_floor"
paste "$work/setup_startup_ms" "$work/plain_startup_ms" | awk 'NF == 2 { print $1 / $2 }' >"$work/paired_plain"
starts=$(wc -l <"$work/setup_startup_ms")
worst() { sort -g "$work/$1" 2>/dev/null | tail -n1; }
# "best  median  worst" of a start-up figure, and the median's distance from the best.
spread() {
  printf '%7.1f %7.1f %7.1f ms  median %+.0f %% of best' "$(best "$1")" "$(median_of "$1")" "$(worst "$1")" \
    "$(calc %.3f "($(median_of "$1") / $(best "$1") - 1) * 100")"
}
requests_of() { awk -v n="$1" -v f="$2" '$1 == "requests" && $2 == n { print $f }' <<<"$requests"; }

install_raw=$(median_of install_install_ms)
install=$(calc %.1f "$install_raw - 200")

# Every embedded block: its source file, and the zero byte that ends a text.
. payload/manifest.sh
# The installed blocks' bytes are what an installation writes.
blocks=0
installed_bytes=0
while read -r _ source from end order _; do
  folder=$(payload_source_folder "$from" "$build")
  bytes=$(stat -c %s "$folder/$source")
  [ "$end" = zero ] && bytes=$((bytes + 1))
  blocks=$((blocks + bytes))
  [ "$order" != - ] && installed_bytes=$((installed_bytes + bytes))
done < <(payload_manifest_blocks payload/manifest.txt)
total=$(stat -c %s "$setup")
rest=$((total - blocks))

bare_ws=$(median_of bare_peak_working_set)
floor_ws=$(median_of floor_peak_working_set)
welcome_ws=$(median_of setup_peak_working_set)
installed_ws=$(median_of install_peak_working_set_installed)
mb() { calc %.1f "$1 / 1048576"; }
welcome_over=$(calc %.0f "$welcome_ws - $bare_ws")
installed_over=$(calc %.0f "$installed_ws - $bare_ws")

scaling_net=$(calc %.1f "$(median_of scaling_install_ms) - 200")
copy=$(median_of copy_copy_ms)
copy_bytes=$(median_of copy_copy_bytes)
payload_bytes=67108864
speed_ratio=$(calc %.2f "$copy * $payload_bytes / $copy_bytes / $scaling_net")

cpu=$(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')
echo
echo "Brindlex setup benchmarks of $build_name ($setup):"
echo "medians of $runs interleaved rounds under the build's own Wine prefix"
echo "(start-up: $startup_rounds rounds, three runs of each program per round)"
echo "Machine: $(getconf _NPROCESSORS_ONLN) x $cpu, $(awk '/^MemTotal/ { printf "%.0f", $2 / 1048576 }' /proc/meminfo) GiB; $(brx_wine --version); $(uname -sr)"
echo
echo "The start-up runs ran on $BENCH_PROCESSORS, the rest on every processor"
echo "Load average (1, 5, 15 minutes): $load_before before the start-up runs, $load_after after"
echo
echo "Start-up (process creation to the window shown with its controls and painted, the program"
echo "waiting for input and its loop answering), measured before any installation; $starts runs"
echo "of each program after one warm-up round; beside them, the same computation timed $(wc -l <"$work/compute_compute_ms")"
echo "times in the same rounds, which makes no system call: its spread is the machine's own:"
echo "                                        best  median   worst"
printf '  %-34s %s\n' "bare window (four buttons)" "$(spread bare_startup_ms)"
printf '  %-34s %s\n' "floor (unavoidable system work)" "$(spread floor_startup_ms)"
printf '  %-34s %s\n' "plain setup window (no toolkit)" "$(spread plain_startup_ms)"
printf '  %-34s %s\n' "setup, welcome page" "$(spread setup_startup_ms)"
printf '  %-34s %s\n' "the processor: a fixed computation" "$(spread compute_compute_ms)"
# The ratios judged are the run-by-run ones: a spell of a slower machine lasts seconds and
# slows a setup start and its neighbour alike, but moves one program's median more than the
# other's. Of four idle runs, the run-by-run setup / floor spanned 0.034, the medians' 0.10.
paired_floor_ratio=$(calc %.3f "$(median_of paired_floor)")
paired_plain_ratio=$(calc %.3f "$(median_of paired_plain)")
printf '  %-34s %9s      target <= 1.25: %s   ratio of the medians %s\n' "setup / floor (run by run)" \
  "$paired_floor_ratio" "$(verdict "$paired_floor_ratio" 1.25)" "$ratio_floor"
printf '  %-34s %9s      target <= 1.05: %s   ratio of the medians %s\n' "setup / plain window (run by run)" \
  "$paired_plain_ratio" "$(verdict "$paired_plain_ratio" 1.05)" "$ratio_plain"
if [ -n "$controls_setup" ] && [ "$controls_setup" = "$controls_plain" ]; then
  echo "  the plain window's $(grep -c '^control' <<<"$controls_setup") windows and controls: the setup's (class, identifier, styles, place, text)"
else
  echo "  the plain window's controls DIFFER from the setup's:"
  diff <(echo "$controls_setup") <(echo "$controls_plain") | head -n 10 | sed 's/^/    /'
fi
echo
echo "Wine-server requests from process start to the welcome page painted and the program waiting"
echo "for input (the same in every run; in brackets with the waits and message fetches, whose"
echo "number depends on when the X server's events arrive)"
for name in bare floor plain setup; do
  case $name in
    bare) label="bare window" ;; floor) label="floor" ;; plain) label="plain setup window" ;;
    setup) label="setup, welcome page" ;;
  esac
  printf '  %-34s %9s   (%s)\n' "$label" "$(requests_of "$name" 3)" "$(requests_of "$name" 4)"
done
echo
echo "Installation (Install to the finish screen, less the two 100 ms pauses)"
printf '  %-34s %9.1f ms   (%.1f ms with the pauses)   target <= 100 ms: %s\n' \
  "embedded payload, $(sed ':a;s/\B[0-9]\{3\}\>/,&/;ta' <<<"$installed_bytes") bytes" "$install" "$install_raw" "$(verdict "$install" 100)"
echo "  exit codes after Finish: $(sort "$work/install_exit_code" "$work/scaling_exit_code" 2>/dev/null | uniq -c | awk '{ printf "%s x %s  ", $1, $2 }')"
echo
echo "Size of BrindlexSetup.exe"
printf '  %-34s %9d bytes\n' "whole program" "$total"
printf '  %-34s %9d bytes\n' "embedded blocks" "$blocks"
if [ "$arch" = x86 ]; then
  printf '  %-34s %9d bytes = %.1f KB   target <= 128 KB: %s\n' "everything else" "$rest" \
    "$(calc %.3f "$rest / 1024")" "$(verdict "$rest" 131072)"
else
  printf '  %-34s %9d bytes = %.1f KB   (the target is for the shipped 32-bit program)\n' \
    "everything else" "$rest" "$(calc %.3f "$rest / 1024")"
fi
parts=$(awk -f bench/map-sizes.awk "$bench/setup.map" 2>/dev/null | sort -k2 -rn)
part_bytes() { awk -v p="$1" '$1 == p { b = $2 } END { print b + 0 }' <<<"$parts"; }
echo "  everything else by part (input sections; the rest is headers, alignment, relocations):"
grep -v '^blocks ' <<<"$parts" | while read -r part bytes; do
  printf '    %-32s %9d bytes\n' "$part" "$bytes"
done
imports=$($objdump -p "$setup" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')
cxx_names=$($strings -a "$setup" | grep -cE 'St9exception|St9type_info|__cxxabiv|ios_base|basic_ostream|__gxx_personality')
cxx_members=$(grep -cE '(libstdc\+\+|libsupc\+\+)\.a\(' "$bench/setup.map" 2>/dev/null)
symbols=$($objdump -t "$setup" 2>/dev/null | grep -c '^\[')
same_link=$([ "$(stat -c %s "$bench/bench_setup_map.exe")" = "$total" ] && echo "same size" || echo "SIZE DIFFERS")
echo "  lean checks (link map of the same link, $same_link as the program):"
echo "    imported DLLs: $imports"
echo "    C++ runtime: $cxx_members members of libstdc++/libsupc++ linked ($(part_bytes c++-runtime) bytes);"
echo "      exception, RTTI and iostream names in the file: $cxx_names"
echo "    libpng writer: $(part_bytes libpng-writer) bytes, zlib compressor: $(part_bytes zlib-compressor) bytes"
echo "    symbol table entries: $symbols; sections: $($objdump -h "$setup" | awk '$1 ~ /^[0-9]+$/ { printf "%s ", $2 }')"
echo
echo "Memory (peak working set, GetProcessMemoryInfo read by the driver; baseline: bare window)"
printf '  %-34s %9s MB\n' "bare window" "$(mb "$bare_ws")"
printf '  %-34s %9s MB\n' "floor" "$(mb "$floor_ws")"
printf '  %-34s %9s MB   +%s MB   target <= +6 MB: %s\n' "setup, welcome page" "$(mb "$welcome_ws")" \
  "$(mb "$welcome_over")" "$(verdict "$welcome_over" 6291456)"
printf '  %-34s %9s MB   +%s MB   target <= +6 MB: %s\n' "setup, after the installation" \
  "$(mb "$installed_ws")" "$(mb "$installed_over")" "$(verdict "$installed_over" 6291456)"
echo
echo "Hygiene (100 Back/Next round trips through the pages, then 1000 PollEvent calls;"
echo "against the same figures after one warm-up trip; target for each: no growth)"
for metric in gdi_objects user_objects program_heap_used_bytes program_heap_used_blocks \
  program_heap_committed_bytes string_heap_used_bytes string_heap_used_blocks \
  string_heap_committed_bytes node_heap_used_bytes node_heap_used_blocks node_heap_committed_bytes; do
  if [ ! -f "$work/hygiene_${metric}_after" ]; then
    printf '  %-30s not measured\n' "$metric"
    continue
  fi
  paste "$work/hygiene_${metric}_before" "$work/hygiene_${metric}_after" |
    awk '{ print $2 - $1 }' >"$work/hygiene_${metric}_delta"
  worst=$(sort -g "$work/hygiene_${metric}_delta" | tail -n1)
  note=""
  [ -f "$work/hygiene_${metric}_counted_by" ] && note="  (counted by: $(head -n1 "$work/hygiene_${metric}_counted_by"))"
  if [ "$(median_of "hygiene_${metric}_before")" = -1 ]; then
    printf '  %-30s not reported here%s\n' "$metric" "$note"
    continue
  fi
  printf '  %-30s %9s -> %-9s delta %s, largest %s: %s%s\n' "$metric" \
    "$(median_of "hygiene_${metric}_before")" "$(median_of "hygiene_${metric}_after")" \
    "$(median_of "hygiene_${metric}_delta")" "$worst" "$(verdict "$worst" 0)" "$note"
done
echo
echo "Scaling (the scaling build: eleven synthetic payload files of 64 MiB together)"
printf '  %-34s %9.1f ms   %6.1f MB/s\n' "installation, less the pauses" "$scaling_net" \
  "$(calc %.3f "64 * 1000 / $scaling_net")"
printf '  %-34s %9.1f ms   %6.1f MB/s   (%s bytes, CopyFileA)\n' "plain copy of the same files" \
  "$copy" "$(calc %.3f "$copy_bytes / 1048576 * 1000 / $copy")" "$copy_bytes"
printf '  %-34s %9s      target >= 0.5: %s\n' "installation speed / copy speed" "$speed_ratio" \
  "$(awk -v r="$speed_ratio" 'BEGIN { print (r >= 0.5) ? "met" : "MISSED" }')"
marginal=$(calc %.1f "$scaling_net - $install")
printf '  %-34s %9.1f ms   %6.1f MB/s   (64 MiB run less the embedded-payload run: the\n' \
  "cost that grows with the payload" "$marginal" "$(calc %.3f "63.52 * 1000 / $marginal")"
echo "                                                   shortcuts, registry and page updates cost the same in both)"
}

status=0
for arch in $BRX_RUN_ARCHES; do
  bench_build "$arch" || status=1
  echo
done
exit $status
