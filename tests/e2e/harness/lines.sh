# The scenario's prepare and check lines as the driver reads them, and the tables that lead
# each line to the function that runs it. Sourced by run-scenario.sh.

# Asks the driver for the scenario's prepare and check lines (its --harness-lines records:
# place, word count, words, each ended by a NUL byte) and keeps their fields in E2E_FIELDS.
# It runs in the build's own prefix, so the scenario's prefix is untouched until the
# prepare lines run. Returns 1 when the driver cannot read the scenario.
e2e_read_lines() {
  local records=$OUT/harness-lines
  brx_wine_prefix
  if ! brx_wine "$E2E/e2e_driver.exe" --harness-lines "$(windows_path "$SCENARIO")" \
      >"$records" 2>"$OUT/harness-lines.log" </dev/null; then
    grep -a '^FAIL ' "$OUT/harness-lines.log" || cat "$OUT/harness-lines.log"
    return 1
  fi
  mapfile -d '' E2E_FIELDS <"$records"
}

# Runs the scenario's lines whose first word is $1 ("prepare" or "check"), in their order.
# E2E_LINE names the line being run, for the messages of the functions it calls.
e2e_run_lines() {
  local kind=$1 i=0 count
  while [ "$i" -lt "${#E2E_FIELDS[@]}" ]; do
    E2E_LINE=${E2E_FIELDS[i]}
    count=${E2E_FIELDS[i + 1]}
    local words=("${E2E_FIELDS[@]:i + 2:count}")
    i=$((i + 2 + count))
    case ${words[0]} in
      "$kind") "e2e_${kind}_line" "${words[@]:1}" ;;
    esac
  done
}

# True when a line has between $1 and $2 words after its word of kind and name.
e2e_takes() {
  local min=$1 max=$2
  shift 2
  [ "$#" -ge "$min" ] && [ "$#" -le "$max" ] && return 0
  local wanted="$min to $max"
  [ "$min" = "$max" ] && wanted=$min
  e2e_fail "$E2E_LINE: takes $wanted words after its first two, not $#"
  return 1
}

# prepare WORD ...: sets up the surroundings before the program starts (harness/prefix.sh).
e2e_prepare_line() {
  local word=${1:-}
  shift
  case $word in
    drive) e2e_takes 2 3 "$@" && e2e_prepare_drive "$@" ;;
    windows-version) e2e_takes 1 1 "$@" && e2e_prepare_windows_version "$@" ;;
    density) e2e_takes 1 1 "$@" && e2e_prepare_density "$@" ;;
    folder) e2e_takes 1 1 "$@" && e2e_prepare_folder "$@" ;;
    file) e2e_takes 2 2 "$@" && e2e_prepare_file "$@" ;;
    quick-launch-folder) e2e_takes 0 0 "$@" && e2e_prepare_quick_launch_folder ;;
    quick-launch-link) e2e_takes 1 1 "$@" && e2e_prepare_quick_launch_link "$@" ;;
    shell-folder) e2e_takes 2 2 "$@" && e2e_prepare_shell_folder "$@" ;;
    setup-copy) e2e_takes 1 1 "$@" && e2e_prepare_setup_copy "$@" ;;
    damaged-copy) e2e_takes 1 1 "$@" && e2e_prepare_damaged_copy "$@" ;;
    locale) e2e_takes 1 1 "$@" && e2e_prepare_locale "$@" ;;
    user-shell-folder) e2e_takes 2 2 "$@" && e2e_prepare_user_shell_folder "$@" ;;
    link) e2e_takes 2 2 "$@" && e2e_prepare_link "$@" ;;
    hard-link) e2e_takes 2 2 "$@" && e2e_prepare_hard_link "$@" ;;
    planted-dll) e2e_takes 1 1 "$@" && e2e_prepare_planted_dll "$@" ;;
    dll-override) e2e_takes 1 1 "$@" && e2e_prepare_dll_override "$@" ;;
    *) e2e_fail "$E2E_LINE: unknown prepare line \"$word\"" ;;
  esac
}

# check WORD ...: examines the disk and the registry after the program has ended
# (harness/checks.sh).
e2e_check_line() {
  local word=${1:-}
  shift
  case $word in
    installed) e2e_takes 1 1 "$@" && check_installed "$@" ;;
    written) e2e_takes 2 2 "$@" && check_written "$@" ;;
    shortcuts) e2e_takes 1 4 "$@" && check_shortcuts "$@" ;;
    registry) e2e_takes 2 2 "$@" && check_registry "$@" ;;
    absent) e2e_takes 1 1 "$@" && check_absent "$@" ;;
    exists) e2e_takes 1 1 "$@" && check_exists "$@" ;;
    holds-only) e2e_takes 1 20 "$@" && check_holds_only "$@" ;;
    empty) e2e_takes 1 1 "$@" && check_empty "$@" ;;
    file) e2e_takes 2 2 "$@" && check_file "$@" ;;
    start-menu-unchanged) e2e_takes 0 0 "$@" && check_start_menu_unchanged ;;
    *) e2e_fail "$E2E_LINE: unknown check line \"$word\"" ;;
  esac
}
