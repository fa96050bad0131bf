# Windows paths from bash. Sourced by run-scenario.sh.

# A scenario's text is Windows-1251; a path of a prepare or check line names a character
# that code page lacks as <U+XXXX> (its code point), given here in UTF-8:
#   with_unicode 'C:\Zubeh<U+00F6>r'  ->  C:\Zubehör
with_unicode() {
  local text=$1 code
  while [[ $text =~ \<U\+([0-9A-Fa-f]{4,6})\> ]]; do
    code=${BASH_REMATCH[1]}
    text=${text//"<U+$code>"/$(printf "\\U$(printf %08x "0x$code")")}
  done
  printf '%s\n' "$text"
}

# The Linux path of a Windows path in the current prefix, through its drive links:
#   unix_path 'C:\Program Files\Brindlex\'  ->  .../drive_c/Program Files/Brindlex/
unix_path() {
  set -- "$(with_unicode "$1")"
  local drive=${1:0:2} rest=${1:2} target
  drive=${drive,,}
  target=$(readlink -f "$WINEPREFIX/dosdevices/$drive") || return 1
  rest=${rest//\\//}
  echo "${target%/}$rest"
}

# The Windows path of a Linux path: through drive C: inside the prefix's drive_c, through
# drive Z: elsewhere.
windows_path() {
  local path drive_c
  path=$(readlink -m "$1")
  drive_c=$(readlink -m "${WINEPREFIX:-/nonexistent}/drive_c")
  case $path in
    "$drive_c"/*) path=${path#"$drive_c"}; echo "C:${path//\//\\}" ;;
    *) echo "Z:${path//\//\\}" ;;
  esac
}
