#!/usr/bin/env bash
# Prints, in apt's deb822 format, a deb-src entry for each of this machine's own Debian
# archive sources: the same URIs and suites as its "deb" entries for the release, its
# updates and its security suites. Other vendors' lists are left out: a deb-src entry for
# them breaks apt-get update. Reads /etc/apt/sources.list, *.list and *.sources.
#   scripts/debian-deb-src.sh [APT_ETC_DIR [CODENAME]]
set -euo pipefail
. "$(dirname "$0")/common.sh"
etc=${1:-/etc/apt}
codename=${2:-}
if [ -z "$codename" ] && [ -r /etc/os-release ]; then
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
fi
[ -n "$codename" ] || { echo "debian-deb-src: no release code name" >&2; exit 2; }

files=()
[ -f "$etc/sources.list" ] && files+=("$etc/sources.list")
for f in "$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  case "$f" in */brindlex-deb-src.sources) continue ;; esac
  files+=("$f")
done
[ ${#files[@]} -gt 0 ] || exit 0

# One "URI suite" line per (deb entry, suite) that belongs to Debian's archive: a suite of
# this release with the component main, signed (when it says so) by Debian's keyring.
for f in "${files[@]}"; do
  case "$f" in
    *.sources)
      # deb822: paragraphs of "Field: value" lines; "Enabled: no" switches one off.
      awk -v rel="$codename" '
        function flush(   n, m, i, j, us, ss, ok) {
          if (types ~ /(^| )deb( |$)/ && enabled != "no" && comps ~ /(^| )main( |$)/ &&
              (signed == "" || signed ~ /debian-archive-keyring/)) {
            n = split(uris, us, " "); m = split(suites, ss, " ")
            for (i = 1; i <= n; i++) for (j = 1; j <= m; j++) {
              ok = (ss[j] == rel || ss[j] == rel "-updates" || ss[j] == rel "-security" ||
                    ss[j] == rel "/updates")
              if (ok) print us[i], ss[j]
            }
          }
          types = uris = suites = comps = signed = enabled = ""
        }
        /^[ \t]*#/ { next }
        /^[ \t]*$/ { flush(); next }
        {
          line = $0; key = tolower(line); sub(/:.*/, "", key)
          val = line; sub(/^[^:]*:[ \t]*/, "", val)
          if (key == "types") types = val
          else if (key == "uris") uris = val
          else if (key == "suites") suites = val
          else if (key == "components") comps = val
          else if (key == "signed-by") signed = val
          else if (key == "enabled") enabled = tolower(val)
        }
        END { flush() }' "$f"
      ;;
    *)
      # One-line form: deb [options] URI suite component...
      awk -v rel="$codename" '
        /^[ \t]*#/ || NF < 4 || $1 != "deb" { next }
        {
          i = 2; signed = ""
          if ($2 ~ /^\[/) {
            for (; i <= NF; i++) {
              if ($i ~ /signed-by=/) { signed = $i }
              if ($i ~ /\]$/) { i++; break }
            }
          }
          uri = $i; suite = $(i + 1); main = 0
          for (k = i + 2; k <= NF; k++) if ($k == "main") main = 1
          if (!main || (signed != "" && signed !~ /debian-archive-keyring/)) next
          if (suite == rel || suite == rel "-updates" || suite == rel "-security" ||
              suite == rel "/updates") print uri, suite
        }' "$f"
      ;;
  esac
done | awk '!seen[$0]++' | awk '
  { uris[$1] = uris[$1] (uris[$1] == "" ? "" : " ") $2; if (!($1 in order)) { order[$1] = ++n; list[n] = $1 } }
  END {
    for (i = 1; i <= n; i++) {
      if (i > 1) print ""
      print "Types: deb-src"
      print "URIs: " list[i]
      print "Suites: " uris[list[i]]
      print "Components: main"
      print "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    }
  }'
