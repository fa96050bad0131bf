#!/usr/bin/env bash
# The product's version is written only in the top-level project(): no tracked file of the
# tree, binary files included, spells the title the build makes of it.
#   version_in_one_place.sh SOURCE-TREE TITLE
# Reads files only: no Wine needed.
set -euo pipefail
root=$1
title=$2
if spelled=$(git -C "$root" grep -l -F -e "$title" -- .); then
  echo "These files spell \"$title\"; write the title from the build's product_version.h, product-title.txt or {title} instead:"
  echo "$spelled" | sed 's/^/  /'
  exit 1
fi
echo "version: \"$title\" is spelled by no file of $root; project() holds the version alone"
