# Which builds a script makes and runs. Sourced by build.sh, test.sh, run.sh and the
# benchmarks; it defines functions and exports nothing until they are called.
#
# Two builds of the same sources: the product, the 32-bit setup that ships, in
# ${BRX_BUILD:-build}; and the twin, the same program for 64-bit Windows, in its x64/
# folder, which runs and tests the program under 64-bit Wine where 32-bit code cannot run.
# BRX_ARCH=x86 or x64 chooses one of them on any host; by default every build the host can
# run is run.
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# The build folder of a build: brx_build_folder x86|x64 (absolute once it exists).
brx_build_folder() {
  local base=${BRX_BUILD:-build}
  [ "$1" = x64 ] && base=$base/x64
  if [ -d "$base" ]; then (cd "$base" && pwd); else echo "$base"; fi
}

# Configures a build's folder with its toolchain (run from the repository's root):
# brx_configure x86|x64. CMake's output goes to configure.log in the folder (a refused
# payload folder or manifest is one line there). BRX_PAYLOAD_DIR, the folder of the files
# to install, is passed on every time, so that an empty or unset one goes back to the
# stand-in and the demo project.
brx_configure() {
  local build toolchain=cmake/mingw-i686.cmake
  [ "$1" = x64 ] && toolchain=cmake/mingw-x86_64.cmake
  build=$(brx_build_folder "$1")
  mkdir -p "$build"
  build=$(brx_build_folder "$1")
  local BRX_LOG=$build/configure.log
  cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DBRX_PAYLOAD_DIR="${BRX_PAYLOAD_DIR:-}" >"$BRX_LOG" 2>&1
}

# Configures a build folder with its toolchain and builds targets into it, the output going
# to a log in the folder; on failure prints the log's end: brx_build_targets x86|x64 LOG TARGET...
brx_build_targets() {
  local arch=$1 log=$2 build
  shift 2
  build=$(brx_build_folder "$arch")
  brx_configure "$arch" || {
    tail -n 30 "$build/configure.log"
    echo "Configuring $build failed; the whole log: $build/configure.log" >&2
    return 1
  }
  build=$(brx_build_folder "$arch")
  local BRX_LOG=$build/$log
  cmake --build "$build" --target "$@" -j2 >"$BRX_LOG" 2>&1 || {
    tail -n 30 "$BRX_LOG"
    echo "The build of $* failed; the whole log: $BRX_LOG" >&2
    return 1
  }
}

# The probe: can this host run 32-bit x86 code? Answered by starting the 32-bit Wine loader,
# asked once and passed on to every script started later.
brx_host_runs_x86() {
  if [ -z "${BRX_HOST_X86:-}" ]; then
    if "${BRX_X86_LOADER:-/usr/lib/wine/wine}" --version >/dev/null 2>&1; then
      BRX_HOST_X86=yes
    else
      BRX_HOST_X86=no
    fi
    export BRX_HOST_X86
  fi
  [ "$BRX_HOST_X86" = yes ]
}

# Sets BRX_RUN_ARCHES to the builds to run, first the one to prefer, and prints one line
# that says which and why; $1 names what is run ("tests", "the wizard", ...). Fails where
# BRX_ARCH asks for a build this host cannot run.
brx_choose_runs() {
  local what=$1 product twin
  product=$(brx_build_folder x86)
  twin=$(brx_build_folder x64)
  case "${BRX_ARCH:-}" in
    x64)
      BRX_RUN_ARCHES=x64
      echo "Running $what on the 64-bit twin ($twin), as BRX_ARCH=x64 asks."
      ;;
    x86)
      if ! brx_host_runs_x86; then
        echo "BRX_ARCH=x86: this host cannot run 32-bit x86 code (the 32-bit Wine loader does not start); use BRX_ARCH=x64 or leave BRX_ARCH unset." >&2
        return 1
      fi
      BRX_RUN_ARCHES=x86
      echo "Running $what on the 32-bit product ($product), as BRX_ARCH=x86 asks."
      ;;
    "")
      if brx_host_runs_x86; then
        BRX_RUN_ARCHES="x86 x64"
        echo "This host runs 32-bit x86 code: running $what on the 32-bit product ($product), then on the 64-bit twin ($twin)."
      else
        BRX_RUN_ARCHES=x64
        echo "This host runs no 32-bit x86 code (the 32-bit Wine loader does not start): running $what on the 64-bit twin ($twin) under 64-bit Wine."
      fi
      ;;
    *)
      echo "BRX_ARCH must be x86, x64 or unset, not '$BRX_ARCH'." >&2
      return 1
      ;;
  esac
}
