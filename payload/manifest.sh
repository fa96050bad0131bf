# Reads payload/manifest.txt for bash scripts; source this file. The build checks the
# manifest when it configures, so these functions take it as well formed.

# payload_manifest_blocks MANIFEST: one line per block, in storage order:
#   NAME SOURCE FROM END ORDER FOLDER INSTALLED-AS
# with FOLDER the destination folder's path below the installation folder ("." for the
# installation folder itself); ORDER, FOLDER and INSTALLED-AS are "-" for a block that is
# not installed.
payload_manifest_blocks() {
  awk '
    { sub(/#.*/, "") }
    $1 == "folder" { path[$2] = $3 }
    $1 == "block" { print $2, $3, $4, $5, $6, ($7 == "-" ? "-" : path[$7]), $8 }
  ' "$1"
}

# payload_source_folder FROM BUILD-FOLDER: the folder that holds the sources of the blocks
# FROM names: payload/assets, or in the build folder the texts filled from their templates
# or the stand-in.
payload_source_folder() {
  case $1 in
    template) echo "$2/payload/texts" ;;
    standin) echo "$2/payload/application" ;;
    *) echo "$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/assets" ;;
  esac
}

# payload_manifest_installed MANIFEST: the installed blocks' lines, in extraction order.
payload_manifest_installed() {
  payload_manifest_blocks "$1" | awk '$5 != "-"' | sort -k5,5n
}

# payload_manifest_installed_paths MANIFEST: "PATH END" for each installed block, in
# extraction order: its path below the installation folder ("/"-separated) and "zero" for
# a text that ends in a zero byte, "-" otherwise.
payload_manifest_installed_paths() {
  payload_manifest_installed "$1" | awk '{ print ($6 == "." ? "" : $6 "/") $7, $4 }'
}

# payload_manifest_folders MANIFEST: every folder an installation makes below the
# installation folder, "/"-separated and sorted, those that hold a folder line's folder
# included.
payload_manifest_folders() {
  awk '
    { sub(/#.*/, "") }
    $1 == "folder" && $3 != "." {
      n = split($3, names, "/")
      path = names[1]
      print path
      for (i = 2; i <= n; ++i) { path = path "/" names[i]; print path }
    }
  ' "$1" | sort -u
}

# payload_manifest_space_needed MANIFEST: the space-needed figure in kilobytes of 1,024
# bytes, and the number of its line.
payload_manifest_space_needed() {
  awk '{ sub(/#.*/, "") } $1 == "space-needed-kb" { print $2, NR }' "$1"
}

# payload_folder_of_build BUILD-FOLDER: the payload folder that build was configured with
# (BRX_PAYLOAD_DIR in its CMakeCache.txt); empty for the stand-in and the demo project.
payload_folder_of_build() {
  sed -n 's/^BRX_PAYLOAD_DIR:[A-Z]*=//p' "$1/CMakeCache.txt" 2>/dev/null
}
