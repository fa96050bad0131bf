#!/usr/bin/env bash
# Makes a release from the commit checked out: builds the shipped 32-bit program in a build
# folder of its own, runs that build's whole suite, signs the program, verifies the
# signature, and writes dist/ with the hashes and a record of what it was built with:
#   scripts/release.sh (--pfx FILE | --pkcs11-module MODULE.so --key PKCS11-URI --certs CHAIN.pem)
#                      [--pass-file FILE] (--timestamp URL | --no-timestamp)
#                      [--description TEXT] [--url URL] [--sign-application]
# The signing options are scripts/sign.sh's. BRX_PAYLOAD_DIR (absolute) ships that folder's
# files instead of the demo payload; --sign-application signs its Brindlex.exe first.
# BRX_RELEASE_TESTS=host runs only the checks that need no Windows code (for CI).
# Logs go to build-release/; any failure is one line, and leaves dist/ empty.
sign_env_pass=${BRX_SIGN_PASS-} sign_env_pass_given=${BRX_SIGN_PASS+1}; unset BRX_SIGN_PASS
set -euo pipefail
. "$(dirname "$0")/common.sh"
root=$(cd "$(dirname "$0")/.." && pwd)
called_from=$PWD
cd "$root"
. scripts/signing.sh
. scripts/builds.sh
. scripts/release-record.sh

usage() {
  echo "usage: scripts/release.sh (--pfx FILE | --pkcs11-module MODULE.so --key PKCS11-URI --certs CHAIN.pem)" \
    "[--pass-file FILE] (--timestamp URL | --no-timestamp) [--description TEXT] [--url URL] [--sign-application]" >&2
  exit 2
}
die() { echo "release: $*" >&2; exit 1; }
brx_sign_fail() { die "$@"; }
step() { echo "release: $*"; }

dist=$root/dist
work=$root/build-release
build=$work/product
rm -rf "$dist"
mkdir -p "$dist"
# A failure leaves dist/ empty: nothing half-made is taken for a release.
trap 'rc=$?; [ $rc -eq 0 ] || find "$dist" -mindepth 1 -delete 2>/dev/null; exit $rc' EXIT
step "emptied $dist"

sign_application=no
brx_sign_parse_args "$@"
for arg in "${sign_rest[@]}"; do
  [ "$arg" = --sign-application ] || usage
  sign_application=yes
done
# Files named relative to where the command was given stay found after the cd above.
cd "$called_from"
for name in sign_pfx sign_module sign_certs sign_pass_file; do
  [ -z "${!name}" ] || [ ! -e "${!name}" ] || printf -v "$name" '%s' "$(realpath -s "${!name}")"
done
cd "$root"
brx_sign_check_args
payload_dir=${BRX_PAYLOAD_DIR:-}
[ "$sign_application" = no ] || [ -n "$payload_dir" ] ||
  die "--sign-application signs the payload folder's Brindlex.exe: set BRX_PAYLOAD_DIR to the folder"
[ -z "$payload_dir" ] || [ "${payload_dir#/}" != "$payload_dir" ] ||
  die "BRX_PAYLOAD_DIR must be an absolute path, not $payload_dir"
case ${BRX_RELEASE_TESTS:-full} in
  full) tests=full ;;
  host) tests=host-only ;;
  *) die "BRX_RELEASE_TESTS is host or unset, not ${BRX_RELEASE_TESTS}" ;;
esac
# Tests that make a release themselves are left out of a release's suite.
export BRX_RELEASE_RUNNING=1

git rev-parse --git-dir >/dev/null 2>&1 || die "$root is not a git checkout: a release is built from a commit"
dirty=$(git status --porcelain --untracked-files=all | cut -c4- | head -n 20 | paste -sd ' ')
[ -z "$dirty" ] ||
  die "the tree has uncommitted changes or untracked files: $dirty (commit them or remove them: a release is built from a commit)"
commit=$(git rev-parse HEAD)
step "commit $commit, no uncommitted changes"

