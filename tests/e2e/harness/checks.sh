# check lines: what a scenario left on disk and in the registry, examined from Linux after
# the program has ended. Sourced by run-scenario.sh; ROOT, BUILD, WINEPREFIX and OUT are set.
# Every failed check calls e2e_fail, which counts it.

# The payload in extraction order, from the payload manifest: file name, folder below the
# installation folder, source: in the payload folder the build was configured with, or
# the stand-in and payload/assets. A source ending in "+zero" is followed by a zero byte,
# as the licence text is.
. "$ROOT/payload/manifest.sh"
e2e_payload_rows() {
  local name source from end folder origin payload
  payload=$(payload_folder_of_build "$BUILD")
  while read -r _ source from end _ folder name; do
    origin=$(payload_source_folder "$from" "$BUILD")
    [ "$folder" = . ] && folder= || folder=$folder/
    [ -n "$payload" ] && origin=$payload${folder:+/${folder%/}} source=$name
    [ "$end" = zero ] && source=$source+zero
    echo "$name|$folder|$origin/$source"
  done < <(payload_manifest_installed "$ROOT/payload/manifest.txt")
}

# True when the file $1 holds exactly the bytes of payload source $2.
e2e_same_as_source() {
  if [ "${2%+zero}" != "$2" ]; then
    cmp -s "$1" <(cat "${2%+zero}"; printf '\0')
  else
    cmp -s "$1" "$2"
  fi
}

# check installed 'C:\dest\': every payload file byte for byte in its folder, and nothing
# else below the installation folder.
check_installed() {
  local dest name folder source listed=0
  dest=$(unix_path "$1")
  [ -d "$dest" ] || { e2e_fail "no installation folder $1"; return; }
  while IFS='|' read -r name folder source; do
    if [ ! -f "$dest$folder$name" ]; then
      e2e_fail "missing $folder$name"
    elif ! e2e_same_as_source "$dest$folder$name" "$source"; then
      e2e_fail "$folder$name differs from ${source#"$ROOT"/}"
    fi
    listed=$((listed + 1))
  done < <(e2e_payload_rows)
  local files folders expected
  files=$(find "$dest" -type f | wc -l)
  [ "$files" -eq "$listed" ] || e2e_fail "$1 holds $files files, not $listed"
  folders=$(cd "$dest" && find . -mindepth 1 -type d -printf '%P\n' | sort)
  expected=$(payload_manifest_folders "$ROOT/payload/manifest.txt")
  [ "$folders" = "$expected" ] || e2e_fail "$1 holds the folders $(echo $folders), not $(echo $expected)"
}

# check written 'C:\dest\' N: the first N payload files were written; the one after them
# (the file the run failed on) is left to other checks; the rest were never created.
check_written() {
  local dest name folder source n=0
  [[ $2 =~ ^[0-9]+$ ]] || { e2e_fail "$E2E_LINE: not a number of files: $2"; return; }
  dest=$(unix_path "$1")
  while IFS='|' read -r name folder source; do
    n=$((n + 1))
    if [ "$n" -le "$2" ]; then
      [ -f "$dest$folder$name" ] && e2e_same_as_source "$dest$folder$name" "$source" ||
        e2e_fail "file $n, $folder$name, should have been written"
    elif [ "$n" -gt $(($2 + 1)) ] && [ -e "$dest$folder$name" ]; then
      e2e_fail "file $n, $folder$name, should not exist"
    fi
  done < <(e2e_payload_rows)
}

# check absent 'C:\path' / check exists 'C:\path'
check_absent() { [ ! -e "$(unix_path "$1")" ] || e2e_fail "$1 should not exist"; }
check_exists() { [ -e "$(unix_path "$1")" ] || e2e_fail "$1 should exist"; }
# check empty 'C:\folder': a folder that holds nothing.
check_empty() {
  local folder
  folder=$(unix_path "$1")
  [ -d "$folder" ] || { e2e_fail "$1 should be a folder"; return; }
  [ -z "$(ls -A "$folder")" ] || e2e_fail "$1 should be empty, holds: $(ls -A "$folder" | tr '\n' ' ')"
}

# check holds-only 'C:\folder' NAME...: the folder holds exactly these entries, no more.
check_holds_only() {
  local folder=$1 wanted held
  shift
  wanted=$(printf '%s\n' "$@" | sort)
  held=$(ls -A "$(unix_path "$folder")" 2>/dev/null | sort)
  [ "$held" = "$wanted" ] || e2e_fail "$folder should hold only $*, holds: $(echo $held)"
}

# check file 'C:\path' TEXT: the file holds exactly that text.
check_file() {
  local path
  path=$(unix_path "$1")
  [ -f "$path" ] && [ "$(cat "$path")" = "$2" ] || e2e_fail "$1 should hold \"$2\""
}

# ---- shortcuts

e2e_common_programs='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\'
e2e_common_desktop='C:\users\Public\Desktop\'
e2e_quick_launch() {
  local user
  user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -n1)
  echo "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Internet Explorer\\Quick Launch\\"
}

