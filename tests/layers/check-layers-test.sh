#!/usr/bin/env bash
# Runs check-layers.sh on small trees, each a sound tree changed in one way, and compares its
# verdict and the breach it names with what the change must give.
set -uo pipefail
check=$(cd "$(dirname "$0")" && pwd)/check-layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

put() { mkdir -p "$(dirname "$1")"; printf '%s\n' "${@:2}" > "$1"; }

# Every layer, each including and linking what the real tree does in kind: a header that
# includes below it (PUBLIC), sources that do (PRIVATE), a link line over two lines, a
# non-layer library and tests that include from above.
sound_tree() {
  put runtime/CMakeLists.txt 'brx_library(brx_runtime heaps.cpp)'
  put runtime/heaps.h '#pragma once'
  put runtime/heaps.cpp '#include "runtime/heaps.h"' '#include <windows.h>'
  put runtime/tests/main.cpp '#include "wizard/program.h"'
  put toolkit/CMakeLists.txt 'brx_library(brx_toolkit window.cpp)' \
      'target_link_libraries(brx_toolkit PRIVATE brx_runtime comctl32)'
  put toolkit/window.cpp '#include "runtime/heaps.h"'
  put image/CMakeLists.txt 'brx_library(brx_image image.cpp)' \
      'target_link_libraries(brx_image PUBLIC brx_runtime PRIVATE brx_png)'
  put image/image.h '  #  include "runtime/heaps.h"'
  put image/image.cpp '#include "image/image.h"'
  put shell/CMakeLists.txt 'brx_library(brx_shell drives.cpp)'
  put shell/drives.cpp '#include <shlobj.h>'
  put payload/CMakeLists.txt 'brx_library(brx_payload payload.cpp)'
  put payload/payload.cpp '#include "payload/payload.h"'
  put install/CMakeLists.txt 'brx_library(brx_install run.cpp)' \
      'target_link_libraries(brx_install PRIVATE brx_payload)'
  put install/run.cpp '#include "payload/payload.h"'
  put wizard/CMakeLists.txt 'brx_library(brx_wizard program.cpp)' \
      'target_link_libraries(brx_wizard PUBLIC brx_runtime' \
      '                      PRIVATE brx_install brx_toolkit brx_image)'
  put wizard/program.h '#include "runtime/heaps.h"'
  put wizard/program.cpp '#include "install/run.h"' '#include "toolkit/window.h"' '#include "image/image.h"'
  put bench/hygiene.cpp '#include "wizard/program.h"'
}

# name | change made to the sound tree | expected exit status | text the output must hold
cases=(
  "sound tree||0|every include looks down"
  "runtime includes toolkit|put runtime/order.cpp '#include \"toolkit/window.h\"'|1|runtime/order.cpp: includes toolkit/window.h"
  "upward include by a relative path|put runtime/order.cpp '#include \"../toolkit/window.h\"'|1|includes toolkit/window.h, from a layer above runtime/"
  "include inside a nested folder|put shell/parts/x.cpp '#include \"install/run.h\"'|1|shell/parts/x.cpp: includes install/run.h"
  "C file includes upward|put payload/blocks.c '#include \"wizard/program.h\"'|1|payload/blocks.c: includes wizard/program.h"
  "test of a lower layer includes upward|put toolkit/tests/t.cpp '#include \"wizard/program.h\"'|0|every include looks down"
  "include without a folder|put shell/x.cpp '#include \"wizard.h\"'|0|every include looks down"
  "same-level include with its link|put toolkit/x.cpp '#include \"image/image.h\"'; put toolkit/CMakeLists.txt 'target_link_libraries(brx_toolkit PRIVATE brx_runtime brx_image)'|0|every include looks down"
  "same-level layers in a circle|put toolkit/x.cpp '#include \"image/image.h\"'; put toolkit/CMakeLists.txt 'target_link_libraries(brx_toolkit PRIVATE brx_runtime brx_image)'; put image/x.cpp '#include \"toolkit/window.h\"'; put image/CMakeLists.txt 'target_link_libraries(brx_image PUBLIC brx_runtime PRIVATE brx_toolkit)'|1|in a circle"
  "include without its link|put shell/x.cpp '#include \"runtime/heaps.h\"'|1|brx_shell links [] but its sources include [runtime PRIVATE]"
  "link without an include|put payload/CMakeLists.txt 'target_link_libraries(brx_payload PRIVATE brx_runtime)'|1|brx_payload links [runtime PRIVATE] but its sources include []"
  "header include linked PRIVATE|put image/CMakeLists.txt 'target_link_libraries(brx_image PRIVATE brx_runtime)'|1|brx_image links [runtime PRIVATE] but its sources include [runtime PUBLIC]"
  "source include linked PUBLIC|put toolkit/CMakeLists.txt 'target_link_libraries(brx_toolkit PUBLIC brx_runtime)'|1|brx_toolkit links [runtime PUBLIC] but its sources include [runtime PRIVATE]"
  "link without a scope is PUBLIC|put toolkit/CMakeLists.txt 'target_link_libraries(brx_toolkit brx_runtime)'|1|brx_toolkit links [runtime PUBLIC]"
  "toolkit internal header in the toolkit and its tests|put toolkit/x.cpp '#include \"toolkit/gadget_registry.h\"'; put toolkit/tests/t.cpp '#include \"toolkit/gadget_registry.h\"'|0|every include looks down"
  "toolkit internal header in the wizard|put wizard/x.cpp '#include \"toolkit/gadget_registry.h\"'|1|wizard/x.cpp: includes toolkit/gadget_registry.h, which only toolkit/ may include"
  "toolkit internal header in another folder's tests|put wizard/tests/t.cpp '#include \"../../toolkit/gadget_registry.h\"'|1|wizard/tests/t.cpp: includes toolkit/gadget_registry.h, which only toolkit/ may include"
  "installation includes the wizard|put install/run.cpp '#include \"wizard/program.h\"'; put install/CMakeLists.txt 'target_link_libraries(brx_install PRIVATE brx_wizard)'|1|install/run.cpp: includes wizard/program.h, from a layer above install/"
)

failures=0 n=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name change status text <<< "$entry"
  tree="$work/$((++n))"
  mkdir -p "$tree"
  (cd "$tree" && sound_tree && eval "$change") || { echo "FAIL: $name: the tree could not be made"; exit 1; }
  output=$(bash "$check" "$tree" 2>&1)
  actual=$?
  if [[ $actual != "$status" || $output != *"$text"* ]]; then
    echo "FAIL: $name: exit $actual (expected $status), output:"
    sed 's/^/    /' <<< "$output"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
done
echo "$failures of ${#cases[@]} cases failed"
((failures == 0))
