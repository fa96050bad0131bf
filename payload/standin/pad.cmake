# Extends FILE with zero bytes to exactly SIZE bytes; a larger file is an error.
file(SIZE "${FILE}" actual)
if(actual GREATER SIZE)
  message(FATAL_ERROR "${FILE} is ${actual} bytes, more than the ${SIZE} it must fit in")
endif()
execute_process(COMMAND truncate -s ${SIZE} "${FILE}" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot extend ${FILE} to ${SIZE} bytes")
endif()
