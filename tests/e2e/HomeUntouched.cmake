# Plays the scripts of SCRIPT_DIR one after another with HOME pointed at a
# folder of its own (no XDG folders set, so everything defaults into it) and
# checks that they leave it exactly as they found it: the same names, file
# contents and modification times. TMPDIR names an empty folder of its own
# too: Qt's settings for the run live there and must go with the program
# (Qt's own runtime folder runtime-root, made there for want of
# XDG_RUNTIME_DIR, may stay).
function(describe folder out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${folder} ${folder}/*)
  list(SORT entries)
  set(text "")
  foreach(entry ${entries})
    file(TIMESTAMP ${folder}/${entry} stamp "%s")
    set(hash "folder")
    if(NOT IS_DIRECTORY ${folder}/${entry})
      file(SHA256 ${folder}/${entry} hash)
    endif()
    string(APPEND text "${entry} ${stamp} ${hash}\n")
  endforeach()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(tmp_dir ${HOME_DIR}-tmp)
file(REMOVE_RECURSE ${HOME_DIR} ${tmp_dir})
file(MAKE_DIRECTORY ${tmp_dir})
# A lived-in home: the folders where Qt and others would write already exist.
file(MAKE_DIRECTORY ${HOME_DIR}/.config ${HOME_DIR}/.cache ${HOME_DIR}/.local/share ${HOME_DIR}/Pictures)
file(WRITE ${HOME_DIR}/.config/other.conf "[General]\nkept=1\n")
describe(${HOME_DIR} before)

file(GLOB scripts ${SCRIPT_DIR}/*.replay)
list(SORT scripts)
foreach(script ${scripts})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=XDG_CONFIG_HOME --unset=XDG_DATA_HOME --unset=XDG_CACHE_HOME
            --unset=XDG_STATE_HOME HOME=${HOME_DIR} TMPDIR=${tmp_dir} ${REPLAY} --program-dir ${PROGRAM_DIR} ${script}
    WORKING_DIRECTORY ${WORK_DIR}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  message("${script}:\n${output}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pictavo-replay ended with ${status}\n${errors}")
  endif()
  file(GLOB left ${tmp_dir}/*)
  list(FILTER left EXCLUDE REGEX "/runtime-root$")
  if(left)
    message(FATAL_ERROR "left behind in the temporary folder: ${left}")
  endif()
endforeach()

describe(${HOME_DIR} after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "the home folder changed.\nBefore:\n${before}\nAfter:\n${after}")
endif()