# The fields of a shortcut as lnkinfo reads them, one "Name=value" a line. The link's
# 8-bit path is in the prefix's ANSI code page.
e2e_link_fields() {
  lnkinfo -c windows-1251 "$1" 2>/dev/null | sed -nE 's/^\t([^\t]+)\t+: /\1=/p'
}

# Compares shortcut $1 (Windows path) with the expected "Name=value" lines that follow;
# a field with an empty value must be absent or empty.
e2e_expect_link() {
  local link=$1 fields expected name value
  shift
  if [ ! -f "$(unix_path "$link")" ]; then
    e2e_fail "missing shortcut $link"
    return
  fi
  fields=$(e2e_link_fields "$(unix_path "$link")")
  printf '%s\n%s\n\n' "$link" "$fields" >>"$OUT/shortcuts.txt"
  for expected in "$@"; do
    name=${expected%%=*}
    value=${expected#*=}
    if [ -z "$value" ]; then
      grep -q "^$name=." <<<"$fields" && e2e_fail "$link: $name should be empty: $(grep "^$name=" <<<"$fields")"
    elif [ "${value:0:1}" = '~' ]; then
      grep -qix "$name=${value:1}" <<<"$fields" || e2e_fail "$link: $name should match ${value:1}"
    else
      grep -qxF "$name=$value" <<<"$fields" || e2e_fail "$link: $name should be $value"
    fi
  done
}

e2e_program_link() {
  e2e_expect_link "$1" "Local path=${2}Brindlex.exe" "Command line arguments=" "Working directory=$2" \
    "Description=Программатор микроконтроллеров" "Icon location=${2}Brindlex.exe" "Icon index=0" \
    "Hot Key value=0"
}

# Shortcut files made anywhere below the Start menu, on the desktop or in Quick Launch.
e2e_all_links() {
  local folder
  for folder in "$e2e_common_programs" "$e2e_common_desktop" "$(e2e_quick_launch)"; do
    folder=$(unix_path "$folder")
    [ -d "$folder" ] && find "$folder" -name '*.lnk'
  done
}

# check shortcuts 'C:\dest\' menu=FOLDER|none desktop=yes|no quicklaunch=yes|no:
# exactly the chosen shortcuts exist, each with every field the setup gives it.
check_shortcuts() {
  local dest=$1 menu=none desktop=no quick=no option expected=0
  shift
  for option in "$@"; do
    case $option in
      menu=*) menu=${option#menu=} ;;
      desktop=*) desktop=${option#desktop=} ;;
      quicklaunch=*) quick=${option#quicklaunch=} ;;
      *) e2e_fail "unknown shortcut option $option" ;;
    esac
  done
  if [ "$menu" != none ]; then
    local folder="$e2e_common_programs${menu%\\}\\"
    e2e_program_link "${folder}Brindlex.lnk" "$dest"
    e2e_expect_link "${folder}License.lnk" 'Local path=~C:\\windows\\notepad\.exe' "Command line arguments=${dest}License.txt" \
      "Working directory=$dest" "Description=Лицензионное соглашение" "Icon location=" "Icon index=0" \
      "Hot Key value=0"
    expected=$((expected + 2))
  fi
  if [ "$desktop" = yes ]; then
    e2e_program_link "${e2e_common_desktop}Brindlex.lnk" "$dest"
    expected=$((expected + 1))
  fi
  if [ "$quick" = yes ]; then
    e2e_program_link "$(e2e_quick_launch)Brindlex.lnk" "$dest"
    expected=$((expected + 1))
  fi
  local made
  made=$(e2e_all_links | wc -l)
  [ "$made" -eq "$expected" ] || e2e_fail "$made shortcuts exist, not $expected: $(e2e_all_links | tr '\n' ' ')"
}

# check no-start-menu-folder: the all-users Programs folder holds only what it held before.
check_start_menu_unchanged() {
  local programs
  programs=$(unix_path "$e2e_common_programs")
  diff <(tar -tf "$E2E/pristine/profiles.tar" | sed -n 's|^ProgramData/Microsoft/Windows/Start Menu/Programs/||p' |
           sed 's|/$||' | grep . | sort) \
       <(cd "$programs" && find . -mindepth 1 | sed 's|^\./||' | sort) >/dev/null ||
    e2e_fail "the Start menu's Programs folder has changed"
}

# ---- document types

