# The Wine prefix of the end-to-end scenarios and its known state. Sourced by
# run-scenario.sh after scripts/wine-env.sh; E2E must name the build's e2e folder.
#
# The prefix is made once per build folder; right after, the parts a scenario can change
# are saved: the registry files, the drive links, the all-users and user profile folders
# and the lists of what C:\ and C:\Program Files hold. Before each scenario the server is
# stopped and those parts are put back, which is much quicker than copying the prefix.

e2e_prefix_ready() {
  export WINEPREFIX=$E2E/wineprefix
  local pristine=$E2E/pristine
  # Made again when the prefixes' set-up has changed since.
  [ -f "$pristine/ready" ] && [ -f "$WINEPREFIX/$BRX_PREFIX_READY" ] && return 0
  mkdir -p "$E2E"
  (
    flock 9
    [ -f "$pristine/ready" ] && [ -f "$WINEPREFIX/$BRX_PREFIX_READY" ] && exit 0
    rm -rf "$WINEPREFIX" "$pristine"
    brx_wine_prefix || exit 1
    # A program that crashes ends at once instead of waiting in the debugger.
    brx_wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1
    # The user's folders that Wine links into the Linux home become folders of their own,
    # so that nothing a scenario does reaches outside the prefix.
    local link
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
      if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
    done
    wineserver -w
    mkdir -p "$pristine"
    cp "$WINEPREFIX"/*.reg "$pristine/"
    tar -cf "$pristine/dosdevices.tar" -C "$WINEPREFIX" dosdevices
    tar -cf "$pristine/profiles.tar" -C "$WINEPREFIX/drive_c" ProgramData users
    ls -A "$WINEPREFIX/drive_c" >"$pristine/drive_c.list"
    ls -A "$WINEPREFIX/drive_c/Program Files" >"$pristine/program_files.list"
    touch "$pristine/ready"
  ) 9>"$E2E/pristine.lock"
}

# Removes from folder $1 every entry that list file $2 does not name.
e2e_keep_only() {
  local entry
  for entry in "$1"/* "$1"/.[!.]*; do
    [ -e "$entry" ] || [ -L "$entry" ] || continue
    grep -qxF "$(basename "$entry")" "$2" || rm -rf "$entry"
  done
}

# The memory file system folder of this build's scenarios.
e2e_tmpfs_folder() { echo "/dev/shm/brx-e2e-$(echo "$E2E" | md5sum | cut -c1-8)"; }

e2e_prefix_reset() {
  local pristine=$E2E/pristine
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  cp "$pristine"/*.reg "$WINEPREFIX/"
  rm -rf "$WINEPREFIX/dosdevices"
  tar -xf "$pristine/dosdevices.tar" -C "$WINEPREFIX"
  rm -rf "$WINEPREFIX/drive_c/ProgramData" "$WINEPREFIX/drive_c/users"
  tar -xf "$pristine/profiles.tar" -C "$WINEPREFIX/drive_c"
  e2e_keep_only "$WINEPREFIX/drive_c" "$pristine/drive_c.list"
  e2e_keep_only "$WINEPREFIX/drive_c/Program Files" "$pristine/program_files.list"
  rm -rf "$E2E/drives" "$(e2e_tmpfs_folder)"
  mkdir -p "$E2E/drives"
  [ -d /dev/shm ] && [ -w /dev/shm ] && mkdir -p "$(e2e_tmpfs_folder)"
  E2E_REG_LINES=()
}

# ---- prepare lines: the scenario's surroundings, set up before the program starts

# prepare drive X: TYPE [LINUX-FOLDER|tmpfs]: a Wine drive of that type (hd, cdrom,
# network, floppy, ramdisk) on a folder of its own, on the folder given, or on a folder in
# the memory file system, whose free space differs from that of the disk that holds C:.
e2e_prepare_drive() {
  local letter=${1,,} type=$2 folder=${3:-$E2E/drives/${1:0:1}}
  if [ "$folder" = tmpfs ]; then
    folder=$(e2e_tmpfs_folder)/${letter:0:1}
    [ -d "$(dirname "$folder")" ] || folder=$E2E/drives/${letter:0:1}
  fi
  mkdir -p "$folder" 2>/dev/null || true
  ln -sfn "$folder" "$WINEPREFIX/dosdevices/$letter"
  E2E_REG_LINES+=('[HKEY_LOCAL_MACHINE\Software\Wine\Drives]' "\"$letter\"=\"$type\"")
}

# prepare windows-version VERSION: the Windows version Wine reports (win98, winxp, ...).
e2e_prepare_windows_version() {
  E2E_REG_LINES+=('[HKEY_CURRENT_USER\Software\Wine]' "\"Version\"=\"$1\"")
}

# prepare density DPI: the screen density Wine reports, on a virtual screen large enough for
# the window at that density.
e2e_prepare_density() {
  E2E_REG_LINES+=('[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$(printf %08x "$1")")
  brx_display_stop
  BRX_SCREEN=2048x1536 brx_display || e2e_fail "no virtual display of 2048x1536"
}

# prepare locale NAME: the Linux locale that Wine's programs are started with from here on:
# the program, the driver and the checks. C.UTF-8 gives them the ANSI code page 1252 and the
# OEM code page 437 unless a manifest names another.
e2e_prepare_locale() {
  [ "$(LC_ALL=$1 locale charmap 2>/dev/null)" = UTF-8 ] || { e2e_fail "$E2E_LINE: no UTF-8 locale $1"; return; }
  export LC_ALL=$1
}

# prepare user-shell-folder NAME 'C:\...': the user's shell folder NAME (AppData, ...) is
# that folder, which is made; Wine's shell reads it from "User Shell Folders".
e2e_prepare_user_shell_folder() {
  local path
  path=$(with_unicode "$2")
  e2e_prepare_folder "$path"
  brx_wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' \
    /v "$1" /t REG_SZ /d "$path" /f >/dev/null 2>&1 || e2e_fail "$E2E_LINE: the setting was not made"
}

# prepare folder 'C:\...': a folder that exists before the program starts.
e2e_prepare_folder() { mkdir -p "$(unix_path "$1")"; }

# prepare quick-launch-folder: the user's Quick Launch folder, which a new prefix lacks and
# the setup does not create.
e2e_prepare_quick_launch_folder() { e2e_prepare_folder "$(e2e_quick_launch)"; }

# prepare quick-launch-link 'C:\...': the user's Quick Launch folder is a Unix symbolic link to
# that folder.
e2e_prepare_quick_launch_link() { e2e_prepare_link "$(e2e_quick_launch | sed 's/\\$//')" "$1"; }

# prepare file 'C:\...' TEXT: a file with that text.
e2e_prepare_file() {
  local path
  path=$(unix_path "$1")
  mkdir -p "$(dirname "$path")"
  printf '%s' "$2" >"$path"
}

# prepare shell-folder NAME 'X:\...': the shell folder NAME (a value name of the Explorer's
# Shell Folders keys, such as "Common Programs" or "AppData") moved to that path, in both
# keys; the all-users folders ("Common ...") are the machine's, the others the user's.
e2e_prepare_shell_folder() {
  local root=HKEY_CURRENT_USER key
  case $1 in "Common "*) root=HKEY_LOCAL_MACHINE ;; esac
  for key in 'User Shell Folders' 'Shell Folders'; do
    E2E_REG_LINES+=("[$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\$key]"
                    "\"$1\"=\"${2//\\/\\\\}\"")
  done
}

# prepare link 'C:\...' 'C:\...': a Unix symbolic link at the first path that leads to the
# second; Wine shows a link to a folder as a reparse point.
e2e_prepare_link() {
  local path
  path=$(unix_path "$1")
  mkdir -p "$(dirname "$path")"
  ln -sfn "$(unix_path "$2")" "$path"
}

# prepare hard-link 'C:\...' 'C:\...': the first path becomes a second name of the existing
# file at the second.
e2e_prepare_hard_link() {
  local path
  path=$(unix_path "$1")
  mkdir -p "$(dirname "$path")"
  ln -f "$(unix_path "$2")" "$path" || e2e_fail "$E2E_LINE: no hard link made"
}

# prepare setup-copy 'C:\...\NAME.exe': a copy of the program under test there, which the
# driver then starts instead, as a user starts one from a downloads folder.
e2e_prepare_setup_copy() {
  local path
  path=$(unix_path "$1")
  mkdir -p "$(dirname "$path")"
  cp "$PROGRAM" "$path"
  E2E_PROGRAM=$path
}

# prepare damaged-copy NAME: the program under test becomes a copy of it in which one byte
# of the embedded payload file NAME is changed, as in a damaged download. The file's bytes
# are found in the copy by their content, which must occur exactly once.
e2e_prepare_damaged_copy() {
  local name folder source copy=$OUT/damaged/BrindlexSetup.exe
  while IFS='|' read -r name folder source; do
    [ "$name" = "$1" ] && break
  done < <(e2e_payload_rows)
  [ "$name" = "$1" ] || { e2e_fail "no payload file $1"; return; }
  mkdir -p "$(dirname "$copy")"
  perl -e '
    my ($program, $file, $zero, $out) = @ARGV;
    local $/;
    open(my $in, "<:raw", $program) or die "$program: $!\n";
    my $bytes = <$in>;
    open(my $block, "<:raw", $file) or die "$file: $!\n";
    my $wanted = <$block>;
    $wanted .= "\0" if $zero;
    my $at = index($bytes, $wanted);
    die "not embedded in $program\n" if $at < 0;
    die "embedded more than once\n" if index($bytes, $wanted, $at + 1) >= 0;
    substr($bytes, $at + int(length($wanted) / 2), 1) ^= "\x10";
    open(my $copy, ">:raw", $out) or die "$out: $!\n";
    print $copy $bytes;
  ' "$E2E_PROGRAM" "${source%+zero}" "$([ "${source%+zero}" != "$source" ] && echo 1)" "$copy" ||
    { e2e_fail "no damaged copy for $1"; return; }
  E2E_PROGRAM=$copy
}

# prepare planted-dll 'C:\...\NAME.dll': the marker library under that name. Whenever a
# process loads it, it leaves NAME.dll.loaded beside itself.
e2e_prepare_planted_dll() {
  local path
  path=$(unix_path "$1")
  mkdir -p "$(dirname "$path")"
  cp "$E2E/planted.dll" "$path"
}

# prepare dll-override 'NAME,NAME=n,b': added to the WINEDLLOVERRIDES the program starts
# with. Wine takes a native DLL of such a name before its own, as Windows takes any DLL it
# finds on the search path.
e2e_prepare_dll_override() { export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$1"; }

# Writes the collected registry lines and restarts the server, which reads the drive table
# only when it starts.
e2e_prepare_finish() {
  [ ${#E2E_REG_LINES[@]} -eq 0 ] && return 0
  local file=$OUT/prepare.reg line
  {
    printf 'REGEDIT4\r\n'
    for line in "${E2E_REG_LINES[@]}"; do
      [ "${line:0:1}" = '[' ] && printf '\r\n'
      printf '%s\r\n' "$line"
    done
  } >"$file"
  brx_wine regedit /S "$(windows_path "$file")" >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  wineserver -w
}
