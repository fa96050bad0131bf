# The signing options of scripts/sign.sh and scripts/release.sh, the reading of the PIN or
# password, and the signing and checking of one file with osslsigncode. Source this file.
#
#   (--pfx FILE | --pkcs11-module MODULE.so --key PKCS11-URI --certs CHAIN.pem)
#   [--pass-file FILE] (--timestamp URL | --no-timestamp) [--description TEXT] [--url URL]
#
# The PIN or password is held in a shell variable that is never exported: it reaches
# osslsigncode and openssl through a pipe (-readpass /dev/fd/N), never a command line, a
# file or the environment. Every failure is one line on standard error, starting "sign: ".

sign_pfx="" sign_module="" sign_key="" sign_certs="" sign_pass_file=""
sign_timestamp="" sign_description=Brindlex sign_url=""
sign_rest=()
sign_pass="" sign_engine="" sign_engine_option=()

brx_sign_fail() { echo "sign: $*" >&2; exit 1; }

# brx_sign_engine_option ENGINE OPENSSL-ENGINES-FOLDER: the osslsigncode option that loads
# OpenSSL's PKCS#11 engine ENGINE, into sign_engine_option. The engine in OpenSSL's own folder
# is left to osslsigncode, which loads it by its name: osslsigncode 2.5 (Debian 12's) takes a
# path given with -pkcs11engine for the engine's name, and then cannot load it.
brx_sign_engine_option() {
  sign_engine_option=(-pkcs11engine "$1")
  [ "$(readlink -f "$1")" != "$(readlink -f "${2%/}/pkcs11.so")" ] || sign_engine_option=()
}

# brx_sign_parse_args ARG...: the signing options into sign_*, everything else (in order)
# into sign_rest for the caller to take or refuse.
brx_sign_parse_args() {
  sign_rest=()
  while [ $# -gt 0 ]; do
    case $1 in
      --pfx | --pkcs11-module | --key | --certs | --pass-file | --timestamp | --description | --url)
        [ $# -ge 2 ] || brx_sign_fail "$1 needs a value"
        case $1 in
          --pfx) sign_pfx=$2 ;;
          --pkcs11-module) sign_module=$2 ;;
          --key) sign_key=$2 ;;
          --certs) sign_certs=$2 ;;
          --pass-file) sign_pass_file=$2 ;;
          --timestamp)
            [ -n "$2" ] || brx_sign_fail "--timestamp needs the time-stamp server's URL"
            sign_timestamp=$2 ;;
          --description) sign_description=$2 ;;
          --url) sign_url=$2 ;;
        esac
        shift 2 ;;
      --no-timestamp) sign_timestamp=none; shift ;;
      *) sign_rest+=("$1"); shift ;;
    esac
  done
}

