# The working tree as a build sees it, for the release checks that build a second copy.
# Source this file.

# release_copy_working_tree SOURCE DESTINATION: every file of SOURCE that git tracks or
# does not ignore, as it is now, into DESTINATION (made if missing); files deleted from the
# working tree are left out. The unpacked third-party sources, which git does not hold,
# are linked.
release_copy_working_tree() {
  mkdir -p "$2"
  (cd "$1" && git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -xf - -C "$2"
  ln -sfn "$(readlink -f "$1/third_party")" "$2/third_party"
}
