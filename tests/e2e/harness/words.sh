# Reading scenario lines and Windows paths from bash. Sourced by run-scenario.sh.

# Splits one scenario line into the array WORDS, as the driver does: blank-separated words,
# double-quoted texts kept whole, "" inside them for one quote, backslashes themselves.
# Returns 1 on an unterminated quote.
split_words() {
  local line=$1 i=0 n=${#1} c word quoted
  WORDS=()
  while [ "$i" -lt "$n" ]; do
    c=${line:i:1}
    if [[ $c == [[:space:]] ]]; then
      i=$((i + 1))
      continue
    fi
    word=""
    if [ "$c" != '"' ]; then
      while [ "$i" -lt "$n" ] && [[ ${line:i:1} != [[:space:]] ]]; do
        word+=${line:i:1}
        i=$((i + 1))
      done
      WORDS+=("$word")
      continue
    fi
    i=$((i + 1))
    quoted=open
    while [ "$i" -lt "$n" ]; do
      c=${line:i:1}
      i=$((i + 1))
      if [ "$c" = '"' ] && [ "${line:i:1}" = '"' ]; then
        word+='"'
        i=$((i + 1))
      elif [ "$c" = '"' ]; then
        quoted=closed
        break
      else
        word+=$c
      fi
    done
    [ "$quoted" = closed ] || return 1
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
