# Windows paths from bash. Sourced by run-scenario.sh.

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
