# Wine prefixes set to a screen density, for running the programs as on a display of 120,
# 144 or 192 pixels per inch. Source after scripts/wine-env.sh; it defines functions and
# exports nothing until they are called.

# brx_density_env BUILD DPI: the Wine environment of build folder BUILD with a prefix of its
# own for that density, and a virtual screen large enough for the wizard at it (the
# wizard's window at 192 pixels per inch does not fit on 1024x768).
brx_density_env() {
  export BRX_WINEPREFIX=$1/wineprefix-dpi-$2
  if [ "$2" -gt 96 ]; then export BRX_SCREEN=2048x1536; else unset BRX_SCREEN; fi
  brx_wine_env "$1"
}

# brx_density_prefix DPI: makes the prefix of brx_density_env once and sets its density,
# which Wine reads when a program starts.
brx_density_prefix() {
  brx_wine_prefix
  local ready="$WINEPREFIX/.brindlex-dpi"
  [ "$(cat "$ready" 2>/dev/null)" = "$1" ] && return 0
  brx_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
  echo "$1" >"$ready"
}
