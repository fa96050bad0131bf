# What scripts/release.sh records of a release: the Debian packages and source packages the
# unsigned program is made from, the signer's certificate, the tests' counts, and the
# payload's rewritten SHA256SUMS. Source this file. A function that fails writes its one
# line of reason where its output would have gone.

release_cxx=i686-w64-mingw32-g++-posix

# The files whose bytes or behaviour reach the unsigned program: the compilers, the
# assembler and linker, the MinGW-w64 runtime, headers and libraries, libgcc and
# libstdc++, CMake, make and awk; the prebuilt zlib only where no zlib source is unpacked.
release_build_files() {
  local tool path
  for tool in $release_cxx i686-w64-mingw32-gcc-posix i686-w64-mingw32-windres cmake make awk; do
    command -v "$tool" || { echo "missing:$tool"; continue; }
  done
  for tool in cc1plus cc1 collect2 as ld ar ranlib; do
    path=$($release_cxx -print-prog-name=$tool)
    [ "${path#/}" != "$path" ] || path=$(command -v "i686-w64-mingw32-$tool" || echo "missing:$tool")
    echo "$path"
  done
  for tool in crt2.o libmingw32.a libmingwex.a libmsvcrt.a libkernel32.a libwinpthread.a libstdc++.a \
              libgcc.a libgcc_eh.a; do
    $release_cxx -print-file-name=$tool
  done
  # Every header the program's own includes reach, at any depth.
  printf '#include <windows.h>\n#include <commctrl.h>\n#include <pthread.h>\n#include <string>\n#include <vector>\n' |
    $release_cxx -x c++ -E -H - 2>&1 >/dev/null | sed -n 's/^\.\+ //p'
  # CMake's own modules (the Windows platform's rules among them) come in a package of their own.
  compgen -G "$(dirname "$(readlink -f "$(command -v cmake)")")/../share/cmake-*/Modules/Platform/Windows-GNU.cmake" ||
    echo "missing:cmake's modules"
  compgen -G "third_party/zlib-*/" >/dev/null || $release_cxx -print-file-name=libz.a
}

# release_record_packages OUT: "package: NAME VERSION" per package owning those files,
# sorted, then osslsigncode, which makes the signature.
release_record_packages() {
  local out=$1 listed files owners missing
  listed=$(release_build_files)
  missing=$(printf '%s\n' "$listed" | sed -n 's/^missing://p' | paste -sd ' ')
  [ -z "$missing" ] || { echo "the build's tools are missing: $missing (run scripts/bootstrap.sh)" >"$out"; return 1; }
  files=$(printf '%s\n' "$listed" | xargs -r -d '\n' readlink -f -- | LC_ALL=C sort -u)
  owners=$(printf '%s\n' "$files" | xargs -d '\n' dpkg -S 2>/dev/null || true)
  # dpkg -S prints "PACKAGE[, PACKAGE...]: PATH"; a file of no package stops the release.
  missing=$(comm -23 <(printf '%s\n' "$files") <(printf '%s\n' "$owners" | sed 's/^[^:]*: //' | LC_ALL=C sort -u) |
            head -n 5 | paste -sd ' ')
  [ -z "$missing" ] ||
    { echo "files of the build that no Debian package installed: $missing (the build could not be repeated elsewhere)" >"$out"; return 1; }
  {
    printf '%s\n' "$owners" | sed 's/: .*//; s/, /\n/g' | sed 's/:.*//' | LC_ALL=C sort -u | grep -vx osslsigncode
    echo osslsigncode
  } | while read -r package; do
    echo "package: $package $(dpkg-query -W -f='${Version}' "$package")"
  done >"$out"
}

