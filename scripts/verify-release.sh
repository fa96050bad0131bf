#!/usr/bin/env bash
# Shows, on another Debian 12 machine and without Wine, that a released setup program is
# this repository's recorded commit built with the recorded packages and sources, plus its
# signature. Run from a checkout that holds the commit:
#   scripts/verify-release.sh DIST/BrindlexSetup.exe DIST/build-info.txt [--payload DIR]
# The payload it rebuilds with: the demo's where the record says "payload: demo"; else DIR,
# whose SHA256SUMS must have the recorded digest; else DIST/payload/ beside the program.
# It adds the release's updates and security suites to apt (brindlex-release-suites.sources,
# made from the machine's own Debian archive entries by debian-deb-src.sh --deb), installs
# the recorded package versions (osslsigncode excepted: it only compares), fetches the
# recorded sources, clones the commit and builds it (BRX_BUILD_ONLY=1 scripts/build.sh).
# Then it moves the given file's signature onto the rebuild and compares the two byte for
# byte: "identical". Where this machine's osslsigncode attaches a signature otherwise than
# the release's did, it compares every byte outside the signature instead and says so.
# Exit code 0 only when the rebuild matches. Its logs and the rebuild stay in the work
# folder it names when something fails.
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/build-info.sh"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive

usage() { echo "usage: scripts/verify-release.sh DIST/BrindlexSetup.exe DIST/build-info.txt [--payload DIR]" >&2; exit 2; }
positional=() payload_arg=""
while [ $# -gt 0 ]; do
  case $1 in
    --payload) [ $# -ge 2 ] || usage; payload_arg=$2; shift 2 ;;
    -*) usage ;;
    *) positional+=("$1"); shift ;;
  esac
