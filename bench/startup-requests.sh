#!/usr/bin/env bash
# Where the start-up's Wine-server requests go:
#   bash bench/startup-requests.sh [--totals]   (BRX_BUILD=folder, BRX_ARCH=x86 or x64 and
#                                               BRX_BENCH_SETUP as for run.sh)
# For every build this host can run, runs the bare window, the floor, the plain setup
# window (the setup's first show without the toolkit) and the setup once each
# under Wine's server trace and counts the requests each makes from its start until its
# main thread first waits for input, the window shown and painted. For the setup it prints
# them by request type and by the program's function whose system call made them: a second
# run adds Wine's relay trace of the setup's own calls, and the setup's link map names the
# callers. With --totals it runs each of the four three times and prints only their counts,
# as "requests NAME STEADY TOTAL" lines, the run with the median STEADY count: STEADY leaves
# out the waits and message fetches, whose number depends on when the X server's events
# arrive (see requests.awk).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
top=${BRX_TOP:-25}
totals_only=0
[ "${1:-}" = --totals ] && totals_only=1

. bench/start.sh
bench_start "the request count" || exit 1

# Counts and reports one build: count_build x86|x64.
count_build() {
arch=$1
cxxfilt=i686-w64-mingw32-c++filt
[ "$arch" = x64 ] && cxxfilt=x86_64-w64-mingw32-c++filt
setup_name=${BRX_BENCH_SETUP:-BrindlexSetup.exe}
brx_build_targets "$arch" requests-build.log "$(basename "$setup_name" .exe)" bench_setup_map bench_bare_window \
  bench_floor_window bench_setup_window || return 1
build=$(brx_build_folder "$arch")
work=$build/bench/requests
rm -rf "$work"
mkdir -p "$work"
log=$work/trace.log
: >"$log"

brx_wine_env "$build"
brx_wine_prefix || return 1
brx_display || return 1
# The server's trace goes to the server's standard error: the same file as the programs'.
wineserver -p 2>>"$log"
brx_wine wineboot </dev/null >/dev/null 2>&1 || true
export BRX_WINESERVER_KEEP=1

debug_key='HKCU\Software\Wine\Debug'
relay_from_exclude=$(brx_wine reg query "$debug_key" /v RelayFromExclude 2>/dev/null | tr -d '\r' |
  awk '$1 == "RelayFromExclude" { sub(/^.*REG_SZ[ \t]+/, ""); print }')
restore() {
  brx_wine reg delete "$debug_key" /v RelayFromInclude /f >/dev/null 2>&1
  [ -n "$relay_from_exclude" ] &&
    brx_wine reg add "$debug_key" /v RelayFromExclude /d "$relay_from_exclude" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  brx_display_stop
}
trap restore EXIT

# Runs a program with the trace channels $2 until its main thread waits for input (at most
# a minute), then ends it. Prints where its trace begins: the log line and its process id.
traced_run() {
  local program=$1 channels=$2 begin offset shell wine="" i
  begin=$(wc -l <"$log")
  offset=$(($(stat -c %s "$log") + 1))
  WINEDEBUG=$channels brx_wine "$program" </dev/null >/dev/null 2>>"$log" &
  shell=$!
  # brx_wine runs in a subshell of its own; Wine's loader is its child and keeps its id.
  for i in $(seq 600); do
    sleep 0.1
    [ -z "$wine" ] && wine=$(ps -o pid= --ppid "$shell" | tr -d ' ')
    # Only the part of the log written since the program started is read again.
    [ -n "$wine" ] && tail -c "+$offset" "$log" | awk -f bench/requests.awk -v skip=0 -v unixpid="$wine" 2>/dev/null |
      grep -q '^idle' && break
  done
  if [ -n "$wine" ]; then kill "$wine" 2>/dev/null || true; fi  # it may have ended by itself
  wait "$shell" 2>/dev/null
  echo "$begin ${wine:-0}"
}

# A first run starts Wine's desktop process, which the others then find running, and turns
# the server's trace on: it misses the first request of the program that turns it on.
traced_run "$build/bench/bench_bare_window.exe" +server >/dev/null
bare_at=$(traced_run "$build/bench/bench_bare_window.exe" +server)
floor_at=$(traced_run "$build/bench/bench_floor_window.exe" +server)
plain_at=$(traced_run "$build/bench/bench_setup_window.exe" +server)
setup_at=$(traced_run "$build/$setup_name" +server)
count() {
  local at=($1)
  awk -f bench/requests.awk -v skip="${at[0]}" -v unixpid="${at[1]}" ${2:+-v functions="$2"} "$log"
}
count "$bare_at" >"$work/bare"
count "$floor_at" >"$work/floor"
count "$plain_at" >"$work/plain"
count "$setup_at" >"$work/setup"
total() { awk '$1 == "total" { print $2 }' "$work/$1"; }
if [ "$totals_only" = 1 ]; then
  # Two more runs of each, in turn: whether the X server's focus events come before the
  # program's first wait or after it varies now and then by a handful of requests; the
  # median of three runs is the figure.
  local round name program
  for round in 2 3; do
    for name in bare floor plain setup; do
      case $name in
        bare | floor) program=$build/bench/bench_${name}_window.exe ;;
        plain) program=$build/bench/bench_setup_window.exe ;;
        setup) program=$build/$setup_name ;;
      esac
      count "$(traced_run "$program" +server)" >"$work/$name.$round"
    done
  done
  for name in bare floor plain setup; do
    cp "$work/$name" "$work/$name.1"
    # A run that never went idle in its minute has no count worth taking.
    echo "requests $name $(for round in 1 2 3; do
      grep -qx idle "$work/$name.$round" && awk '$1 == "steady" { s = $2 } $1 == "total" { t = $2 }
        END { print s, t }' "$work/$name.$round"
    done | sort -n | awk '{ s[NR] = $1; t[NR] = $2 } END { print NR ? s[int((NR + 1) / 2)] " " t[int((NR + 1) / 2)] : "none none" }')"
  done
  restore
  trap - EXIT
  return 0
