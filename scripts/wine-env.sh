# Shared by the scripts that run Windows programs: the build's private Wine prefix,
# the environment Wine needs for Windows-1251 text, and a virtual display.
# Source it; it defines functions and exports nothing until they are called.
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The build folder that holds a program: the nearest folder above it with a CMakeCache.txt.
brx_build_dir_of() {
  local d
  d=$(cd "$(dirname "$1")" 2>/dev/null && pwd) || return 1
  while [ "$d" != "/" ]; do
    [ -f "$d/CMakeCache.txt" ] && { echo "$d"; return 0; }
    d=$(dirname "$d")
  done
  return 1
}

# Exports the Wine environment of the build folder that holds program $1 and makes its
# prefix when missing (brx_wine_env, brx_wine_prefix).
brx_wine_prefix_of() {
  local build
  build=$(brx_build_dir_of "$1") || { echo "no build folder above $1" >&2; return 1; }
  brx_wine_env "$build"
  brx_wine_prefix
}

# The processor a build folder's programs are made for: x64 for the twin, x86 otherwise.
brx_build_arch() {
  if grep -qx 'BRX_ARCH:INTERNAL=x64' "$1/CMakeCache.txt" 2>/dev/null; then echo x64; else echo x86; fi
}

# Runs a Wine program (a .exe, or one of Wine's own: wineboot, reg, regedit, cmd, winepath)
# with the loader of the environment brx_wine_env exported. Debian's wine, wineboot and
# winepath commands always start the 32-bit loader when the 32-bit Wine is installed, so
# the twin's programs are started through the 64-bit loader itself.
# A failure is reported at the line that called it.
brx_wine() { "${BRX_WINE:-wine}" "$@" || return; }

# Exports the Wine environment for the prefix under build folder $1: a 32-bit prefix for the
# product's build, a 64-bit one for the twin's.
brx_wine_env() {
  export WINEPREFIX=${BRX_WINEPREFIX:-$1/wineprefix}
  brx_wine_template_env "$1"
  if [ "$(brx_build_arch "$1")" = x64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 BRX_WINE=/usr/lib/wine/wine64
  else
    export WINEARCH=win32 BRX_WINE=wine
    unset WINELOADER
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  # The ANSI code page follows LC_ALL; ru_RU.UTF-8 gives Windows-1251.
  export LC_ALL=ru_RU.UTF-8
  # No Mono or Gecko prompts, and no shortcuts leaking into the Linux desktop.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winemenubuilder.exe=d"}
}

# Exports BRX_WINE_TEMPLATE, the prefix that Wine itself makes once per build folder and
# that every other prefix of the build starts as a copy of.
brx_wine_template_env() { export BRX_WINE_TEMPLATE=${BRX_WINE_TEMPLATE_DIR:-$1}/wineprefix-template; }

# The prefixes' ready marker: raised whenever their set-up changes, so that prefixes made
# before are made again.
BRX_PREFIX_READY=.brindlex-ready-4

# Wine's own TrueType faces: Debian's Wine looks for them in a folder the package does not
# fill, so the template gets the one the title bars need (Marlett draws the minimise,
# maximise and close symbols; without it they come out as "0", "1" and "r").
brx_wine_fonts_dir() {
  local dir
  for dir in ${BRX_WINE_FONTS:-} /usr/share/wine/fonts /usr/local/share/wine/fonts /opt/wine/share/wine/fonts; do
    [ -f "$dir/marlett.ttf" ] && { echo "$dir"; return 0; }
  done
  return 1
}

# Makes the template once (about 15 s): Wine's own set-up and the settings every prefix
# shares. Its output goes to the template's log, which a failure names.
brx_wine_template() {
  local ready="$BRX_WINE_TEMPLATE/$BRX_PREFIX_READY"
  [ -f "$ready" ] && return 0
  mkdir -p "$(dirname "$BRX_WINE_TEMPLATE")"
  local BRX_LOG=$BRX_WINE_TEMPLATE.log fonts
  (
    set -e
    flock 9
    [ -f "$ready" ] && exit 0
    rm -rf "$BRX_WINE_TEMPLATE"
    export WINEPREFIX=$BRX_WINE_TEMPLATE
    : >"$BRX_LOG"
    brx_wine wineboot -i >>"$BRX_LOG" 2>&1
    # Without a window manager Wine draws title bars itself only for unmanaged windows.
    brx_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$BRX_LOG" 2>&1
    brx_wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >>"$BRX_LOG" 2>&1
    # The wizard's faces, drawn with their metric-compatible free twins.
    brx_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >>"$BRX_LOG" 2>&1
    brx_wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f \
      >>"$BRX_LOG" 2>&1
    fonts=$(brx_wine_fonts_dir) || { echo "Wine's marlett.ttf is missing (package fonts-wine)" >&2; exit 1; }
    cp "$fonts/marlett.ttf" "$BRX_WINE_TEMPLATE/drive_c/windows/Fonts/"
    wineserver -k >>"$BRX_LOG" 2>&1 || true  # the server may have ended already
    wineserver -w
    touch "$ready"
  ) 9>"$BRX_WINE_TEMPLATE.lock"
}

# Creates the prefix once, as a copy of the build's template; later calls return at once.
# Safe in parallel. Wine's system folders (over 500 MB a prefix, 1.2 GB for a 64-bit one)
# are hard links to the template's: nothing writes into them after Wine's set-up. Everything
# else is a copy of its own.
brx_wine_prefix() {
  local ready="$WINEPREFIX/$BRX_PREFIX_READY"
  [ -f "$ready" ] && return 0
  brx_wine_template || return 1
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    set -e
    flock 9
    [ -f "$ready" ] && exit 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    local shared=(drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs) folder
    tar -C "$BRX_WINE_TEMPLATE" "${shared[@]/#/--exclude=./}" --exclude="./$BRX_PREFIX_READY" -cf - . |
      tar -C "$WINEPREFIX" -xf -
    for folder in "${shared[@]}"; do
      if [ -d "$BRX_WINE_TEMPLATE/$folder" ]; then cp -al "$BRX_WINE_TEMPLATE/$folder" "$WINEPREFIX/$folder"; fi
    done
    touch "$ready"
  ) 9>"$WINEPREFIX.lock"
}