# release_record_sources OUT: "source: NAME VERSION DSC-SHA256" for libpng and zlib, from
# the .dsc files the bootstrap's apt-get source left in third_party/.
release_record_sources() {
  local out=$1 name dscs version
  : >"$out"
  for name in libpng1.6 zlib; do
    dscs=$(compgen -G "third_party/${name}_*.dsc" || true)
    if [ -z "$dscs" ] || [ "$(printf '%s\n' "$dscs" | wc -l)" -ne 1 ]; then
      echo "third_party/ holds not one ${name}_*.dsc but: ${dscs:-none} (run scripts/bootstrap.sh)" >"$out"
      return 1
    fi
    version=$(sed -n 's/^Version: //p' "$dscs")
    echo "source: $name $version $(sha256sum <"$dscs" | cut -c1-64)" >>"$out"
  done
}

# A serial number in one form: hexadecimal, upper case, without leading zeros.
release_serial() {
  local serial=${1#0x}
  [[ $1 == 0x* ]] || [[ ! $serial =~ ^[0-9]+$ ]] || serial=$(printf '%X' "$serial")
  serial=$(sed 's/^0*//' <<<"${serial^^}")
  echo "${serial:-0}"
}

# release_certificate_fields SIGNED WORK: the certificate-subject and certificate-sha256
# lines of the signer's certificate, read from the signed file (the certificate whose
# serial number the primary signature names).
release_certificate_fields() {
  local signed=$1 work=$2 wanted cert
  mkdir -p "$work"
  rm -f "$work"/cert-*.pem "$work/signature.pem"
  osslsigncode extract-signature -pem -in "$signed" -out "$work/signature.pem" >/dev/null 2>&1 || return 1
  wanted=$(openssl pkcs7 -in "$work/signature.pem" -print 2>/dev/null |
           awk '/issuer_and_serial:/ { take = 1 } take && $1 == "serial:" && !found { print $2; found = 1 }')
  [ -n "$wanted" ] || return 1
  wanted=$(release_serial "$wanted")
  openssl pkcs7 -in "$work/signature.pem" -print_certs |
    awk -v dir="$work" '/-----BEGIN CERTIFICATE-----/ { n++ } n { print > (dir "/cert-" n ".pem") }'
  for cert in "$work"/cert-*.pem; do
    [ -f "$cert" ] || continue
    [ "$(release_serial "$(openssl x509 -in "$cert" -noout -serial | sed 's/^serial=//')")" = "$wanted" ] || continue
    echo "certificate-subject: $(openssl x509 -in "$cert" -noout -subject -nameopt RFC2253,-esc_msb | sed 's/^subject=//')"
    echo "certificate-sha256: $(openssl x509 -in "$cert" -outform DER | sha256sum | cut -c1-64)"
    return 0
  done
  return 1
}

# release_rewrite_sums FOLDER: the folder's SHA256SUMS written again from its files, in
# the order it listed them, after a file changed.
release_rewrite_sums() {
  local folder=$1 paths=()
  mapfile -t paths < <(sed 's/\r$//; s/^[0-9A-Fa-f]\{64\} [ *]//; s|^\./||' "$folder/SHA256SUMS")
  (cd "$folder" && sha256sum -- "${paths[@]}" >SHA256SUMS.new && mv -f SHA256SUMS.new SHA256SUMS)
}

# release_test_summary LOG: "P of N passed[, S skipped]", or "F of N failed: NAMES", from CTest's log.
release_test_summary() {
  local line failed total names skipped
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1 || true)
  [ -n "$line" ] || { echo "no test ran to the end"; return 0; }
  failed=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  skipped=$(grep -c '^[[:space:]]*[0-9]* - .* (\(Skipped\|Disabled\))$' "$1" || true)
  if [ "$failed" -eq 0 ]; then
    if [ "$skipped" -eq 0 ]; then echo "$total of $total passed"; else echo "$((total - skipped)) of $total passed, $skipped skipped"; fi
  else
    names=$(awk '/^The following tests/ { failed = /FAILED/; next }
                 failed && $2 == "-" { print $3 }' "$1" | paste -sd ' ')
    echo "$failed of $total failed: $names"
  fi
}
