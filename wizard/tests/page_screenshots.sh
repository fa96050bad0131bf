#!/usr/bin/env bash
# Takes a screenshot of every screen of the wizard under a virtual display, cropped to the
# wizard window:
#   wizard/tests/page_screenshots.sh [build folder, default build] [DPI...]
# Without densities the screens go to <build folder>/wizard-screens/*.png, taken in the
# build's own Wine prefix. With densities (e.g. 96 144 192) they go to
# <build folder>/wizard-screens/<DPI>/*.png: 96 in the build's own prefix, any other in a
# prefix of its own set to that density, on a screen large enough for the window.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
. "$root/scripts/wine-density.sh"
build=$(cd "${1:-$root/build}" && pwd)
tour=$build/wizard/tests/wizard_page_tour.exe
[ -f "$tour" ] || { echo "no $tour: build first" >&2; exit 2; }
rm -rf "$build/wizard-screens"
trap 'brx_display_stop' EXIT

# Runs the tour in the environment set up, into folder $1.
take_tour() {
  local shots=$1 name info x y w h
  mkdir -p "$shots"
  brx_wine "$tour" "Z:$(echo "$shots" | tr / '\\')" &
  local tour_pid=$!
  local title
  title="Установка программы $(cat "$build/product-title.txt")"
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
}

if [ $# -le 1 ]; then
  brx_wine_env "$build"
  brx_wine_prefix
  unset DISPLAY
  brx_display
  take_tour "$build/wizard-screens"
  exit 0
fi
for dpi in "${@:2}"; do
  if [ "$dpi" = 96 ]; then
    unset BRX_WINEPREFIX BRX_SCREEN
    brx_wine_env "$build"
    brx_wine_prefix
  else
    brx_density_env "$build" "$dpi"
    brx_density_prefix "$dpi"
  fi
  unset DISPLAY
  brx_display
  echo "== $dpi DPI"
  take_tour "$build/wizard-screens/$dpi"
  brx_display_stop
done