rm -rf "$work"
mkdir -p "$work"
step "installing what the build needs (the first run takes minutes; log $work/bootstrap.log)"
bash scripts/bootstrap.sh >"$work/bootstrap.log" 2>&1 ||
  die "installing what the build needs failed; log $work/bootstrap.log"
brx_host_runs_x86 ||
  die "this host cannot run 32-bit x86 code (the 32-bit Wine loader does not start): the shipped program cannot be tested here"
step "this host runs 32-bit code"
[ -f THIRD-PARTY-NOTICES.txt ] || die "THIRD-PARTY-NOTICES.txt is missing from the tree"

brx_sign_read_pass
sign_args=()
if [ -n "$sign_pfx" ]; then
  sign_args+=(--pfx "$sign_pfx")
  key_name=$sign_pfx
else
  sign_args+=(--pkcs11-module "$sign_module" --key "$sign_key" --certs "$sign_certs")
  key_name="$sign_key through $sign_module"
fi
if [ "$sign_timestamp" = none ]; then sign_args+=(--no-timestamp); else sign_args+=(--timestamp "$sign_timestamp"); fi
sign_args+=(--description "$sign_description")
[ -z "$sign_url" ] || sign_args+=(--url "$sign_url")

# sign IN OUT: scripts/sign.sh, the PIN or password through a pipe; its one line on failure.
sign() {
  local failure
  if ! failure=$(bash scripts/sign.sh "${sign_args[@]}" --pass-file /dev/fd/3 "$1" "$2" \
                 3< <(printf '%s\n' "$sign_pass") 2>&1 >/dev/null); then
    die "${failure#sign: }"
  fi
}

# The key, the certificates and the time-stamp server, tried on a small program first: a
# wrong PIN or a server that does not answer shows in seconds, not after the build.
stamp_note=""
[ "$sign_timestamp" = none ] || stamp_note=", time-stamped by $sign_timestamp"
step "checking the key ($key_name$stamp_note) on a small program"
mkdir -p "$work/probe"
printf 'int main(void) { return 0; }\n' >"$work/probe/probe.c"
i686-w64-mingw32-gcc-posix -s -o "$work/probe/probe.exe" "$work/probe/probe.c" >"$work/probe/compile.log" 2>&1 ||
  die "cannot compile the small program for the key check; log $work/probe/compile.log"
sign "$work/probe/probe.exe" "$work/probe/probe-signed.exe"
step "the key signs, and its signature verifies"

release_record_sources "$work/sources.txt" || die "$(cat "$work/sources.txt")"
release_record_packages "$work/packages.txt" || die "$(cat "$work/packages.txt")"
step "recorded $(wc -l <"$work/packages.txt") packages and 2 source packages"

payload_record=demo payload_signed=no build_payload=""
if [ -n "$payload_dir" ]; then
  step "checking the payload folder $payload_dir"
  bash payload/check-folder.sh "$payload_dir" payload/manifest.txt "$work/payload" "$work/no-setup.exe" \
    >"$work/payload-check.log" 2>&1 || die "$(tail -n 1 "$work/payload-check.log")"
  payload_record=$(sha256sum <"$work/payload/SHA256SUMS" | cut -c1-64)
  if [ "$sign_application" = yes ]; then
    [ -f "$work/payload/Brindlex.exe" ] || die "the payload folder holds no Brindlex.exe to sign"
    step "signing the payload's Brindlex.exe"
    sign "$work/payload/Brindlex.exe" "$work/Brindlex-signed.exe"
    mv -f "$work/Brindlex-signed.exe" "$work/payload/Brindlex.exe"
    release_rewrite_sums "$work/payload"
    payload_signed=$(sha256sum <"$work/payload/SHA256SUMS" | cut -c1-64)
  fi
  build_payload=$work/payload
fi

# build TARGET-ARGUMENTS...: scripts/build.sh on the release's own build folder, 32-bit only.
build_release_targets() {
  BRX_BUILD=$build BRX_BUILD_ARCHES=x86 BRX_PAYLOAD_DIR=$build_payload bash scripts/build.sh "$@" >>"$work/build.log" 2>&1 ||
    die "the build failed; log $work/build.log"
}
if [ "$tests" = full ]; then
  step "building the 32-bit program and its tests in $build (log $work/build.log)"
  build_release_targets
