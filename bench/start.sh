# Sourced by the benchmark scripts from the project's root: the bootstrap, the build and
# Wine helpers, and the builds this host runs.

# bench_start WHAT: prints which builds WHAT runs on, and fails where none can run.
bench_start() {
  bash scripts/bootstrap.sh >/dev/null || return 1
  . scripts/builds.sh
  . scripts/wine-env.sh
  brx_choose_runs "$1"
}

# The median of the numbers on standard input, one per line; "nan" for none.
median() { sort -g | awk '{ v[NR] = $1 } END { print NR ? (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) : "nan" }'; }

# bench_pin: runs the calling script from here on, and everything it starts (the display, the
# Wine server, the programs), on one processor; bench_unpin gives it back every processor it
# had. Starting a program under Wine takes thousands of Wine-server requests, each waking
# the server or the program; where they run on different processors of a virtual machine,
# each wake-up of an idle processor passes through the host, and what that costs changes from
# run to run. On one processor each request is a switch between two processes. The last
# processor is taken, since the first usually takes the interrupts. BRX_BENCH_CPU=all leaves
# the processors to the scheduler, a number chooses one. BENCH_PROCESSORS says which.
bench_pin() {
  local choice=${BRX_BENCH_CPU:-last}
  BENCH_ALLOWED=$(awk '/^Cpus_allowed_list/ { print $2 }' /proc/self/status)
  BENCH_PROCESSORS="every processor ($BENCH_ALLOWED)"
  [ "$choice" = all ] && return 0
  [ "$choice" = last ] && choice=${BENCH_ALLOWED##*[-,]}
  if taskset -p -c "$choice" $$ >/dev/null 2>&1; then
    BENCH_PROCESSORS="processor $choice only (of $BENCH_ALLOWED; BRX_BENCH_CPU=all for every one)"
  else
    echo "The benchmark could not be kept on processor $choice; it runs on every processor." >&2
  fi
}

bench_unpin() {
  [ -n "${BENCH_ALLOWED:-}" ] || return 0
  taskset -p -c "$BENCH_ALLOWED" $$ >/dev/null 2>&1 ||
    echo "The benchmark could not be given back processors $BENCH_ALLOWED." >&2
}
