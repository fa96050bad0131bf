#!/usr/bin/env bash
# The tree's layers, lowest first: runtime; toolkit, image, shell; payload, install; wizard.
# Product code (each layer's folder, apart from its tests/) includes only from its own layer
# and those below, never in a circle, and each folder's library links exactly the layers it
# includes: PUBLIC where one of its headers includes them, PRIVATE otherwise. A folder's
# internal headers are included only inside that folder (its tests included). Prints every
# breach and fails if there is one. Argument: the source tree (default: this one).
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
declare -A level=([runtime]=0 [toolkit]=1 [image]=1 [shell]=1 [payload]=2 [install]=2 [wizard]=3)
breaches=0
breach() { echo "$*"; breaches=$((breaches + 1)); }

# Prints "file header folder" for each header from another layer that a product source of
# folder $1 includes.
included_layers() {
  find "$root/$1" -path '*/tests' -prune -o -type f \( -name '*.h' -o -name '*.c' -o -name '*.cpp' \) -print |
    sort | while read -r file; do
      sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file" | while read -r path; do
        case $path in ./* | ../*) path=$(realpath -m --relative-to="$root" "$(dirname "$file")/$path") ;; esac
        top=${path%%/*}
        if [[ $path == */* && -n ${level[$top]+x} && $top != "$1" ]]; then echo "${file#"$root"/} $path $top"; fi
      done
    done
}

# Prints "layer PUBLIC|PRIVATE" for each layer library that folder $1's library links.
linked_layers() {
  tr '\n' ' ' < "$root/$1/CMakeLists.txt" | { grep -oE "target_link_libraries\(brx_$1[[:space:]][^)]*" || true; } |
    tr -s ' ' '\n' | awk -v self="$1" -v layers="${!level[*]}" '
      BEGIN { split(layers, names); for (i in names) layer["brx_" names[i]] = 1 }
      $0 == "PUBLIC" || $0 == "PRIVATE" || $0 == "INTERFACE" { scope = $0; next }
      $0 in layer && $0 != "brx_" self { print substr($0, 5), (scope ? scope : "PUBLIC") }'
}

ordered=""
for folder in $(printf '%s\n' "${!level[@]}" | sort); do
  uses=$(included_layers "$folder")
  expected=$(echo "$uses" | awk 'NF {
      scope[$3] = scope[$3] == "PUBLIC" || $1 ~ /\.h$/ ? "PUBLIC" : "PRIVATE" }
      END { for (l in scope) print l, scope[l] }' | sort)
  while read -r file path top; do
    [[ -z $top ]] && continue
    ordered+="$folder $top"$'\n'
    if ((level[$top] > level[$folder])); then breach "$file: includes $path, from a layer above $folder/"; fi
  done <<< "$uses"
  actual=$(linked_layers "$folder" | sort -u)
  if [[ $expected != "$actual" ]]; then
    breach "$folder/CMakeLists.txt: brx_$folder links [$(echo $actual)] but its sources include [$(echo $expected)]"
  fi
done

# Internal headers and the one folder that may include each.
declare -A internal=([toolkit/gadget_registry.h]=toolkit)

# Prints a breach for each file outside its folder that includes an internal header.
internal_includes() {
  find "$root" \( -name .git -o -path "$root/build*" -o -path "$root/third_party" \) -prune -o -type f \
    \( -name '*.h' -o -name '*.c' -o -name '*.cpp' \) -print | sort | while read -r file; do
    sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file" | while read -r path; do
      case $path in ./* | ../*) path=$(realpath -m --relative-to="$root" "$(dirname "$file")/$path") ;; esac
      owner=${internal[$path]-}
      if [[ -n $owner && ${file#"$root"/} != "$owner"/* ]]; then
        echo "${file#"$root"/}: includes $path, which only $owner/ may include"
      fi
    done
  done
}
while read -r line; do breach "$line"; done < <(internal_includes)

# A circle among layers of the same level.
if ! loop=$(sort -u <<< "$ordered" | awk NF | tsort 2>&1 >/dev/null); then
  breach "the layers include each other in a circle: $(grep -v 'input contains a loop' <<< "$loop" | sed 's/.*: //' | xargs)"
fi
if ((breaches)); then
  echo "$breaches breach(es) of the layering"
  exit 1
fi
echo "layers: every include looks down, every link matches"
