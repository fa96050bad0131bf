# Reading scenario lines and Windows paths from bash. Sourced by run-scenario.sh.

# Splits one scenario line into the array WORDS: blank-separated words, double-quoted texts
# kept whole (backslashes are themselves). Returns 1 on an unterminated quote.
split_words() {
  local line=$1 word
  WORDS=()
  while :; do
    line="${line#"${line%%[![:space:]]*}"}"
    [ -z "$line" ] && return 0
    if [ "${line:0:1}" = '"' ]; then
      line=${line:1}
      case $line in *'"'*) ;; *) return 1 ;; esac
      word=${line%%\"*}
      line=${line#*\"}
    else
      word=${line%%[[:space:]]*}
      line=${line#"$word"}
    fi
    WORDS+=("$word")
  done
}

# The Linux path of a Windows path in the current prefix, through its drive links:
#   unix_path 'C:\Program Files\Brindlex\'  ->  .../drive_c/Program Files/Brindlex/
unix_path() {
  local drive=${1:0:2} rest=${1:2} target
  drive=${drive,,}
  target=$(readlink -f "$WINEPREFIX/dosdevices/$drive") || return 1
  rest=${rest//\\//}
  echo "${target%/}$rest"
}

# The Windows path (through drive Z:) of a Linux path.
windows_path() {
  local path
  path=$(readlink -m "$1")
  echo "Z:${path//\//\\}"
}
