#!/usr/bin/env bash
# The parts of the release scripts that decide without a network, a token or a build:
# reading the build record, the updates and security entries made from a machine's apt
# sources, the comparison of two programs outside their signatures, and the option that
# loads OpenSSL's PKCS#11 engine. One table each.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$root/scripts/build-info.sh"

# --- The build record: CASE ## SHELL CODE CHANGING $f ## EXPECTED (ok, or a line of the errors).
sha=$(printf '%064d' 7)
record() {
  cat <<EOR
commit: 0123456789abcdef0123456789abcdef01234567
package: g++-mingw-w64-i686-posix 12.2.0-14+deb12u1+25.2+b1
package: cmake 3.25.1-1
package: osslsigncode 2.9-1~bpo12+1
source: libpng1.6 1.6.39-2+deb12u5 $sha
source: zlib 1:1.2.13.dfsg-1 $sha
payload: demo
payload-signed: no
certificate-subject: CN = Example Signer, O = Example
certificate-sha256: $sha
timestamp: none
tests: full
EOR
}
while IFS= read -r row; do
  name=${row%% ## *} rest=${row#* ## } change=${rest%% ## *} expected=${rest#* ## }
  f=$work/build-info.txt
  record >"$f"
  eval "$change"
  errors=$(brx_read_build_info "$f" 2>&1 >/dev/null)
  status=$?
  if [ "$expected" = ok ]; then
    [ "$status" -eq 0 ] || fail "record, $name: refused: $errors"
  else
    { [ "$status" -ne 0 ] && grep -qxF -- "${expected//@/$f}" <<<"$errors"; } ||
      fail "record, $name: expected the line '${expected//@/$f}', got exit code $status: $errors"
  fi
done <<'EOT'
complete ## : ## ok
Windows line ends ## sed -i 's/$/\r/' "$f" ## ok
no tests line ## sed -i '/^tests:/d' "$f" ## @: no tests line
no zlib source ## sed -i '/^source: zlib/d' "$f" ## @: no source line for zlib
abbreviated commit ## sed -i 's/^commit: .*/commit: 0123abc/' "$f" ## @:1: commit is not a full SHA-1: 0123abc
package without version ## sed -i 's/^package: cmake .*/package: cmake/' "$f" ## @:3: package is not "NAME VERSION": cmake
source without digest ## sed -i 's/^source: zlib .*/source: zlib 1:1.2.13.dfsg-1/' "$f" ## @:6: source is not "NAME VERSION DSC-SHA256": zlib 1:1.2.13.dfsg-1
payload twice ## echo "payload: $sha" >>"$f" ## @:13: payload a second time (first on line 7)
a signed copy of the demo ## sed -i "s/^payload-signed: no/payload-signed: $sha/" "$f" ## @: payload-signed names a signed payload folder, but the payload is the demo
unknown key ## echo "signer: someone" >>"$f" ## @:13: unknown key: signer
no key ## sed -i '2i just words' "$f" ## @:2: not a "key: value" line: just words
EOT
# What a complete record gives the verification.
record >"$work/build-info.txt"
brx_read_build_info "$work/build-info.txt"
got="${BRX_INFO_PACKAGES[2]:-} | ${BRX_INFO_SOURCES[1]:-} | $BRX_INFO_CERT_SUBJECT"
[ "$got" = "osslsigncode=2.9-1~bpo12+1 | zlib 1:1.2.13.dfsg-1 $sha | CN = Example Signer, O = Example" ] ||
  fail "record: read as $got"

# --- The release's updates and security entries: CASE ## FILE=CONTENT (\n for a line
# break; several files apart by " || ") ## "URI SUITES" of each entry printed, apart by "; ".
entries() {
  bash "$root/scripts/debian-deb-src.sh" "$@" 2>"$work/stderr" |
    awk '/^URIs:/ { u = $2 } /^Suites:/ { sub(/^Suites: /, ""); printf "%s%s %s", sep, u, $0; sep = "; " }'
}
while IFS= read -r row; do
  name=${row%% ## *} rest=${row#* ## } files=${rest%% ## *} expected=${rest#* ## }
  etc=$work/etc-$RANDOM && mkdir -p "$etc/sources.list.d"
  while IFS= read -r entry; do
    printf '%b\n' "${entry#*=}" >"$etc/${entry%%=*}"
  done < <(sed 's/ || /\n/g' <<<"$files")
  [ "$expected" = - ] && expected=""
  got=$(entries --deb "$etc" bookworm)
  [ "$got" = "$expected" ] || fail "deb entries, $name: expected '$expected', got '$got' $(cat "$work/stderr")"
done <<'EOT'
the release alone ## sources.list=deb http://mirror.example/debian bookworm main ## http://mirror.example/debian bookworm-updates; http://mirror.example/debian-security bookworm-security
all three suites listed ## sources.list.d/debian.sources=Types: deb\nURIs: http://mirror.example/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\nTypes: deb\nURIs: http://mirror.example/debian-security\nSuites: bookworm-security\nComponents: main ## -
security at its own host ## sources.list=deb http://mirror.example/debian/ bookworm main contrib\ndeb http://security.example/debian-security bookworm-security main ## http://mirror.example/debian/ bookworm-updates
an archive not named debian ## sources.list=deb [arch=amd64] http://mirror.example/archive bookworm main ## http://mirror.example/archive bookworm-updates
two mirrors ## sources.list=deb http://one.example/debian bookworm main\ndeb http://two.example/debian bookworm main ## http://one.example/debian bookworm-updates; http://one.example/debian-security bookworm-security; http://two.example/debian bookworm-updates; http://two.example/debian-security bookworm-security
other vendors and disabled entries ## sources.list=deb [signed-by=/usr/share/keyrings/vendor.gpg] http://vendor.example/apt bookworm main\ndeb http://mirror.example/debian bookworm contrib || sources.list.d/off.sources=Types: deb\nURIs: http://off.example/debian\nSuites: bookworm\nComponents: main\nEnabled: no || sources.list.d/on.sources=Types: deb\nURIs: http://on.example/debian\nSuites: bookworm\nComponents: main ## http://on.example/debian bookworm-updates; http://on.example/debian-security bookworm-security
its own entries written before ## sources.list=deb http://mirror.example/debian bookworm main || sources.list.d/brindlex-release-suites.sources=Types: deb\nURIs: http://mirror.example/debian\nSuites: bookworm-updates\nComponents: main ## http://mirror.example/debian bookworm-updates; http://mirror.example/debian-security bookworm-security
EOT
# The source entries then cover the suites added.
etc=$work/etc-sources
mkdir -p "$etc/sources.list.d"
echo "deb http://mirror.example/debian bookworm main" >"$etc/sources.list"
bash "$root/scripts/debian-deb-src.sh" --deb "$etc" bookworm >"$etc/sources.list.d/brindlex-release-suites.sources"
got=$(entries "$etc" bookworm)
[ "$got" = "http://mirror.example/debian bookworm bookworm-updates; http://mirror.example/debian-security bookworm-security" ] ||
  fail "deb-src entries after the added suites: $got"

# --- Outside the signature: CASE ## SHELL CODE MAKING a.exe AND b.exe ## EXPECTED OUTPUT
# (exit code 0 for "same outside the signature", 1 for a difference, 2 for no PE program).
# A 32-bit program: PE header at 64, optional header at 88, its checksum at 152, the
# security entry at 216; the body a repeating pattern up to SIZE bytes.
program() {
  head -c "$2" /dev/zero | tr '\0' '\141' >"$1"
  poke "$1" 0 115 132; poke "$1" 60 100 0 0 0; poke "$1" 64 120 105 0 0; poke "$1" 88 013 001
  head -c 128 /dev/zero | dd of="$1" bs=1 seek=152 conv=notrunc status=none
}
# poke FILE OFFSET OCTAL-BYTES...
poke() { local f=$1 at=$2; shift 2; printf "$(printf '\\%s' "$@")" | dd of="$f" bs=1 seek="$at" conv=notrunc status=none; }
# signed IN OUT LENGTH CHECKSUM-BYTE: IN padded to 8 bytes, a certificate table of LENGTH
# bytes of CHECKSUM-BYTE appended, the security entry and the checksum set.
signed() {
  local size pad
  cp "$1" "$2"
  size=$(stat -c %s "$2"); pad=$(( (8 - size % 8) % 8 ))
  head -c "$pad" /dev/zero >>"$2"
  head -c "$3" /dev/zero | tr '\0' "\\$4" >>"$2"
  poke "$2" 216 $(printf '%03o %03o %03o %03o %03o %03o %03o %03o' $(( (size + pad) & 255 )) $(( (size + pad) >> 8 & 255 )) 0 0 $(( $3 & 255 )) $(( $3 >> 8 )) 0 0)
  poke "$2" 152 "$4" 001 0 0
}
while IFS= read -r row; do
  name=${row%% ## *} rest=${row#* ## } code=${rest%% ## *} expected=${rest#* ## }
  rm -f "$work"/*.exe
  (cd "$work" && eval "$code")
  got=$(bash "$root/scripts/pe-outside-signature.sh" "$work/a.exe" "$work/b.exe" 2>&1)
  status=$?
  [ "$status: $got" = "${expected//@/$work}" ] || fail "outside the signature, $name: expected '${expected//@/$work}', got '$status: $got'"
done <<'EOT'
two signatures of one program ## program u.exe 1001; signed u.exe a.exe 300 101; signed u.exe b.exe 412 142 ## 0: same outside the signature
signed and unsigned ## program b.exe 1001; signed b.exe a.exe 300 101 ## 0: same outside the signature
PE32+ signed twice ## program u.exe 1024; poke u.exe 88 013 002; cp u.exe a.exe; head -c 64 /dev/zero >>a.exe; poke a.exe 232 0 4 0 0 100 0 0 0; cp u.exe b.exe; printf xxxxxxxx >>b.exe; poke b.exe 232 0 4 0 0 010 0 0 0; poke b.exe 152 377 ## 0: same outside the signature
PE32+ with its security entry elsewhere ## program u.exe 1024; poke u.exe 88 013 002; cp u.exe a.exe; cp u.exe b.exe; poke b.exe 216 001 ## 1: differ outside the signature: first at offset 216 (0xd8)
a byte of the code ## program u.exe 1001; poke u.exe 700 142; signed u.exe a.exe 300 101; program v.exe 1001; signed v.exe b.exe 300 101 ## 1: differ outside the signature: first at offset 700 (0x2bc)
another data directory entry ## program u.exe 1001; signed u.exe a.exe 300 101; cp a.exe b.exe; poke b.exe 208 001 ## 1: differ outside the signature: first at offset 208 (0xd0)
bytes after the table ## program u.exe 1001; signed u.exe a.exe 300 101; cp a.exe b.exe; printf 'tail' >>b.exe ## 1: differ outside the signature: one is a prefix of the other (lengths 1008 and 1012 unsigned)
not a program ## program a.exe 1001; printf 'plain text' >b.exe ## 2: @/b.exe: not a PE program (no MZ header)
a table beyond the end ## program a.exe 1001; signed a.exe b.exe 300 101; truncate -s 1100 b.exe ## 2: @/b.exe: the certificate table (1008, 300 bytes) lies outside the file
EOT

# --- The PKCS#11 engine's option: CASE ## ENGINE ## OPENSSL'S ENGINES FOLDER ## THE OPTION
# (@ for the work folder, - for none). The engines folder holds pkcs11.so, and lib is a
# link to it.
. "$root/scripts/signing.sh"
mkdir -p "$work/engines" "$work/elsewhere"
touch "$work/engines/pkcs11.so" "$work/engines/libpkcs11.so" "$work/elsewhere/pkcs11.so"
ln -sfn "$work/engines" "$work/lib"
while IFS= read -r row; do
  name=${row%% ## *} rest=${row#* ## } engine=${rest%% ## *} rest=${rest#* ## } folder=${rest%% ## *}
  expected=${rest#* ## }
  [ "$expected" = - ] && expected=""
  brx_sign_engine_option "${engine//@/$work}" "${folder//@/$work}"
  got="${sign_engine_option[*]}"
  [ "$got" = "${expected//@/$work}" ] || fail "engine option, $name: expected '${expected//@/$work}', got '$got'"
done <<'EOT'
OpenSSL's own engine ## @/engines/pkcs11.so ## @/engines ## -
the folder with a closing slash ## @/engines/pkcs11.so ## @/engines/ ## -
the folder through a link ## @/lib/pkcs11.so ## @/engines ## -
an engine of another name there ## @/engines/libpkcs11.so ## @/engines ## -pkcs11engine @/engines/libpkcs11.so
an engine in another folder ## @/elsewhere/pkcs11.so ## @/engines ## -pkcs11engine @/elsewhere/pkcs11.so
EOT

[ "$failures" -eq 0 ] && echo "all release verification checks passed"
exit $((failures > 0))
