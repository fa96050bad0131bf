#!/usr/bin/env bash
# Takes a screenshot of every screen of the wizard under a virtual display, into
# <build folder>/wizard-screens/*.png, cropped to the wizard window.
#   wizard/tests/page_screenshots.sh [build folder, default build]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
build=$(cd "${1:-$root/build}" && pwd)
tour=$build/wizard/tests/wizard_page_tour.exe
[ -f "$tour" ] || { echo "no $tour: build first" >&2; exit 2; }
shots=$build/wizard-screens
rm -rf "$shots" && mkdir -p "$shots"
brx_wine_env "$build"
brx_wine_prefix
unset DISPLAY
brx_display
trap 'brx_display_stop' EXIT

brx_wine "$tour" "Z:$(echo "$shots" | tr / '\\')" &
tour_pid=$!
title="Установка программы Brindlex v 1.0"
for name in 0-welcome 1-licence 2-destination 3-start-menu 4-tasks 5-ready 6-installing 7-finish; do
  for _ in $(seq 600); do [ -f "$shots/$name.ready" ] && break; sleep 0.1; done
  [ -f "$shots/$name.ready" ] || { echo "the tour did not reach $name" >&2; exit 1; }
  sleep 0.5  # let the window finish painting
  info=$(xwininfo -name "$title")
  x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  w=$(awk '/Width:/ {print $2}' <<<"$info")
  h=$(awk '/Height:/ {print $2}' <<<"$info")
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shots/$name.png"
  rm "$shots/$name.ready"
  touch "$shots/$name.done"
done
wait "$tour_pid" || true
wineserver -w
rm -f "$shots"/*.done
ls "$shots"