# Starts a virtual display when there is none, of BRX_SCREEN pixels (default 1024x768);
# sets BRX_XVFB_PID to stop it later. The X server chooses the display number itself: the
# first one whose sockets it can take. That also skips displays held by servers that leave
# no lock file here (in another root or container sharing the network, only X's abstract
# socket shows them), and two servers started at once never take the same one. Fails with a
# message, and the server's own words, when no display starts.
brx_display() {
  BRX_XVFB_PID=""
  [ -n "${DISPLAY:-}" ] && return 0
  local file number="" i
  file=$(mktemp "${TMPDIR:-/tmp}/brx-xvfb.XXXXXX") || return 1
  : >"$file.display"
  Xvfb -displayfd 3 -screen 0 "${BRX_SCREEN:-1024x768}x24" -nolisten tcp 3>"$file.display" >"$file" 2>&1 &
  BRX_XVFB_PID=$!
  # The number is written once the server accepts clients (at most 20 s).
  for i in $(seq 400); do
    read -r number <"$file.display" || true  # nothing written yet
    [ -n "$number" ] && break
    kill -0 "$BRX_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ -z "$number" ]; then
    kill "$BRX_XVFB_PID" 2>/dev/null || true  # it may have ended by itself
    wait "$BRX_XVFB_PID" 2>/dev/null || true  # its exit code says nothing more than its output
    echo "No virtual display could be started: Xvfb -displayfd gave no display number. Its output:" >&2
    sed 's/^/  /' "$file" | tail -n 15 >&2
    rm -f "$file" "$file.display"
    BRX_XVFB_PID=""
    return 1
  fi
  rm -f "$file" "$file.display"
  export DISPLAY=":$number"
}

brx_display_stop() {
  if [ -n "${BRX_XVFB_PID:-}" ]; then
    kill "$BRX_XVFB_PID" 2>/dev/null || true  # it may have ended already
    wait "$BRX_XVFB_PID" 2>/dev/null || true  # ended by the signal: not a failure
    BRX_XVFB_PID=""
    unset DISPLAY
  fi
}

# A session for a series of programs: the prefix, a display, one Wine server kept alive and
# Wine's own services started with their output going nowhere (started by the first program,
# they would keep its output open and a caller waiting for it would wait until its time-out).
# Each step is checked here, so that scripts without `set -e` (the benchmarks) stop too.
brx_wine_session() {
  brx_wine_prefix || return
  brx_display || return
  wineserver -p || { echo "The Wine server of $WINEPREFIX did not start" >&2; return 1; }
  brx_wine wineboot </dev/null >/dev/null 2>&1 || true
  export BRX_WINESERVER_KEEP=1
}

brx_wine_session_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  brx_display_stop
  unset BRX_WINESERVER_KEEP
}
