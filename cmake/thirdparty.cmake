# libpng from Debian's source package (unpacked by scripts/bootstrap.sh), zlib from
# MinGW's static library, and GoogleTest from /usr/src/googletest: all built with
# the project's own toolchain.
file(GLOB BRX_PNG_DIR LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/third_party/libpng1.6-*)
list(FILTER BRX_PNG_DIR EXCLUDE REGEX "\\.(gz|xz|dsc)$")
if(NOT BRX_PNG_DIR)
  message(FATAL_ERROR "libpng source not found in third_party/: run scripts/bootstrap.sh")
endif()
list(GET BRX_PNG_DIR 0 BRX_PNG_DIR)
set(BRX_PNG_DIR ${BRX_PNG_DIR} CACHE INTERNAL "")
configure_file(${BRX_PNG_DIR}/scripts/pnglibconf.h.prebuilt
               ${CMAKE_BINARY_DIR}/pngconf/pnglibconf.h COPYONLY)
add_library(brx_png STATIC
  ${BRX_PNG_DIR}/png.c ${BRX_PNG_DIR}/pngerror.c ${BRX_PNG_DIR}/pngget.c
  ${BRX_PNG_DIR}/pngmem.c ${BRX_PNG_DIR}/pngpread.c ${BRX_PNG_DIR}/pngread.c
  ${BRX_PNG_DIR}/pngrio.c ${BRX_PNG_DIR}/pngrtran.c ${BRX_PNG_DIR}/pngrutil.c
  ${BRX_PNG_DIR}/pngset.c ${BRX_PNG_DIR}/pngtrans.c ${BRX_PNG_DIR}/pngwio.c
  ${BRX_PNG_DIR}/pngwrite.c ${BRX_PNG_DIR}/pngwtran.c ${BRX_PNG_DIR}/pngwutil.c)
target_include_directories(brx_png SYSTEM PUBLIC ${BRX_PNG_DIR} ${CMAKE_BINARY_DIR}/pngconf)
target_compile_options(brx_png PRIVATE -w -ffunction-sections -fdata-sections)
target_compile_definitions(brx_png PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
find_library(BRX_ZLIB NAMES libz.a z REQUIRED)
target_link_libraries(brx_png PUBLIC ${BRX_ZLIB})

set(BRX_GTEST_DIR /usr/src/googletest/googletest CACHE PATH "GoogleTest's source (the googletest folder)")
add_library(brx_gtest STATIC ${BRX_GTEST_DIR}/src/gtest-all.cc)
target_include_directories(brx_gtest SYSTEM PUBLIC ${BRX_GTEST_DIR}/include PRIVATE ${BRX_GTEST_DIR})
target_compile_options(brx_gtest PRIVATE -w)
add_library(brx_gtest_main STATIC ${BRX_GTEST_DIR}/src/gtest_main.cc)
target_link_libraries(brx_gtest_main PUBLIC brx_gtest)
