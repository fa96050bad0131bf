#!/usr/bin/env bash
# Prints, in apt's deb822 format, a deb-src entry for each of this machine's own Debian
# archive sources: the same URIs and suites as its "deb" entries for the release, its
# updates and its security suites. Other vendors' lists are left out: a deb-src entry for
# them breaks apt-get update. Reads /etc/apt/sources.list, *.list and *.sources.
#   scripts/debian-deb-src.sh [--deb] [APT_ETC_DIR [CODENAME]]
# --deb prints instead the "deb" entries the machine lacks for the release's updates and
# security suites (a fresh machine often lists the release alone): the updates suite at each
# Debian archive URI that carries the release, the security suite at the archive's
# "debian-security" beside it, as Debian's mirrors lay it out. They go to
# brindlex-release-suites.sources, which the first mode then reads like the machine's own.
set -euo pipefail
. "$(dirname "$0")/common.sh"
mode=deb-src
if [ "${1:-}" = --deb ]; then mode=deb; shift; fi
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
  case "$f" in
    */brindlex-deb-src.sources) continue ;;
    */brindlex-release-suites.sources) [ "$mode" = deb ] && continue ;;
  esac
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
done | awk '!seen[$0]++' | awk -v mode="$mode" -v rel="$codename" '
  # --deb: from the (URI, suite) pairs, the updates and security suites none of them lists.
  mode == "deb-src" { print; next }
  { has[$2] = 1; if ($2 == rel) release[++n] = $1 }
  END {
    if (mode != "deb") exit
    for (i = 1; i <= n; i++) {
      if (!has[rel "-updates"]) print release[i], rel "-updates"
      if (has[rel "-security"] || has[rel "/updates"]) continue
      uri = release[i]; sub(/\/+$/, "", uri)
      if (uri ~ /\/debian$/) print uri "-security", rel "-security"
      else print "debian-deb-src: no security archive known beside " uri > "/dev/stderr"
    }
  }' | awk '!seen[$0]++' | awk -v type="$mode" '
  { uris[$1] = uris[$1] (uris[$1] == "" ? "" : " ") $2; if (!($1 in order)) { order[$1] = ++n; list[n] = $1 } }
  END {
    for (i = 1; i <= n; i++) {
      if (i > 1) print ""
      print "Types: " type
      print "URIs: " list[i]
      print "Suites: " uris[list[i]]
      print "Components: main"
      print "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
    }
  }'