else
  # The host checks need the program and the few test programs they start, not the rest.
  step "building the 32-bit program and what its host checks run in $build (log $work/build.log)"
  build_release_targets --target BrindlexSetup
  host_programs=$(ctest --test-dir "$build" -N -L '^host$' --show-only=json-v1 | grep -o '"[^"]*\.exe"' | tr -d '"' |
                  grep "^$build/" | xargs -r -n1 basename | sed 's/\.exe$//' | grep -vx BrindlexSetup | LC_ALL=C sort -u || true)
  [ -z "$host_programs" ] || build_release_targets --target $host_programs
fi
[ -f "$build/BrindlexSetup.exe" ] || die "the build made no $build/BrindlexSetup.exe; log $work/build.log"

if [ "$tests" = full ]; then
  step "running the build's whole suite (log $work/tests.log)"
  BRX_BUILD=$build BRX_BUILD_ARCHES=x86 BRX_ARCH=x86 BRX_PAYLOAD_DIR=$build_payload \
    bash scripts/test.sh >"$work/tests.log" 2>&1 || die "the tests failed: $(release_test_summary "$work/tests.log"); log $work/tests.log"
else
  step "running the build's host checks only, as BRX_RELEASE_TESTS=host asks (log $work/tests.log)"
  demo_filter=()
  [ -z "$build_payload" ] || demo_filter=(-LE demo-payload)
  ctest --test-dir "$build" --output-on-failure -L '^host$' "${demo_filter[@]}" >"$work/tests.log" 2>&1 ||
    die "the tests failed: $(release_test_summary "$work/tests.log"); log $work/tests.log"
fi
step "tests: $(release_test_summary "$work/tests.log")"

step "signing $build/BrindlexSetup.exe"
sign "$build/BrindlexSetup.exe" "$work/BrindlexSetup-signed.exe"
step "the signature verifies"

# Everything is put together in a staging folder inside dist/ and moved into place, the
# signed program last.
staging=$dist/.staging
mkdir -p "$staging"
cp "$build/BrindlexSetup.exe" "$staging/BrindlexSetup-unsigned.exe"
cp "$work/BrindlexSetup-signed.exe" "$staging/BrindlexSetup.exe"
cp THIRD-PARTY-NOTICES.txt "$staging/THIRD-PARTY-NOTICES.txt"
[ -z "$build_payload" ] || cp -r "$build_payload" "$staging/payload"
{
  echo "commit: $commit"
  cat "$work/packages.txt" "$work/sources.txt"
  echo "payload: $payload_record"
  echo "payload-signed: $payload_signed"
  release_certificate_fields "$staging/BrindlexSetup.exe" "$work/signature" ||
    die "cannot read the signer's certificate from the signed program"
  echo "timestamp: $sign_timestamp"
  echo "tests: $tests"
} >"$staging/build-info.txt"
(cd "$staging" && find . -type f -printf '%P\n' | LC_ALL=C sort | xargs -d '\n' sha256sum >"$work/SHA256SUMS") ||
  die "cannot write SHA256SUMS"
mv "$work/SHA256SUMS" "$staging/SHA256SUMS"
for name in payload THIRD-PARTY-NOTICES.txt BrindlexSetup-unsigned.exe build-info.txt SHA256SUMS BrindlexSetup.exe; do
  [ -e "$staging/$name" ] && mv "$staging/$name" "$dist/$name"
done
rmdir "$staging"

step "done: $dist"
(cd "$dist" && grep -v ' payload/' SHA256SUMS | while read -r digest name; do echo "  $dist/$name  sha256 $digest"; done)
[ -z "$build_payload" ] || echo "  $dist/payload/  $(grep -c ' payload/' "$dist/SHA256SUMS") files, each listed in $dist/SHA256SUMS"
echo "  $dist/SHA256SUMS  sha256 $(sha256sum <"$dist/SHA256SUMS" | cut -c1-64)"
