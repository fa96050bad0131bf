# libpng and zlib from Debian's source packages (unpacked by scripts/bootstrap.sh), and
# GoogleTest from /usr/src/googletest: all built with the project's own toolchain.
file(GLOB BRX_PNG_DIR LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/third_party/libpng1.6-*)
list(FILTER BRX_PNG_DIR EXCLUDE REGEX "\\.(gz|xz|dsc)$")
if(NOT BRX_PNG_DIR)
  message(FATAL_ERROR "libpng source not found in third_party/: run scripts/bootstrap.sh")
endif()
list(GET BRX_PNG_DIR 0 BRX_PNG_DIR)
set(BRX_PNG_DIR ${BRX_PNG_DIR} CACHE INTERNAL "")
# zlib from its source (unpacked by scripts/bootstrap.sh) with the program's size settings
# (the setup links only the decompressor); without the source, MinGW's prebuilt library.
file(GLOB BRX_ZLIB_DIR LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/third_party/zlib-*)
list(FILTER BRX_ZLIB_DIR EXCLUDE REGEX "\\.(gz|xz|bz2|dsc)$")
if(BRX_ZLIB_DIR)
  list(GET BRX_ZLIB_DIR 0 BRX_ZLIB_DIR)
  set(BRX_ZLIB_SOURCES adler32.c crc32.c deflate.c inffast.c inflate.c inftrees.c trees.c zutil.c)
  list(TRANSFORM BRX_ZLIB_SOURCES PREPEND ${BRX_ZLIB_DIR}/)
  add_library(brx_zlib STATIC ${BRX_ZLIB_SOURCES})
  target_include_directories(brx_zlib SYSTEM PUBLIC ${BRX_ZLIB_DIR})
  target_compile_options(brx_zlib PRIVATE -w -ffunction-sections -fdata-sections
                         -fno-asynchronous-unwind-tables)
  # The installation checks every payload block's CRC-32: built for speed, not size.
  set_source_files_properties(${BRX_ZLIB_DIR}/crc32.c PROPERTIES COMPILE_OPTIONS -O2)
  set(BRX_ZLIB brx_zlib)
else()
  find_library(BRX_ZLIB NAMES libz.a z REQUIRED)
endif()

set(BRX_PNG_SOURCES png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c
    pngrtran.c pngrutil.c pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
list(TRANSFORM BRX_PNG_SOURCES PREPEND ${BRX_PNG_DIR}/)

# A libpng built with the pnglibconf.h in folder config.
function(brx_png_library name config)
  add_library(${name} STATIC ${config}/pnglibconf.h ${BRX_PNG_SOURCES})
  target_include_directories(${name} SYSTEM PUBLIC ${BRX_PNG_DIR} ${config})
  target_compile_options(${name} PRIVATE -w -ffunction-sections -fdata-sections
                         -fno-asynchronous-unwind-tables)
  target_compile_definitions(${name} PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
  target_link_libraries(${name} PUBLIC ${BRX_ZLIB})
endfunction()

# brx_png, the setup's libpng: pnglibconf.h made by libpng's own configuration scripts
# (make, awk and a C preprocessor) with only the reading features the decoder uses, plus
# the writer of the image tests, which never reaches the setup. Where there is no awk
# (a bare Windows host), libpng's standard configuration, which makes the setup larger.
set(BRX_PNG_OPTIONS ${PROJECT_SOURCE_DIR}/cmake/png-read-options.dfa
    ${PROJECT_SOURCE_DIR}/cmake/png-writer-options.dfa)
list(JOIN BRX_PNG_OPTIONS " " BRX_PNG_OPTIONS_ARG)
find_program(BRX_MAKE NAMES make gmake mingw32-make)
find_program(BRX_AWK NAMES awk mawk gawk nawk)
if(BRX_MAKE AND BRX_AWK)
  # Its settings read zlib.h: the header of the zlib the setup links, not whichever the
  # toolchain's include folder happens to hold.
  set(BRX_PNG_CPP "${CMAKE_C_COMPILER} -E")
  if(BRX_ZLIB_DIR)
    string(APPEND BRX_PNG_CPP " -I${BRX_ZLIB_DIR}")
  endif()
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/pngconf)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/pngconf/pnglibconf.h
    COMMAND ${BRX_MAKE} -s -f ${BRX_PNG_DIR}/scripts/pnglibconf.mak srcdir=${BRX_PNG_DIR}
            "DFA_XTRA=${BRX_PNG_OPTIONS_ARG}" AWK=${BRX_AWK} "CPP=${BRX_PNG_CPP}"
            pnglibconf.h
    DEPENDS ${BRX_PNG_OPTIONS} ${BRX_PNG_DIR}/scripts/pnglibconf.dfa
            ${BRX_PNG_DIR}/scripts/options.awk ${BRX_PNG_DIR}/scripts/dfn.awk
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/pngconf
    COMMENT "Generating libpng's pnglibconf.h for the setup"
    VERBATIM)
else()
  message(WARNING "make or awk not found: libpng is built with its standard configuration")
  configure_file(${BRX_PNG_DIR}/scripts/pnglibconf.h.prebuilt
                 ${CMAKE_BINARY_DIR}/pngconf/pnglibconf.h COPYONLY)
endif()
brx_png_library(brx_png ${CMAKE_BINARY_DIR}/pngconf)

# brx_png_full: libpng's standard configuration, for test programs that check pictures with
# interfaces the setup does not use (the simplified reader). Never linked with brx_png.
configure_file(${BRX_PNG_DIR}/scripts/pnglibconf.h.prebuilt
               ${CMAKE_BINARY_DIR}/pngconf-full/pnglibconf.h COPYONLY)
brx_png_library(brx_png_full ${CMAKE_BINARY_DIR}/pngconf-full)

set(BRX_GTEST_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest's source (the googletest folder)")
add_library(brx_gtest STATIC ${BRX_GTEST_DIR}/src/gtest-all.cc)
target_include_directories(brx_gtest SYSTEM PUBLIC ${BRX_GTEST_DIR}/include PRIVATE ${BRX_GTEST_DIR})
target_compile_options(brx_gtest PRIVATE -w)
add_library(brx_gtest_main STATIC ${BRX_GTEST_DIR}/src/gtest_main.cc)
target_link_libraries(brx_gtest_main PUBLIC brx_gtest)
