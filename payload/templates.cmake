# The texts the payload manifest takes from templates (FROM "template"): each
# payload/assets/SOURCE.in, in whatever code page it is written, with every
# @BRX_PRODUCT_TITLE@ replaced by the product's title, written into the build's
# payload/texts/SOURCE when its bytes change. A template without the mark, or with a zero
# byte (which would end the text early), stops the configuration.

# Sets OUT to the bytes of FILE exactly: file(READ) without HEX drops every carriage return
# before a line feed.
function(brx_read_bytes file out)
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" length)
  set(bytes "")
  set(at 0)
  while(at LESS length)
    string(SUBSTRING "${hex}" ${at} 2 pair)
    if(pair STREQUAL "00")
      math(EXPR offset "${at} / 2")
      brx_refuse("${file}: a zero byte at offset ${offset}")
    endif()
    math(EXPR code "0x${pair}")
    string(ASCII ${code} byte)
    string(APPEND bytes "${byte}")
    math(EXPR at "${at} + 2")
  endwhile()
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

function(brx_fill_templates assets out)
  foreach(source IN LISTS BRX_MANIFEST_TEMPLATES)
    set(template ${assets}/${source}.in)
    brx_read_bytes(${template} text)
    string(FIND "${text}" "@BRX_PRODUCT_TITLE@" at)
    if(at EQUAL -1)
      brx_refuse("${template}: no @BRX_PRODUCT_TITLE@ in the template")
    endif()
    string(REPLACE "@BRX_PRODUCT_TITLE@" "${BRX_PRODUCT_TITLE}" text "${text}")
    brx_write_if_changed(${out}/${source} "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
  endforeach()
endfunction()
