# Makes a soak script from SEED and COUNT, plays it, and checks that the
# driver ended cleanly (a sanitizer report ends it with an error status) and
# that every canvas size it printed lies inside the canvas limits.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/out ${WORK_DIR}/data-home)
set(args --seed ${SEED} --count ${COUNT} --out ${WORK_DIR}/out)
foreach(folder ${PICTURES})
  list(APPEND args --pictures ${folder})
endforeach()
execute_process(COMMAND ${PYTHON} ${GENERATOR} ${args}
  OUTPUT_FILE ${WORK_DIR}/soak.replay RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make-soak-script failed: ${status}")
endif()

execute_process(
  COMMAND ${REPLAY} --program-dir ${PROGRAM_DIR} ${WORK_DIR}/soak.replay
  WORKING_DIRECTORY ${WORK_DIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
if(NOT "${status}" STREQUAL "0")
  message(FATAL_ERROR "pictavo-replay ended with ${status} on ${WORK_DIR}/soak.replay\n${output}\n${errors}")
endif()
if(errors MATCHES "runtime error|AddressSanitizer|LeakSanitizer")
  message(FATAL_ERROR "sanitizer report:\n${errors}")
endif()

string(REGEX MATCHALL "canvas=[0-9]+x[0-9]+" sizes "${output}")
list(LENGTH sizes count)
if(count EQUAL 0)
  message(FATAL_ERROR "no canvas size was printed")
endif()
foreach(size ${sizes})
  string(REGEX MATCH "([0-9]+)x([0-9]+)" _ "${size}")
  set(w ${CMAKE_MATCH_1})
  set(h ${CMAKE_MATCH_2})
  math(EXPR pixels "${w} * ${h}")
  if(w LESS 1 OR h LESS 1 OR w GREATER 32767 OR h GREATER 32767 OR pixels GREATER 268435456)
    message(FATAL_ERROR "canvas outside the limits: ${size}")
  endif()
endforeach()
message("${count} canvas sizes checked")