done
[ ${#positional[@]} -eq 2 ] || usage
say() { echo "verify-release: $*"; }
fail() { echo "verify-release: FAILED: $*" >&2; exit 1; }
[ -f "${positional[0]}" ] || fail "no program ${positional[0]}"
exe=$(readlink -f "${positional[0]}")
info=$(readlink -f "${positional[1]}")
dist=$(dirname "$exe")
start=$SECONDS

say "reading $info"
brx_read_build_info "$info" || fail "$info is not a complete build record (lines above)"
say "  commit $BRX_INFO_COMMIT, ${#BRX_INFO_PACKAGES[@]} packages, payload $BRX_INFO_PAYLOAD"

# sums_digest DIR: got, the SHA-256 of DIR/SHA256SUMS.
sums_digest() {
  [ -f "$1/SHA256SUMS" ] || fail "$1 has no SHA256SUMS"
  got=$(sha256sum <"$1/SHA256SUMS" | cut -c1-64)
}
# The payload first: a wrong folder stops the run before anything is installed.
payload_dir=""
if [ -n "$payload_arg" ]; then
  [ "$BRX_INFO_PAYLOAD" != demo ] || fail "the release installs the demo payload; --payload $payload_arg is not its payload"
  payload_dir=$(readlink -f "$payload_arg")
  sums_digest "$payload_dir"
  if [ "$BRX_INFO_PAYLOAD_SIGNED" != no ] && [ "$got" = "$BRX_INFO_PAYLOAD" ]; then
    fail "$payload_dir is the folder before its Brindlex.exe was signed; the release embeds the signed copy (payload-signed: $BRX_INFO_PAYLOAD_SIGNED), DIST/payload/"
  fi
  want=$BRX_INFO_PAYLOAD
  [ "$BRX_INFO_PAYLOAD_SIGNED" = no ] || want=$BRX_INFO_PAYLOAD_SIGNED
  [ "$got" = "$want" ] || fail "$payload_dir/SHA256SUMS has SHA-256 $got; the record says $want"
elif [ -d "$dist/payload" ]; then
  [ "$BRX_INFO_PAYLOAD" != demo ] || fail "$dist/payload is there, but the record says the release installs the demo payload"
  payload_dir=$dist/payload
  sums_digest "$payload_dir"
  key=payload-signed want=$BRX_INFO_PAYLOAD_SIGNED
  [ "$want" != no ] || { key=payload; want=$BRX_INFO_PAYLOAD; }
  [ "$got" = "$want" ] || fail "$payload_dir/SHA256SUMS has SHA-256 $got; the record's $key: line says $want"
elif [ "$BRX_INFO_PAYLOAD" != demo ]; then
  fail "the release installs a payload folder (SHA256SUMS with SHA-256 $BRX_INFO_PAYLOAD): give it with --payload DIR"
fi
if [ -n "$payload_dir" ]; then
  say "payload: $payload_dir, its SHA256SUMS as recorded"
else
  say "payload: the demo"
fi

work=$(mktemp -d /tmp/brindlex-verify.XXXXXX)
trap 'echo "verify-release: logs and the rebuild are kept in $work" >&2' EXIT

say "adding the release's updates and security suites from this machine's own apt sources"
suites_list=/etc/apt/sources.list.d/brindlex-release-suites.sources
entries=$(bash "$root/scripts/debian-deb-src.sh" --deb)
if [ -n "$entries" ]; then
  printf '%s\n' "$entries" | $SUDO tee "$suites_list" >/dev/null
  say "  wrote $suites_list: $(grep '^Suites:' <<<"$entries" | cut -d' ' -f2- | paste -sd' ')"
else
  say "  the machine's apt sources list them already"
fi
src_list=/etc/apt/sources.list.d/brindlex-deb-src.sources
src_entries=$(bash "$root/scripts/debian-deb-src.sh")
[ -n "$src_entries" ] || fail "no Debian archive among this machine's apt sources: the recorded sources cannot be fetched"
printf '%s\n' "$src_entries" | $SUDO tee "$src_list" >/dev/null
say "apt-get update (log: $work/apt.log)"
BRX_LOG=$work/apt.log
$SUDO apt-get update >"$BRX_LOG" 2>&1

# The recorded versions, all of them to be had before anything is installed. osslsigncode
# writes none of the program's bytes: the recorded one where it can be had, else this
# machine's own.
# versions_here NAME: the versions of NAME installed or offered by the apt sources, one a line.
versions_here() {
  dpkg-query -W -f='${Version}\n' "$1" 2>/dev/null || true
  apt-cache madison "$1" 2>/dev/null | awk -F'|' '{ gsub(/ /, "", $2); print $2 }' || true
}
pins=() unavailable=() signer=osslsigncode signer_recorded=""
for pin in "${BRX_INFO_PACKAGES[@]}"; do
  name=${pin%%=*} version=${pin#*=}
  if [ "$name" = osslsigncode ]; then
    signer_recorded=$version
    versions_here "$name" | grep -qxF -- "$version" && signer=$pin
    continue
  fi
  if versions_here "$name" | grep -qxF -- "$version"; then
    pins+=("$pin")
  else
    here=$(versions_here "$name" | awk 'NF && !seen[$0]++' | paste -sd' ')
    unavailable+=("$name $version (here: ${here:-none})")
  fi
done
if [ ${#unavailable[@]} -gt 0 ]; then
  printf 'verify-release:   not to be had: %s\n' "${unavailable[@]}" >&2
  fail "${#unavailable[@]} recorded package versions cannot be had from this machine's apt sources"
fi
say "installing the ${#pins[@]} recorded package versions, git, dpkg-dev, openssl and $signer; minutes on a fresh machine (log: $work/apt.log)"
$SUDO apt-get install -y --no-install-recommends --allow-downgrades "${pins[@]}" git dpkg-dev openssl "$signer" >>"$BRX_LOG" 2>&1
for pin in "${pins[@]}"; do
  name=${pin%%=*}
  [ "$(dpkg-query -W -f='${Version}' "$name")" = "${pin#*=}" ] || fail "$name is not at the recorded ${pin#*=} after the installation"
done
signer_here=$(dpkg-query -W -f='${Version}' osslsigncode)
if [ -n "$signer_recorded" ] && [ "$signer_here" != "$signer_recorded" ]; then
  say "  osslsigncode $signer_here here; the release used $signer_recorded"
fi
unset BRX_LOG

git -C "$root" cat-file -e "$BRX_INFO_COMMIT^{commit}" 2>/dev/null ||
  fail "commit $BRX_INFO_COMMIT is not in $root: fetch it into this checkout first"
clone=$work/clone
say "cloning $root at $BRX_INFO_COMMIT into $clone"
git clone -q --no-checkout "$root" "$clone"
git -C "$clone" -c advice.detachedHead=false checkout -q "$BRX_INFO_COMMIT"
mkdir -p "$clone/third_party"
for source in "${BRX_INFO_SOURCES[@]}"; do
  read -r name version digest <<<"$source"
  say "fetching the source $name $version into $clone/third_party"
  BRX_LOG=$work/source-$name.log
  (cd "$clone/third_party" && apt-get source "$name=$version") >"$BRX_LOG" 2>&1 ||
    fail "the source $name $version cannot be had from this machine's deb-src entries (log: $BRX_LOG)"
  unset BRX_LOG
  dsc=$clone/third_party/${name}_${version#*:}.dsc
  [ -f "$dsc" ] || fail "apt-get source wrote no $dsc"
  got=$(sha256sum <"$dsc" | cut -c1-64)
  [ "$got" = "$digest" ] || fail "$dsc has SHA-256 $got; the record says $digest"
  say "  ${dsc##*/}: SHA-256 as recorded"
done

say "building the unsigned program in $clone/build (log: $work/build.log)"
if ! (cd "$clone" && BRX_BUILD=build BRX_BUILD_ARCHES=x86 BRX_BUILD_ONLY=1 BRX_PAYLOAD_DIR=$payload_dir \
      bash scripts/build.sh --target BrindlexSetup) >"$work/build.log" 2>&1; then
  tail -n 30 "$work/build.log" >&2
  fail "the rebuild failed (log: $work/build.log)"
fi
rebuilt=$clone/build/BrindlexSetup.exe
say "  rebuilt $rebuilt, SHA-256 $(sha256sum <"$rebuilt" | cut -c1-64)"

say "taking the signature out of $exe"
osslsigncode extract-signature -in "$exe" -out "$work/signature.der" >"$work/signature.log" 2>&1 ||
  fail "$exe holds no signature that osslsigncode can take out (log: $work/signature.log)"
say "attaching it to the rebuild with osslsigncode $signer_here"
# attach-signature also checks the chain of the signature it attaches, and writes nothing
# where it cannot: the certificates the signature carries are taken as anchors beside the
# machine's own, since what is shown here is the bytes, not the trust.
anchors=$work/anchors.pem
openssl pkcs7 -inform DER -in "$work/signature.der" -print_certs >"$anchors" 2>>"$work/signature.log" || true
[ -f /etc/ssl/certs/ca-certificates.crt ] && cat /etc/ssl/certs/ca-certificates.crt >>"$anchors"
compared=$rebuilt
rm -f "$work/attached.exe"
osslsigncode attach-signature -sigin "$work/signature.der" -CAfile "$anchors" -in "$rebuilt" \
  -out "$work/attached.exe" >>"$work/signature.log" 2>&1 ||
  say "  osslsigncode's own check of the attached signature fails here (log: $work/signature.log)"
if [ -f "$work/attached.exe" ]; then
  if cmp -s "$exe" "$work/attached.exe"; then
    trap - EXIT
    rm -rf "$work"
    say "identical: $exe is commit $BRX_INFO_COMMIT rebuilt plus its signature ($((SECONDS - start)) s)"
    exit 0
  fi
  say "  the rebuild with the signature attached is not byte for byte $exe (first difference at offset $({ LC_ALL=C cmp "$exe" "$work/attached.exe" 2>&1 || true; } | awk '/differ/ { sub(/,/, "", $5); print $5 - 1; exit } /EOF/ { print "the end of the shorter"; exit }'))"
  compared=$work/attached.exe
else
  say "  this osslsigncode does not attach it (log: $work/signature.log): the rebuild itself is compared"
fi
say "comparing every byte outside the certificate table, the security directory entry and the PE checksum"
if result=$(bash "$root/scripts/pe-outside-signature.sh" "$exe" "$compared"); then
  trap - EXIT
  rm -rf "$work"
  say "identical outside the signature: $exe is commit $BRX_INFO_COMMIT rebuilt plus a signature; the certificate table, the security entry and the checksum were not compared ($((SECONDS - start)) s)"
  exit 0
fi
say "$result"
fail "$exe is not the rebuild of commit $BRX_INFO_COMMIT"