# brx_sign_check_args: the key is given one way, completely, the time stamp is chosen, and
# every file named exists. Refuses a PKCS#11 URI that holds the PIN.
brx_sign_check_args() {
  if [ -n "$sign_pfx" ]; then
    [ -z "$sign_module$sign_key$sign_certs" ] ||
      brx_sign_fail "give either --pfx or --pkcs11-module, --key and --certs, not both"
    [ -f "$sign_pfx" ] || brx_sign_fail "no certificate file $sign_pfx (--pfx)"
  else
    [ -n "$sign_module" ] && [ -n "$sign_key" ] && [ -n "$sign_certs" ] ||
      brx_sign_fail "the key: --pfx FILE, or all of --pkcs11-module MODULE.so, --key PKCS11-URI and --certs CHAIN.pem"
    case ${sign_key,,} in
      *pin-value*) brx_sign_fail "the PKCS#11 URI holds a pin-value: give the PIN with --pass-file, BRX_SIGN_PASS or at the prompt, never on the command line" ;;
      pkcs11:*) ;;
      *) brx_sign_fail "--key takes a PKCS#11 URI such as 'pkcs11:token=NAME;object=LABEL', not $sign_key" ;;
    esac
    [ -f "$sign_module" ] || brx_sign_fail "no PKCS#11 module $sign_module (--pkcs11-module)"
    [ -f "$sign_certs" ] || brx_sign_fail "no certificate chain $sign_certs (--certs)"
    grep -q -- '-----BEGIN CERTIFICATE-----' "$sign_certs" ||
      brx_sign_fail "$sign_certs holds no PEM certificate (--certs)"
    # OpenSSL's PKCS#11 engine, from its package, or where Debian puts it.
    sign_engine=$(dpkg -L libengine-pkcs11-openssl 2>/dev/null | grep -m1 '/engines-[0-9]*/pkcs11\.so$' || true)
    [ -n "$sign_engine" ] || sign_engine=/usr/lib/x86_64-linux-gnu/engines-3/pkcs11.so
    [ -f "$sign_engine" ] ||
      brx_sign_fail "OpenSSL's PKCS#11 engine is missing (libengine-pkcs11-openssl: run scripts/bootstrap.sh)"
  fi
  [ -z "$sign_pass_file" ] || [ -r "$sign_pass_file" ] || brx_sign_fail "cannot read the PIN or password file $sign_pass_file (--pass-file)"
  [ -n "$sign_timestamp" ] ||
    brx_sign_fail "choose the time stamp: --timestamp URL of an RFC 3161 server, or --no-timestamp (a signature without one ends with the certificate)"
  command -v osslsigncode >/dev/null || brx_sign_fail "osslsigncode is missing (run scripts/bootstrap.sh)"
  command -v openssl >/dev/null || brx_sign_fail "openssl is missing (run scripts/bootstrap.sh)"
  [ -z "$sign_engine" ] ||
    brx_sign_engine_option "$sign_engine" "$(openssl version -e | sed 's/^ENGINESDIR: "//; s/"$//')"
}

# brx_sign_read_pass: sign_pass from the first line of --pass-file, else from BRX_SIGN_PASS
# (taken into sign_env_pass and unset by the script's first line, before any child process
# starts), else from the terminal without echo. With none of them it stops.
brx_sign_read_pass() {
  if [ -n "$sign_pass_file" ]; then
    IFS= read -r sign_pass <"$sign_pass_file" || [ -n "$sign_pass" ] ||
      brx_sign_fail "the PIN or password file $sign_pass_file is empty"
    sign_pass=${sign_pass%$'\r'}
  elif [ -n "${sign_env_pass_given:-}" ]; then
    sign_pass=$sign_env_pass
  elif { : </dev/tty; } 2>/dev/null; then
    local what=password
    [ -n "$sign_pfx" ] || what="PIN of the token"
    IFS= read -r -s -p "The $what: " sign_pass </dev/tty || true
    echo >/dev/tty
  else
    brx_sign_fail "no PIN or password: no terminal to ask on; give --pass-file FILE or set BRX_SIGN_PASS"
  fi
}

# The one line that says why osslsigncode failed, from its log $1.
brx_sign_reason() {
  local log=$1
  if grep -qi 'PIN incorrect\|PIN_LEN_RANGE\|mac verify failure\|Wrong password' "$log"; then
    echo "wrong PIN or password"
  elif grep -q 'PIN locked' "$log"; then
    echo "the token's PIN is locked"
  elif grep -q 'Unable to load module' "$log"; then
    echo "the PKCS#11 module $sign_module cannot be loaded"
  elif grep -q 'object not found\|private key was not found\|No slot\|cannot find token' "$log"; then
    echo "no private key at $sign_key on the token"
  elif grep -q 'consistency of a private key\|key values mismatch' "$log"; then
    echo "the certificate does not match the key"
  elif grep -q 'HTTP failure\|imestamping failed\|Failed to get data' "$log"; then
    echo "the time-stamp server $sign_timestamp does not answer, or refused the request"
  elif grep -q 'Failed to read certificate\|Failed to parse PKCS#12' "$log"; then
    echo "cannot read the certificates of ${sign_certs:-$sign_pfx}"
  else
    echo "osslsigncode failed: $(grep -v '^[[:space:]]*$' "$log" | grep -v '^Engine\|^Failed$' | head -n1)"
  fi
}

