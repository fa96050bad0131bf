# Lists the code sections of a GNU ld link map as "start size name" lines (hex), one per
# function where the program was compiled with -ffunction-sections; code without its own
# section is named after its object file. Names are still mangled.

function emit(section, address, size, object,   name) {
  if (object == "" || address ~ /^0x0+$/ || size ~ /^0x0+$/) return
  name = section
  if (!sub(/^\.text\$/, "", name)) {
    name = object
    sub(/.*\(/, "", name); sub(/\)$/, "", name)
  }
  print address, size, name
}

# A section whose name is too long for one line continues on the next.
pending != "" {
  if ($1 ~ /^0x/) emit(pending, $1, $2, $3)
  pending = ""
  next
}

$1 ~ /^\.text/ {
  if (NF == 1) pending = $1
  else if ($2 ~ /^0x/) emit($1, $2, $3, $4)
}
