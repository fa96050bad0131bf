#!/usr/bin/env bash
# Signs a program with Authenticode (SHA-256) and writes a signed copy:
#   bash scripts/sign.sh [--timestamp URL] CERT.pfx PASSWORD [IN.exe [OUT.exe]]
# IN defaults to BrindlexSetup.exe in ${BRX_BUILD:-build}, OUT to IN's name with "-signed"
# before ".exe". IN is never changed: the unsigned program stays the one a rebuild
# reproduces. With --timestamp, an RFC 3161 time-stamp server (reached over the network)
# countersigns, so the signature stays valid after the certificate expires.
set -euo pipefail
. "$(dirname "$0")/common.sh"
usage() { echo "usage: bash scripts/sign.sh [--timestamp URL] CERT.pfx PASSWORD [IN.exe [OUT.exe]]" >&2; exit 2; }

timestamp=()
if [ "${1:-}" = --timestamp ]; then
  [ $# -ge 2 ] || usage
  timestamp=(-ts "$2")
  shift 2
fi
[ $# -ge 2 ] && [ $# -le 4 ] || usage
root=$(cd "$(dirname "$0")/.." && pwd)
cert=$1
password=$2
build=${BRX_BUILD:-build}
[ "${build#/}" != "$build" ] || build=$root/$build
in=${3:-$build/BrindlexSetup.exe}
out=${4:-${in%.exe}-signed.exe}

[ -f "$cert" ] || { echo "sign: no certificate file $cert" >&2; exit 1; }
[ -f "$in" ] || { echo "sign: no program $in (build it first)" >&2; exit 1; }
if [ -e "$out" ] && [ "$(readlink -f "$out")" = "$(readlink -f "$in")" ]; then
  echo "sign: OUT must differ from IN: the unsigned program is kept as it is" >&2
  exit 1
fi
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is missing (run scripts/bootstrap.sh)" >&2; exit 1; }

# The signed copy is written under a temporary name, so a failed signing leaves no OUT
# that looks finished; the password goes through a pipe, not the command line.
partial=$out.partial
rm -f "$partial"
trap 'rm -f "$partial"' EXIT
printf '%s' "$password" | osslsigncode sign -pkcs12 "$cert" -readpass /dev/stdin -h sha256 -n Brindlex \
  "${timestamp[@]}" -in "$in" -out "$partial" >/dev/null
chmod --reference="$in" "$partial"
mv -f "$partial" "$out"
echo "signed: $out"
