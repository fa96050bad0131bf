# How the configuration refuses what it is given (a payload folder, the manifest, the
# version): brx_refuse LINE stops it with LINE, one line that names the file or setting and
# the reason, and removes the setup program of an earlier build (BRX_SETUP_PROGRAM, where
# set), so that it cannot be taken for one made from what is refused. The leading blank keeps
# CMake from breaking the line.
include_guard(GLOBAL)

function(brx_refuse line)
  if(BRX_SETUP_PROGRAM)
    file(REMOVE ${BRX_SETUP_PROGRAM})
  endif()
  message(FATAL_ERROR " ${line}")
endfunction()
