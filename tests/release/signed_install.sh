#!/usr/bin/env bash
# A signed copy of the build's setup program: signed by scripts/sign.sh with a throwaway
# self-signed code-signing certificate, verified against that certificate, holding exactly
# the unsigned program plus its signature, and running the default installation to the end.
#   tests/release/signed_install.sh BUILD-FOLDER [SIGNED.exe CA.pem]
# Given a program signed already (a release's BrindlexSetup.exe), the same checks run on it
# against the certificate CA.pem, with the build's program as the unsigned one.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
unsigned=$build/BrindlexSetup.exe
signed="" ca=""
[ $# -lt 3 ] || { signed=$(readlink -f "$2"); ca=$(readlink -f "$3"); }
work=$build/release
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*"; exit 1; }

before=$(sha256sum <"$unsigned")
if [ -z "$signed" ]; then
  # The certificate lives for a day; the password has a blank and a dollar sign on purpose.
  password='test pass$word'
  (umask 077 && printf '%s\n' "$password" >"$work/password" && printf 'wrong %s\n' "$password" >"$work/wrong-password")
  openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=Brindlex test signer" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$work/signer.key" -out "$work/signer.pem" 2>"$work/openssl.log" ||
    fail "openssl could not make the certificate: $(cat "$work/openssl.log")"
  openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.pem" -out "$work/signer.pfx" \
    -passout "file:$work/password" 2>>"$work/openssl.log" || fail "openssl could not pack the certificate"
  ca=$work/signer.pem
  signed=$work/BrindlexSetup-signed.exe
  bash "$root/scripts/sign.sh" --pfx "$work/signer.pfx" --pass-file "$work/password" --no-timestamp \
    "$unsigned" "$signed" || fail "sign.sh failed"
  [ "$(sha256sum <"$unsigned")" = "$before" ] || fail "signing changed the unsigned program"
  if bash "$root/scripts/sign.sh" --pfx "$work/signer.pfx" --pass-file "$work/wrong-password" --no-timestamp \
       "$unsigned" "$work/wrong.exe" 2>/dev/null || [ -e "$work/wrong.exe" ]; then
    fail "a wrong password did not fail, or left a signed copy"
  fi
fi

osslsigncode verify -CAfile "$ca" -in "$signed" >"$work/verify.log" 2>&1 ||
  fail "the signature does not verify: $(tail -5 "$work/verify.log")"
grep -q 'Message digest algorithm *: SHA256' "$work/verify.log" || fail "the signature's digest is not SHA-256"
# Without its signature the copy is the unsigned program again, byte for byte.
osslsigncode remove-signature -in "$signed" -out "$work/unsigned-again.exe" >/dev/null 2>&1 ||
  fail "the signature cannot be removed"
cmp -s "$unsigned" "$work/unsigned-again.exe" || fail "the signed copy differs from the unsigned program beyond its signature"

echo "signature verified; the signed copy now installs"
bash "$root/tests/e2e/run-scenario.sh" "$build" "$root/tests/e2e/scenarios/default-install.scn" "$signed"
