# cmake -DFRAMEWORK_DIR=<framework folder> [-DSTAMP=<file>] -P CheckFrameworkIncludes.cmake
# Fails when a file of the framework includes a project header that does
# not lie in the framework itself: the framework is the ground floor and
# knows nothing of the program built on it. Angle-bracket includes are the
# system's and the language's; quoted ones are the project's, written from
# the source root ("framework/...") or, for a file beside the includer,
# by its bare name.
get_filename_component(FRAMEWORK_DIR ${FRAMEWORK_DIR} ABSOLUTE)
file(GLOB_RECURSE _files ${FRAMEWORK_DIR}/*.cpp ${FRAMEWORK_DIR}/*.h)
set(_faults)
foreach(_file ${_files})
  file(STRINGS ${_file} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  get_filename_component(_here ${_file} DIRECTORY)
  foreach(_line ${_includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" _header "${_line}")
    if(_header MATCHES "^framework/" AND NOT _header MATCHES "\\.\\.")
      continue()
    endif()
    if(NOT _header MATCHES "[/\\\\]" AND EXISTS ${_here}/${_header})
      continue()
    endif()
    file(RELATIVE_PATH _shown ${FRAMEWORK_DIR} ${_file})
    list(APPEND _faults "  framework/${_shown}: ${_header}")
  endforeach()
endforeach()
if(_faults)
  list(JOIN _faults "\n" _text)
  message(FATAL_ERROR "The framework includes headers from outside it:\n${_text}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
