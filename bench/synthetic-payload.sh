#!/usr/bin/env bash
# Writes the eleven synthetic payload files of the scaling build into folder $1: the sizes
# of the real payload scaled to 64 MiB together (the program takes the remainder), random
# bytes, and a licence of plain text lines, since the licence page shows it. Each file is
# named like the block it replaces.
set -euo pipefail
out=$1
total=$((64 * 1024 * 1024))
real_total=501708
# Block file name and the real size of the payload row that block is written as.
rows=(
  "Brindlex.exe 371200" "licence.txt 764" "Vomar_6k.html 6720" "vomar6k_montag.jpg 7206"
  "Vomar6kplata00.gif 6191" "Vomar_6k_bat.gif 20099" "Vomar_6k_bat.sfr 1844"
  "Vomar_6k_bat_01.sfr 1844" "Vomar_6k_panel.jpg 5249" "Vomar_6k_plata_00.lay 54337"
  "Vomar_6k_r.gif 26254"
)
mkdir -p "$out"
sum=0
for row in "${rows[@]:1}"; do
  set -- $row
  sum=$((sum + $2 * total / real_total))
done
for row in "${rows[@]}"; do
  set -- $row
  size=$(($2 * total / real_total))
  [ "$1" = Brindlex.exe ] && size=$((total - sum))
  case $1 in
    licence.txt)
      # The block adds the text's terminating zero byte.
      { yes $'Synthetic licence text for the scaling benchmark of the setup.\r' || true; } |
        head -c $((size - 1)) >"$out/$1"
      ;;
    *) head -c "$size" /dev/urandom >"$out/$1" ;;
  esac
done
