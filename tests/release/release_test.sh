#!/usr/bin/env bash
# scripts/release.sh on a clone of the tree, signing through a SoftHSM token the test makes
# (a key, its self-signed code-signing certificate, the PIN in a file). Each refusal stops
# before the build with one line saying why and leaves no dist/BrindlexSetup.exe; one
# release with the host checks only writes a dist/ whose sums check out, whose
# build-info.txt holds every field in order, and whose program verifies against the
# certificate. The PIN shows in no output, and on no command line and in no environment of
# the programs that sign.
#   release_test.sh SOURCE-FOLDER WORK-FOLDER
set -uo pipefail
if [ -n "${BRX_RELEASE_RUNNING:-}" ]; then
  echo "skipped: a release runs this suite, and makes no release within itself"
  exit 77
fi
source=$(cd "$1" && pwd)
rm -rf "$2"
mkdir -p "$2/shim"
work=$(cd "$2" && pwd)
clone=$work/clone
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

export SOFTHSM2_CONF=$work/softhsm2.conf
mkdir -p "$work/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\nlog.level = ERROR\n' "$work/tokens" >"$SOFTHSM2_CONF"
pin=brx-pin-4711
printf '%s\n' "$pin" >"$work/pin"
printf 'wrong-%s\n' "$pin" >"$work/wrong-pin"
module=$(dpkg -L libsofthsm2 2>/dev/null | grep -m1 '/libsofthsm2\.so$')
usage=(-addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning)
# Besides the token's own certificate: one of another key, and one issued by a CA that the
# chain leaves out.
if ! (cd "$work" &&
      softhsm2-util --init-token --free --label brindlex-test --pin "$pin" --so-pin 87654321 &&
      openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Brindlex release test" "${usage[@]}" \
        -keyout key.pem -out signer.pem &&
      openssl pkcs8 -topk8 -nocrypt -in key.pem -out key.p8 &&
      softhsm2-util --import key.p8 --token brindlex-test --label signer --id 01 --pin "$pin" &&
      openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Someone else" "${usage[@]}" \
        -keyout other.key -out other.pem &&
      openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Brindlex test CA" -keyout ca.key -out ca.pem &&
      openssl req -new -key key.pem -subj "/CN=Brindlex release test" -out leaf.csr &&
      openssl x509 -req -in leaf.csr -CA ca.pem -CAkey ca.key -days 2 -out leaf.pem \
        -extfile <(printf 'keyUsage=critical,digitalSignature\nextendedKeyUsage=codeSigning\n')) >"$work/token.log" 2>&1
then
  echo "FAIL: cannot make the test token and certificates (softhsm2, openssl); log $work/token.log"
  exit 1
fi

# The programs that sign log their command lines and environments on the way.
for tool in osslsigncode openssl; do
  printf '#!/bin/sh\n{ echo "$0 $*"; env; } >>%s/signers.log\nexec %s "$@"\n' "$work" "$(command -v $tool)" \
    >"$work/shim/$tool"
  chmod +x "$work/shim/$tool"
done

# The clone holds the tree as it is: HEAD, with any uncommitted change committed on top.
git clone -q "$source" "$clone" || { echo "FAIL: cannot clone $source"; exit 1; }
if [ -n "$(git -C "$source" status --porcelain)" ]; then
  . "$source/tests/release/working_tree.sh"
  (cd "$clone" && git ls-files -z | xargs -0 rm -f)
  release_copy_working_tree "$source" "$clone"
  git -C "$clone" add -A && git -C "$clone" -c user.name=test -c user.email=test@invalid commit -qm "working tree"
fi
ln -sfn "$(readlink -f "$source/third_party")" "$clone/third_party"

key="--pkcs11-module $module --key pkcs11:token=brindlex-test;object=signer"
good="$key --certs $work/signer.pem --pass-file $work/pin"
# what | the words of the one line | what runs release.sh (after its environment) | its arguments
refusals=(
  "a dirty tree|uncommitted changes or untracked files: stray.txt||$good --no-timestamp"
  "no time-stamp choice|choose the time stamp||$good"
  "a PIN in the URI|holds a pin-value||$key;pin-value=$pin --certs $work/signer.pem --no-timestamp"
  "a missing module|no PKCS#11 module $work/none.so||--pkcs11-module $work/none.so --key pkcs11:token=brindlex-test;object=signer --certs $work/signer.pem --pass-file $work/pin --no-timestamp"
  "a missing certificate|no certificate chain $work/none.pem||$key --certs $work/none.pem --pass-file $work/pin --no-timestamp"
  "a wrong PIN|wrong PIN or password||$key --certs $work/signer.pem --pass-file $work/wrong-pin --no-timestamp"
  "no PIN and no terminal|no terminal to ask on|setsid|$key --certs $work/signer.pem --no-timestamp"
  "a dead time-stamp server|time-stamp server http://127.0.0.1:9 does not answer||$good --timestamp http://127.0.0.1:9"
  "a certificate of another key|certificate does not match the key||$key --certs $work/other.pem --pass-file $work/pin --no-timestamp"
  "a chain without its issuer|signature does not verify||$key --certs $work/leaf.pem --pass-file $work/pin --no-timestamp"
  "a host without 32-bit code|cannot run 32-bit x86 code|BRX_HOST_X86= BRX_X86_LOADER=/bin/false|$good --no-timestamp"
)
for refusal in "${refusals[@]}"; do
  IFS='|' read -r what words runner arguments <<<"$refusal"
  mkdir -p "$clone/dist"
  echo "an earlier release" >"$clone/dist/BrindlexSetup.exe"
  [ "$what" != "a dirty tree" ] || touch "$clone/stray.txt"
  # shellcheck disable=SC2086 # the table's fields are lists of words
  (cd "$clone" && env PATH="$work/shim:$PATH" BRX_RELEASE_TESTS=host $runner bash scripts/release.sh $arguments \
     >"$work/out.log" 2>"$work/err.log" </dev/null)
  rc=$?
  rm -f "$clone/stray.txt"
  [ "$rc" -ne 0 ] || fail "$what: release.sh succeeded"
  [ "$(wc -l <"$work/err.log")" -eq 1 ] && grep -qF "$words" "$work/err.log" ||
    fail "$what: not the one line with \"$words\" but: $(cat "$work/err.log")"
  [ ! -e "$clone/dist/BrindlexSetup.exe" ] || fail "$what: dist/BrindlexSetup.exe is left"
  [ "$what" = "a PIN in the URI" ] || ! grep -qF "$pin" "$work/out.log" "$work/err.log" || fail "$what: the PIN is in the output"
  echo "refused, $what: $(cat "$work/err.log")"