# brx_sign_file IN OUT WORK: signs IN into OUT (written under a temporary name, moved into
# place only once the signature verifies); WORK is a folder for the logs. IN is not changed.
brx_sign_file() {
  local in=$1 out=$2 work=$3 key=() extra=()
  if [ -n "$sign_pfx" ]; then
    key=(-pkcs12 "$sign_pfx")
  else
    key=("${sign_engine_option[@]}" -pkcs11module "$sign_module" -key "$sign_key" -certs "$sign_certs")
  fi
  [ "$sign_timestamp" = none ] || extra+=(-ts "$sign_timestamp")
  [ -z "$sign_url" ] || extra+=(-i "$sign_url")
  local partial=$out.partial
  rm -f "$partial"
  if ! osslsigncode sign "${key[@]}" -readpass <(printf '%s' "$sign_pass") -h sha256 -n "$sign_description" \
       "${extra[@]}" -in "$in" -out "$partial" >"$work/sign.log" 2>&1; then
    rm -f "$partial"
    brx_sign_fail "$(brx_sign_reason "$work/sign.log") (signing $in; log $work/sign.log)"
  fi
  if ! brx_sign_verify "$partial" "$work"; then
    rm -f "$partial"
    brx_sign_fail "the signature does not verify: $(brx_sign_verify_reason "$work/verify.log") (signing $in; log $work/verify.log)"
  fi
  chmod --reference="$in" "$partial"
  mv -f "$partial" "$out"
}

# The one line that says why a signature does not verify, from osslsigncode's log $1.
brx_sign_verify_reason() {
  grep -m1 '^the time stamp ' "$1" || grep -o -m1 'Verify error: .*\|^cannot read .*' "$1" ||
    grep -m1 -i 'error\|failed' "$1" || echo "see the log"
}

# The certificates a signature is checked against: the --certs chain or the .pfx's, with
# the host's trusted roots for a chain that stops below its root.
brx_sign_trust_file() {
  local trust=$1
  if [ -n "$sign_pfx" ]; then
    openssl pkcs12 -in "$sign_pfx" -nokeys -passin fd:3 -out "$trust" 3< <(printf '%s\n' "$sign_pass") 2>/dev/null ||
      openssl pkcs12 -legacy -in "$sign_pfx" -nokeys -passin fd:3 -out "$trust" 3< <(printf '%s\n' "$sign_pass") 2>/dev/null ||
      return 1
  else
    cp "$sign_certs" "$trust"
  fi
  [ ! -f /etc/ssl/certs/ca-certificates.crt ] || cat /etc/ssl/certs/ca-certificates.crt >>"$trust"
}

# brx_sign_verify FILE WORK: osslsigncode verify against the trusted certificates, and
# against the time-stamp authority's chain (BRX_TSA_CAFILE, else the host's trusted roots)
# when stamped; the log in WORK/verify.log.
brx_sign_verify() {
  local file=$1 work=$2 tsa=()
  brx_sign_trust_file "$work/trusted.pem" || { echo "cannot read the certificates of $sign_pfx" >"$work/verify.log"; return 1; }
  [ "$sign_timestamp" = none ] || tsa=(-TSA-CAfile "${BRX_TSA_CAFILE:-/etc/ssl/certs/ca-certificates.crt}")
  osslsigncode verify -CAfile "$work/trusted.pem" "${tsa[@]}" -in "$file" >"$work/verify.log" 2>&1 &&
    grep -q '^Signature verification: ok' "$work/verify.log" || return 1
  # osslsigncode reports success even when the time stamp's own chain fails.
  [ "$sign_timestamp" = none ] || grep -q '^Timestamp Server Signature verification: ok' "$work/verify.log" || {
    local against="the host's trusted roots"
    [ -z "${BRX_TSA_CAFILE:-}" ] || against=$BRX_TSA_CAFILE
    echo "the time stamp of $sign_timestamp does not verify against $against (BRX_TSA_CAFILE names the authority's chain)" >>"$work/verify.log"
    return 1
  }
}
