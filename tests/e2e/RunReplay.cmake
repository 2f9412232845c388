# Plays one replay script and checks its exit status and expected output.
# What an earlier run left (its draft, the files it saved as out/NAME*)
# goes first, so a check of a file never passes on an old one.
get_filename_component(name ${SCRIPT} NAME_WE)
if(DEFINED ENV{XDG_DATA_HOME})
  file(REMOVE_RECURSE $ENV{XDG_DATA_HOME})
endif()
file(GLOB old_saves ${WORK_DIR}/out/${name}*)
if(old_saves)
  file(REMOVE ${old_saves})
endif()
execute_process(
  COMMAND ${REPLAY} --program-dir ${PROGRAM_DIR} ${SCRIPT}
  WORKING_DIRECTORY ${WORK_DIR}
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
message("${output}")
if(NOT "${status}" STREQUAL "${EXPECTED_STATUS}")
  message(FATAL_ERROR "pictavo-replay ended with ${status}, expected ${EXPECTED_STATUS}\n${errors}")
endif()
file(STRINGS ${SCRIPT} wanted REGEX "^#> ")
foreach(line ${wanted})
  string(SUBSTRING "${line}" 3 -1 text)
  string(FIND "${output}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing output line: ${text}")
  endif()
endforeach()