fi

# Relay only the setup's own calls into system DLLs (named from the product's link map).
brx_wine reg delete "$debug_key" /v RelayFromExclude /f >/dev/null 2>&1
brx_wine reg add "$debug_key" /v RelayFromInclude /d "$(basename "$setup_name")" /f >/dev/null 2>&1
relay_at=$(traced_run "$build/$setup_name" +server,+relay,+pid)

awk -f bench/map-functions.awk "$build/bench/setup.map" | sort |
  "$cxxfilt" -n -p | sed 's/(anonymous namespace):://g' >"$work/functions"
count "$relay_at" "$work/functions" >"$work/relay"
echo "$bare_at $floor_at $plain_at $setup_at $relay_at" >"$work/starts"

export LC_ALL=C
echo "Wine-server requests from process start to the window shown and painted, the main"
echo "thread waiting for input ($arch build, $(brx_wine --version))"
printf '  %-44s %6s\n' "bare window (four buttons)" "$(total bare)" "floor" "$(total floor)" \
  "plain setup window (no toolkit)" "$(total plain)" "setup, welcome page" "$(total setup)" \
  "setup, run again with its calls traced" "$(total relay)"
echo
echo "Setup by request type (top $top)"
awk '$1 == "type" { print $3, $2 }' "$work/setup" | sort -rn | head -n "$top" |
  awk '{ printf "  %-44s %6d\n", $2, $1 }'
echo
echo "Setup by the program function and the system call that made them (top $top)"
awk '$1 == "function" { n = $NF; $1 = ""; $NF = ""; sub(/^ /, ""); sub(/ $/, ""); print n "\t" $0 }' \
  "$work/relay" | sort -rn | head -n "$top" | awk -F '\t' '{ printf "  %-60s %6d\n", $2, $1 }'
echo
echo "Setup by program function, all system calls together (top $top)"
awk '$1 == "function" { n = $NF; $1 = ""; $NF = ""; sub(/^ /, ""); sub(/ \/ .*/, ""); s[$0] += n }
     END { for (f in s) print s[f] "\t" f }' "$work/relay" | sort -rn | head -n "$top" |
  awk -F '\t' '{ printf "  %-60s %6d\n", $2, $1 }'
restore
trap - EXIT
}

for arch in $BRX_RUN_ARCHES; do
  count_build "$arch" || exit 1
  echo
done