# Prints every text value of the keys given, as "KEY|NAME|DATA" lines ("KEY|-" for a missing
# key), exported with the system's reg tool in one Wine session. An export is UTF-16 whatever
# the locale (reg query prints in the OEM code page, which need not hold Cyrillic). The
# default value is written with an empty name.
e2e_registry_dump() {
  local batch=$OUT/registry-export.bat folder=$OUT/registry-export key n=0
  rm -rf "$folder"
  mkdir -p "$folder"
  : >"$batch"
  for key in "$@"; do
    n=$((n + 1))
    printf 'reg export "%s" "%s" /y\r\n' "$key" "$(windows_path "$folder/$n.reg")" >>"$batch"
  done
  brx_wine cmd /c "$(windows_path "$batch")" >/dev/null 2>&1
  n=0
  for key in "$@"; do
    n=$((n + 1))
    if [ ! -f "$folder/$n.reg" ]; then
      echo "$key|-"
      continue
    fi
    # Only the key's own section; its subkeys are exported too and are left out.
    iconv -f UTF-16 -t UTF-8 "$folder/$n.reg" | tr -d '\r' | KEY=$key awk -v OFS='|' '
      BEGIN { key = ENVIRON["KEY"] }
      /^\[/ { own = (tolower($0) == tolower("[" key "]")); next }
      !own { next }
      /^@="/ || /^"/ {
        if (!match($0, /^(@|"([^"\\]|\\.)*")="/)) next
        name = substr($0, 1, RLENGTH - 2); data = substr($0, RLENGTH + 1)
        if (data !~ /"$/) next
        data = substr(data, 1, length(data) - 1)
        name = (name == "@") ? "" : substr(name, 2, length(name) - 2)
        print key, unescape(name), unescape(data)
      }
      function unescape(text,   out, c) {
        out = ""
        while (text != "") {
          c = substr(text, 1, 1)
          if (c == "\\") { out = out substr(text, 2, 1); text = substr(text, 3) }
          else { out = out c; text = substr(text, 2) }
        }
        return out
      }'
  done
}

# check registry nt|win98|none 'C:\dest\': the document types "sfr" and "hex" registered
# for the installed program in the layout of that system family, and nothing of the other.
check_registry() {
  local layout=$1 dest=$2 program command file="$OUT/registry.txt"
  program="${dest}Brindlex.exe"
  command="\"$program\" \"%1\""
  local hkcr=HKEY_CLASSES_ROOT classes='HKEY_LOCAL_MACHINE\Software\Classes'
  local fileexts='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts'
  local nt_keys=("$hkcr\\Applications\\Brindlex.exe\\shell\\open\\command" "$hkcr\\.sfr" "$hkcr\\sfr_auto_file"
                 "$hkcr\\sfr_auto_file\\DefaultIcon" "$fileexts\\.sfr" "$hkcr\\.hex" "$hkcr\\hex_auto_file"
                 "$hkcr\\hex_auto_file\\DefaultIcon" "$fileexts\\.hex")
  local win98_keys=("$classes\\.sfr" "$classes\\.hex" "$classes\\Brindlex.exe" "$classes\\Brindlex.exe\\DefaultIcon"
                    "$classes\\Brindlex.exe\\shell\\open\\command")
  local expected
  case $layout in
    nt) expected="$hkcr\\Applications\\Brindlex.exe\\shell\\open\\command||$command
$hkcr\\.sfr||sfr_auto_file
$hkcr\\sfr_auto_file||Brindlex
$hkcr\\sfr_auto_file\\DefaultIcon||$program
$fileexts\\.sfr|Application|Brindlex.exe
$hkcr\\.hex||hex_auto_file
$hkcr\\hex_auto_file||Brindlex
$hkcr\\hex_auto_file\\DefaultIcon||$program
$fileexts\\.hex|Application|Brindlex.exe
$classes\\Brindlex.exe|-
$classes\\Brindlex.exe\\DefaultIcon|-
$classes\\Brindlex.exe\\shell\\open\\command|-" ;;
    win98) expected="$hkcr\\Applications\\Brindlex.exe\\shell\\open\\command|-
$hkcr\\sfr_auto_file|-
$hkcr\\sfr_auto_file\\DefaultIcon|-
$fileexts\\.sfr|-
$hkcr\\hex_auto_file|-
$hkcr\\hex_auto_file\\DefaultIcon|-
$fileexts\\.hex|-
$classes\\.sfr||Brindlex.exe
$classes\\.hex||Brindlex.exe
$classes\\Brindlex.exe||Brindlex
$classes\\Brindlex.exe\\DefaultIcon||$program
$classes\\Brindlex.exe\\shell\\open\\command||$command" ;;
    none) expected=$(printf '%s|-\n' "${nt_keys[@]}" "${win98_keys[@]}") ;;
    *) e2e_fail "unknown registry layout $layout"; return ;;
  esac
  local keys
  mapfile -t keys < <(cut -d'|' -f1 <<<"$expected" | awk '!seen[$0]++')
  e2e_registry_dump "${keys[@]}" >"$file"
  if ! diff <(sort <<<"$expected") <(sort "$file") >"$OUT/registry.diff"; then
    # The program has ended and nothing else writes these keys, so a second reading differs
    # from the first only when the reading itself went wrong (seen under heavy load).
    mv "$file" "$OUT/registry-first-reading.txt"
    e2e_registry_dump "${keys[@]}" >"$file"
  fi
  if ! diff <(sort <<<"$expected") <(sort "$file") >"$OUT/registry.diff"; then
    e2e_fail "the registry is not as the $layout layout leaves it (expected <, found >):
$(cat "$OUT/registry.diff")"
  fi
}
