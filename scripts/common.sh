# Sourced first by every script of the project (directly, or through builds.sh and
# wine-env.sh): a step that ends a script under `set -e` is reported before the script
# exits, with the command, the file, line and function it stands in, and the log to read.
# A step whose output goes to a log of its own names it in BRX_LOG (declared local in the
# function that runs the step); without one, the step's output is the one printed above.
# Scripts without `set -e` count their failures themselves and are left alone.
# A step that is allowed to fail says so where it runs: `|| true` and the reason.

if [ -z "${BRX_COMMON_SOURCED:-}" ]; then
  BRX_COMMON_SOURCED=1

  # brx_step_failed STATUS COMMAND LINE: the report, on standard error.
  brx_step_failed() {
    local status=$1 command=$2 line=$3
    case $- in *e*) ;; *) return 0 ;; esac
    local file=${BASH_SOURCE[1]:-$0} function=${FUNCNAME[1]:-}
    case $function in main | source) function="" ;; esac
    # A function that returned a failure leaves its own "return N" as the command: the
    # line that called it says more.
    if [[ $command == return* ]] && [ -f "$file" ]; then
      command=$(sed -n "${line}{s/^[[:space:]]*//;p}" "$file")
    fi
    file=${file#"${BRX_ROOT:-}/"}
    # A subshell reports its own failing step, with the log; here only where it ran.
    if [[ $command == "("* ]]; then
      echo "FAILED (exit code $status): the subshell at ${file}:${line}${function:+, function $function}" >&2
      return 0
    fi
    {
      echo "FAILED (exit code $status): $command"
      echo "  in ${file}:${line}${function:+, function $function}, run by ${0##*/}"
      if [ -n "${BRX_LOG:-}" ]; then
        echo "  log to read: $BRX_LOG"
        if [ -s "$BRX_LOG" ]; then
          echo "  its last lines:"
          tail -n 15 "$BRX_LOG" | sed 's/^/    /'
        fi
      else
        echo "  its output, if any, is just above"
      fi
    } >&2
  }

  # The trap holds inside functions, command substitutions and subshells too (errtrace).
  set -E
  trap 'brx_step_failed $? "$BASH_COMMAND" "$LINENO"' ERR
  BRX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fi
