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