done

# The release, its PIN from BRX_SIGN_PASS, the process list sampled while it runs.
rm -f "$work/signers.log"
start=$SECONDS
(cd "$clone" && PATH="$work/shim:$PATH" BRX_RELEASE_TESTS=host BRX_SIGN_PASS=$pin \
   bash scripts/release.sh $key --certs "$work/signer.pem" --no-timestamp >"$work/release.log" 2>&1 </dev/null) &
release=$!
while kill -0 $release 2>/dev/null; do
  ps -eo args >>"$work/processes.log"
  sleep 0.2
done
wait $release || fail "the release failed: $(tail -n 3 "$work/release.log")"
echo "release with the host checks: $((SECONDS - start)) s; its output:"
sed 's/^/  /' "$work/release.log"
grep -q osslsigncode "$work/signers.log" || fail "osslsigncode was never run"
grep -lF "$pin" "$work/release.log" "$work/signers.log" "$work/processes.log" | sed 's/^/FAIL: the PIN is in /'
grep -qF "$pin" "$work/release.log" "$work/signers.log" "$work/processes.log" && failures=$((failures + 1))

dist=$clone/dist
info=$dist/build-info.txt
(cd "$dist" && sha256sum -c --quiet SHA256SUMS) || fail "dist/SHA256SUMS does not check out"
[ "$(cd "$dist" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort)" = "$(cut -c67- "$dist/SHA256SUMS")" ] ||
  fail "dist/SHA256SUMS does not list every file of dist/"
[ ! -e "$dist/payload" ] || fail "dist/payload exists for the demo payload"
order=$(sed 's/: .*//' "$info" | uniq | paste -sd ' ')
[ "$order" = "commit package source payload payload-signed certificate-subject certificate-sha256 timestamp tests" ] ||
  fail "build-info.txt's fields: $order"
for line in "commit: $(git -C "$clone" rev-parse HEAD)" "payload: demo" "payload-signed: no" \
            "certificate-subject: CN=Brindlex release test" \
            "certificate-sha256: $(openssl x509 -in "$work/signer.pem" -outform DER | sha256sum | cut -c1-64)" \
            "timestamp: none" "tests: host-only" "package: osslsigncode $(dpkg-query -W -f='${Version}' osslsigncode)"; do
  grep -qxF "$line" "$info" || fail "build-info.txt lacks \"$line\""
done
[ "$(grep '^package: ' "$info" | tail -n 1 | cut -d' ' -f2)" = osslsigncode ] || fail "osslsigncode is not the last package"
for package in g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev cmake make mawk; do
  grep -qxF "package: $package $(dpkg-query -W -f='${Version}' $package)" "$info" || fail "build-info.txt lacks $package"
done
grep -qE '^source: libpng1\.6 [^ ]+ [0-9a-f]{64}$' "$info" && grep -qE '^source: zlib [^ ]+ [0-9a-f]{64}$' "$info" ||
  fail "build-info.txt's source lines: $(grep '^source' "$info")"
osslsigncode verify -CAfile "$work/signer.pem" -in "$dist/BrindlexSetup.exe" >"$work/verify.log" 2>&1 &&
  grep -q 'Text description: Brindlex$' "$work/verify.log" || fail "dist/BrindlexSetup.exe does not verify; log $work/verify.log"
osslsigncode remove-signature -in "$dist/BrindlexSetup.exe" -out "$work/unsigned-again.exe" >/dev/null 2>&1 &&
  cmp -s "$work/unsigned-again.exe" "$dist/BrindlexSetup-unsigned.exe" ||
  fail "dist/BrindlexSetup.exe is not dist/BrindlexSetup-unsigned.exe with a signature"

[ "$failures" -eq 0 ] || { echo "$failures failures; the clone is kept in $clone"; exit 1; }
rm -rf "$clone"
echo "all refusals and the release passed"
