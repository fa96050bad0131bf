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
