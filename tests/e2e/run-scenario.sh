#!/usr/bin/env bash
# Runs one end-to-end scenario against the built setup program:
#   tests/e2e/run-scenario.sh BUILD-FOLDER SCENARIO.scn [PROGRAM.exe]
# PROGRAM, by default BUILD-FOLDER/BrindlexSetup.exe, may be another copy of it (a signed
# one, say); its results then go to results/NAME-PROGRAM/ instead of results/NAME/.
# The driver reads the scenario and hands over its "prepare" and "check" lines (the harness
# never reads a scenario itself), the scenario's prefix is put into its known state, the
# "prepare" lines set up the surroundings, the driver operates the program on a virtual display of its own (answering
# the driver's screenshot requests), and the "check" lines examine the disk and the
# registry afterwards. Results go to BUILD-FOLDER/e2e/results/NAME/: driver.log, the
# screenshots in screens/, peak-working-set, and what the checks read.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
BUILD=$(cd "$1" && pwd)
SCENARIO=$(readlink -f "$2")
NAME=$(basename "$SCENARIO" .scn)
E2E=$BUILD/e2e
OUT=$E2E/results/$NAME
PROGRAM=$BUILD/BrindlexSetup.exe
if [ -n "${3:-}" ]; then
  PROGRAM=$(readlink -f "$3")
  OUT=$OUT-$(basename "$PROGRAM" .exe)
fi

. "$ROOT/scripts/wine-env.sh"
. "$HERE/harness/paths.sh"
. "$HERE/harness/lines.sh"
. "$HERE/harness/prefix.sh"
. "$HERE/harness/checks.sh"

failures=0
e2e_fail() {
  echo "FAIL $NAME: $*"
  failures=$((failures + 1))
}

rm -rf "$OUT"
mkdir -p "$OUT/screens"
brx_wine_env "$BUILD"
e2e_read_lines || { echo "FAIL $NAME: the driver cannot read the scenario"; exit 1; }
e2e_prefix_ready || { echo "FAIL $NAME: the Wine prefix could not be made"; exit 1; }
e2e_prefix_reset
# A display of the scenario's own: the screenshots show the program and nothing else.
unset DISPLAY
brx_display || { echo "FAIL $NAME: no virtual display"; exit 1; }
trap 'wineserver -k 2>/dev/null; brx_display_stop' EXIT

# The program the driver starts; a prepare line may put a copy in its place.
E2E_PROGRAM=$PROGRAM
e2e_run_lines prepare
e2e_prepare_finish

# Screenshots are written under a temporary name and renamed, so the driver, which waits
# for the final name, never reads half a file.
{
  brx_wine "$E2E/e2e_driver.exe" --shots "$(windows_path "$OUT/screens")" \
    "$(windows_path "$E2E_PROGRAM")" "$(windows_path "$SCENARIO")" 2>"$OUT/wine.log"
  echo "@@driver-exit $?"
} | while IFS= read -r line; do
  case $line in
    "@@screenshot "*)
      shot=${line#@@screenshot }
      import -window root "$OUT/screens/.$shot.png" 2>>"$OUT/wine.log" &&
        mv "$OUT/screens/.$shot.png" "$OUT/screens/$shot.png"
      ;;
  esac
  printf '%s\n' "$line"
done >"$OUT/driver.log"

cat "$OUT/driver.log"
driver_exit=$(sed -n 's/^@@driver-exit //p' "$OUT/driver.log")
sed -n 's/^@@peak-working-set //p' "$OUT/driver.log" >"$OUT/peak-working-set"
[ "$driver_exit" = 0 ] || e2e_fail "the driver reported a failure (exit code ${driver_exit:-none})"

e2e_run_lines check

shots=$(ls "$OUT/screens" | wc -l)
peak=$(cat "$OUT/peak-working-set")
summary="$shots screenshots in $OUT/screens; peak working set $((${peak:-0} / 1024)) KiB"
if [ "$failures" -eq 0 ]; then
  echo "scenario $NAME: passed; $summary"
  exit 0
fi
echo "scenario $NAME: $failures failures; $summary"
exit 1
