#!/usr/bin/env bash
# The virtual display of the scripts when the first free-looking display number is already
# held by an X server that leaves no trace under this /tmp: one in another root or container
# sharing the network, seen here only through X's abstract socket. Holds such a display
# (an Xvfb in a mount namespace of its own with a private /tmp), then checks that the
# scripts still start a display of their own and run programs on it, and that a display
# that cannot start at all is reported. Skipped (exit code 77) where no mount namespace can
# be made.
#   display_taken_test.sh [WINDOWS-PROGRAM [ARGUMENTS]]
# With a program, it is also run through scripts/wine-run.sh, which starts its own display.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Display numbers in use, as a new X server sees them: lock files, socket files and
# abstract sockets.
taken() {
  {
    ls /tmp/.X11-unix/ 2>/dev/null | sed -n 's/^X\([0-9]*\)$/\1/p'
    ls -a /tmp/ 2>/dev/null | sed -n 's/^\.X\([0-9]*\)-lock$/\1/p'
    grep -ao '@/tmp/\.X11-unix/X[0-9]*' /proc/net/unix | sed 's/.*X//'
  } | sort -un
}
first_free() {
  local n=0 used
  used=" $(taken | tr '\n' ' ') "
  while [[ $used == *" $n "* ]]; do n=$((n + 1)); done
  echo "$n"
}
abstract_held() { grep -aq "@/tmp/\.X11-unix/X$1\$" /proc/net/unix; }

# Holds display $1 in a mount namespace with a private /tmp; sets holder. A chroot cannot
# make its mounts private: there the namespace keeps the propagation it has, and the /tmp
# mounted in it must not show here (if it does, it came back through shared propagation:
# it is taken away again and the test skipped).
hold() {
  local propagation i tmp_device
  tmp_device=$(stat -c %d /tmp/.)
  for propagation in private unchanged; do
    unshare --mount --propagation "$propagation" sh -c \
      "mount -t tmpfs tmpfs /tmp && exec Xvfb :$1 -nolisten tcp" >"$work/holder.log" 2>&1 &
    holder=$!
    for i in $(seq 100); do
      if [ "$(stat -c %d /tmp/.)" != "$tmp_device" ]; then
        kill "$holder" && wait "$holder"
        umount -l /tmp
        echo "SKIP: the namespace's /tmp showed outside it (shared mount propagation)"
        exit 77
      fi
      abstract_held "$1" && return 0
      kill -0 "$holder" 2>/dev/null || break
      sleep 0.05
    done
    kill "$holder" 2>/dev/null || true  # it may have ended already
    wait "$holder" 2>/dev/null || true  # a holder that did not start: tried the next way
  done
  holder=""
  return 1
}

work=$(mktemp -d)
holder=""
trap 'if [ -n "$holder" ]; then kill "$holder"; wait "$holder"; fi 2>/dev/null; rm -rf "$work"' EXIT

if ! unshare --mount --propagation unchanged true 2>"$work/unshare.log"; then
  echo "SKIP: no mount namespace can be made here ($(head -n1 "$work/unshare.log")): needs root"
  exit 77
fi
# Another X server may take the number between the look and the start: try a few.
held=""
for _ in 1 2 3; do
  n=$(first_free)
  if hold "$n"; then held=$n; break; fi
done
if [ -z "$held" ]; then
  echo "SKIP: no display could be held from a private /tmp here: $(tail -n 3 "$work/holder.log" | tr '\n' ' ')"
  exit 77
fi
[ -e "/tmp/.X$held-lock" ] && fail "the held display :$held left a lock file here; the test proves nothing"
echo "display :$held held through its abstract socket only (no lock file under /tmp)"

# Each case: the shell code run after sourcing wine-env.sh with no DISPLAY, and what its
# output must hold (an extended regular expression over the whole output).
check() {
  local name=$1 code=$2 expected=$3 status output
  printf 'set -euo pipefail\n. scripts/wine-env.sh\ntrap brx_display_stop EXIT\n%s\n' "$code" >"$work/case.sh"
  output=$(cd "$root" && unset DISPLAY && bash "$work/case.sh" 2>&1)
  status=$?
  if ! grep -Ezq -- "$expected" <<<"$output"; then
    fail "$name: expected /$expected/ in the output (exit code $status):"
    sed 's/^/    /' <<<"$output"
  else
    echo "ok: $name"
  fi
}

check "a display of its own beside the held one" \
  'brx_display; echo "display $DISPLAY"; xdpyinfo | grep "^name of display"' \
  "name of display: +:[0-9]+"
out=$(cd "$root" && unset DISPLAY && bash -c '. scripts/wine-env.sh; brx_display; echo "$DISPLAY"; brx_display_stop')
[ "$out" != ":$held" ] || fail "the scripts' display is the held one, :$held"

check "two displays at once differ" \
  'brx_display; a=$DISPLAY; first=$BRX_XVFB_PID; unset DISPLAY; brx_display; b=$DISPLAY
   [ "$a" != "$b" ] && echo "two displays: $a $b"; kill $first; wait $first || true' \
  "two displays: :[0-9]+ :[0-9]+"

# An X server that cannot start at all: the scripts say so and stop.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "Fatal server error: cannot start (a stand-in)" >&2\nexit 1\n' >"$work/bin/Xvfb"
chmod +x "$work/bin/Xvfb"
check "no display can start: a message, the server's words, the step" \
  "PATH=$work/bin:\$PATH brx_display; echo 'not reached'" \
  "No virtual display could be started.*cannot start \(a stand-in\)"
check "no display can start: the report names the step" \
  "PATH=$work/bin:\$PATH brx_display" "FAILED \(exit code 1\): [^[:cntrl:]]*brx_display"

# The program needs the 32-bit Wine, which a host that runs no 32-bit code lacks.
if [ $# -gt 0 ] && ! (. "$root/scripts/builds.sh" && brx_host_runs_x86); then
  echo "note: $(basename "$1") not run: this host runs no 32-bit x86 code"
elif [ $# -gt 0 ]; then
  if (cd "$root" && unset DISPLAY && timeout 300 bash scripts/wine-run.sh "$@" >"$work/program.log" 2>&1); then
    echo "ok: $(basename "$1") ran on a display of its own"
  else
    fail "$(basename "$1") did not run through scripts/wine-run.sh:"
    tail -n 20 "$work/program.log" | sed 's/^/    /'
  fi
fi

abstract_held "$held" || fail "the held display :$held ended during the test"
[ "$failures" -eq 0 ] && echo "display_taken: passed"
exit "$failures"
