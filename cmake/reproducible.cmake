# Byte-identical rebuilds: the same commit built in any folder gives the same programs.
# The linker leaves the PE header's time stamp at zero (the checksum then follows the
# contents alone), and every path the compiler or assembler could write into an object
# (__FILE__, debug information) is made relative to the source and build folders.
list(APPEND BRX_LINK_FLAGS -Wl,--no-insert-timestamp)
# The build folder may lie inside the source folder: GCC uses the last matching map.
add_compile_options(
  "$<$<COMPILE_LANGUAGE:C,CXX,ASM>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
  "$<$<COMPILE_LANGUAGE:C,CXX,ASM>:-ffile-prefix-map=${PROJECT_BINARY_DIR}/=build/>")
