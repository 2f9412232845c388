# Fails when a file under src/ includes a folder above its own. The folders
# from the ground up; folders on one line are side by side and may include
# each other. Run as: cmake -DSOURCE_DIR=<checkout>/src -P CheckLayering.cmake
set(layers
  "base"
  "canvas formats"
  "controls windows"
  "effects documents"
  "app"
  "replay"
)

set(level 0)
foreach(line IN LISTS layers)
  string(REPLACE " " ";" folders "${line}")
  foreach(folder IN LISTS folders)
    set(level_of_${folder} ${level})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(failures "")
foreach(source IN LISTS sources)
  string(REGEX MATCH "^[^/]+" own "${source}")
  if(NOT DEFINED level_of_${own})
    string(APPEND failures "\n  ${source}: the folder ${own} is not in the layer table")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(include IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" target "${include}")
    string(REGEX MATCH "^[^/]+" folder "${target}")
    if(NOT target MATCHES "/")
      continue()  # a file beside this one
    endif()
    if(NOT DEFINED level_of_${folder})
      string(APPEND failures "\n  ${source}: includes ${target}, a folder not in the layer table")
    elseif(level_of_${folder} GREATER level_of_${own})
      string(APPEND failures "\n  ${source}: includes ${target}, a folder above ${own}")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Upward includes under src/:${failures}")
endif()
list(LENGTH sources count)
message(STATUS "${count} source files, no upward include")
