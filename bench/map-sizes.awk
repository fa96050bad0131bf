# Sums the bytes that each part of the program contributes to the file, from a GNU ld link
# map: every input section with an address, less debug sections and zero-filled .bss.
# Prints "part bytes" lines; parts: blocks, product, libpng, libpng-writer, zlib,
# zlib-compressor, resources, c-runtime, c++-runtime, imports and other.

function hex(text,   value, i) {
  text = tolower(substr(text, 3))
  value = 0
  for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
  return value
}

function part(object) {
  if (object ~ /blocks\.S\.obj/) return "blocks"
  if (object ~ /\.res$|\.rc\.res/) return "resources"
  if (object ~ /libbrx_png\.a\(pngw/) return "libpng-writer"
  if (object ~ /libbrx_zlib\.a\((deflate|trees)/) return "zlib-compressor"
  if (object ~ /libbrx_png\.a/) return "libpng"
  if (object ~ /libbrx_zlib\.a|libz\.a/) return "zlib"
  if (object ~ /libstdc\+\+|libsupc\+\+/) return "c++-runtime"
  if (object ~ /libbrx_|CMakeFiles/) return "product"
  if (object ~ /crt2\.o|crtbegin|crtend|libmingw32|libmingwex|libmsvcrt|libgcc/) return "c-runtime"
  if (object ~ /lib(kernel32|user32|gdi32|comctl32|ole32|shell32|advapi32|imagehlp|uuid)\.a/) return "imports"
  return "other"
}

function record(section, address, size, object) {
  if (hex(address) == 0 || section ~ /^\.(debug|bss)/) return
  bytes[part(object)] += hex(size)
}

/^Linker script and memory map/ { inmap = 1; next }
!inmap { next }
/^ \.[^ ]+ *$/ { pending = $1; next }
/^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { record($1, $2, $3, $4); pending = ""; next }
pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { record(pending, $1, $2, $3); pending = ""; next }
{ pending = "" }
END { for (p in bytes) print p, bytes[p] }
