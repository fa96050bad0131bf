#!/usr/bin/env bash
# Signs a program with Authenticode (SHA-256), checks the signature, and writes the signed
# copy:
#   scripts/sign.sh (--pfx F | --pkcs11-module M --key URI --certs C) [--pass-file F]
#                   (--timestamp URL | --no-timestamp) [--description T] [--url U] IN OUT
# The key is a .pfx file, or a key on a hardware token or an HSM reached through its
# PKCS#11 module (SoftHSM's works the same way), with the certificate chain in PEM. The PIN
# or password comes from --pass-file (its first line), else BRX_SIGN_PASS, else the
# terminal (scripts/signing.sh). With --timestamp, an RFC 3161 time-stamp server
# countersigns, so the signature stays valid after the certificate expires. The description
# is "Brindlex" unless --description says otherwise; --url is the signature's link.
# IN is never changed: the unsigned program stays the one a rebuild reproduces. OUT appears
# only once its signature verifies (against the chain or the .pfx's certificates).
sign_env_pass=${BRX_SIGN_PASS-} sign_env_pass_given=${BRX_SIGN_PASS+1}; unset BRX_SIGN_PASS
set -euo pipefail
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/signing.sh"
usage() {
  echo "usage: scripts/sign.sh (--pfx F | --pkcs11-module M --key URI --certs C) [--pass-file F]" \
    "(--timestamp URL | --no-timestamp) [--description T] [--url U] IN OUT" >&2
  exit 2
}

brx_sign_parse_args "$@"
[ ${#sign_rest[@]} -eq 2 ] || usage
case ${sign_rest[0]}${sign_rest[1]} in -*) usage ;; esac
in=${sign_rest[0]}
out=${sign_rest[1]}
brx_sign_check_args
[ -f "$in" ] || brx_sign_fail "no program $in"
if [ "$(readlink -f "$out")" = "$(readlink -f "$in")" ]; then
  brx_sign_fail "OUT must differ from IN: the unsigned program is kept as it is"
fi
brx_sign_read_pass

work=$(mktemp -d "${TMPDIR:-/tmp}/brindlex-sign.XXXXXX")
trap 'rm -rf "$work"; rm -f "$out.partial"' EXIT
# A failure keeps its logs beside OUT, for the line that names them.
keep_logs() { mkdir -p "$out.logs" && cp "$work"/*.log "$out.logs/" 2>/dev/null; }
brx_sign_fail() {
  keep_logs || true
  echo "sign: ${*//"$work"/"$out.logs"}" >&2
  exit 1
}
brx_sign_file "$in" "$out" "$work"
rm -rf "$out.logs"
stamp="without a time stamp"
[ "$sign_timestamp" = none ] || stamp="time-stamped by $sign_timestamp"
echo "signed and verified ($stamp): $out"
