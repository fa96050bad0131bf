# Reads a release's build-info.txt (written by scripts/release.sh): one "key: value" per
# line. Sourced; defines one function and exports nothing.
#   brx_read_build_info FILE
# sets BRX_INFO_COMMIT, BRX_INFO_PACKAGES (one "NAME=VERSION" each), BRX_INFO_SOURCES (one
# "NAME VERSION DSC-SHA256" each), BRX_INFO_PAYLOAD (demo or a SHA-256),
# BRX_INFO_PAYLOAD_SIGNED (no or a SHA-256), BRX_INFO_CERT_SUBJECT, BRX_INFO_CERT_SHA256,
# BRX_INFO_TIMESTAMP and BRX_INFO_TESTS. Every faulty line is named on standard error as
# FILE:LINE: what is wrong, and so is every missing key; then it returns 1.
brx_read_build_info() {
  local file=$1 line key value n=0 bad=0 name version digest extra
  local -A seen=()
  BRX_INFO_PACKAGES=() BRX_INFO_SOURCES=()
  BRX_INFO_COMMIT="" BRX_INFO_PAYLOAD="" BRX_INFO_PAYLOAD_SIGNED="" BRX_INFO_CERT_SUBJECT=""
  BRX_INFO_CERT_SHA256="" BRX_INFO_TIMESTAMP="" BRX_INFO_TESTS=""
  [ -r "$file" ] || { echo "$file: cannot be read" >&2; return 1; }
  local sha='^[0-9a-f]{64}$'
  while IFS= read -r line || [ -n "$line" ]; do
    n=$((n + 1))
    line=${line%$'\r'}
    [ -n "$line" ] || continue
    if [[ ! $line =~ ^([a-z0-9-]+):\ (.+)$ ]]; then
      echo "$file:$n: not a \"key: value\" line: $line" >&2; bad=1; continue
    fi
    key=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]}
    case $key in
      package | source) ;;
      *)
        if [ -n "${seen[$key]:-}" ]; then
          echo "$file:$n: $key a second time (first on line ${seen[$key]})" >&2; bad=1; continue
        fi
        ;;
    esac
    seen[$key]=${seen[$key]:-$n}
    case $key in
      commit)
        [[ $value =~ ^[0-9a-f]{40}$ ]] || { echo "$file:$n: commit is not a full SHA-1: $value" >&2; bad=1; }
        BRX_INFO_COMMIT=$value ;;
      package)
        read -r name version extra <<<"$value"
        if [ -z "$version" ] || [ -n "$extra" ]; then
          echo "$file:$n: package is not \"NAME VERSION\": $value" >&2; bad=1
        else
          BRX_INFO_PACKAGES+=("$name=$version")
        fi ;;
      source)
        read -r name version digest extra <<<"$value"
        if [ -z "$digest" ] || [ -n "$extra" ] || [[ ! $digest =~ $sha ]]; then
          echo "$file:$n: source is not \"NAME VERSION DSC-SHA256\": $value" >&2; bad=1
        else
          BRX_INFO_SOURCES+=("$name $version $digest")
        fi ;;
      payload)
        [[ $value == demo || $value =~ $sha ]] || { echo "$file:$n: payload is neither demo nor a SHA-256: $value" >&2; bad=1; }
        BRX_INFO_PAYLOAD=$value ;;
      payload-signed)
        [[ $value == no || $value =~ $sha ]] || { echo "$file:$n: payload-signed is neither no nor a SHA-256: $value" >&2; bad=1; }
        BRX_INFO_PAYLOAD_SIGNED=$value ;;
      certificate-subject) BRX_INFO_CERT_SUBJECT=$value ;;
      certificate-sha256) BRX_INFO_CERT_SHA256=$value ;;
      timestamp) BRX_INFO_TIMESTAMP=$value ;;
      tests) BRX_INFO_TESTS=$value ;;
      *) echo "$file:$n: unknown key: $key" >&2; bad=1 ;;
    esac
  done <"$file"
  for key in commit package source payload payload-signed certificate-subject \
             certificate-sha256 timestamp tests; do
    [ -n "${seen[$key]:-}" ] || { echo "$file: no $key line" >&2; bad=1; }
  done
  if [ -n "${seen[source]:-}" ]; then
    for name in libpng1.6 zlib; do
      printf '%s\n' "${BRX_INFO_SOURCES[@]}" | grep -q "^$name " ||
        { echo "$file: no source line for $name" >&2; bad=1; }
    done
  fi
  if [ "$BRX_INFO_PAYLOAD" = demo ] && [ -n "$BRX_INFO_PAYLOAD_SIGNED" ] && [ "$BRX_INFO_PAYLOAD_SIGNED" != no ]; then
    echo "$file: payload-signed names a signed payload folder, but the payload is the demo" >&2; bad=1
  fi
  [ "$bad" = 0 ]
}
