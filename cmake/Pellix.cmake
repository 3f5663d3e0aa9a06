# pellix_test(<name> SOURCES <files...> [LIBS <targets...>] [DEPENDS <targets...>])
# One GoogleTest executable, run once by CTest through the emulator (Wine).
# DEPENDS names the programs and libraries the test starts or loads at run
# time, so that they are built before it.
function(pellix_test name)
  if(NOT PELLIX_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} pellix_gtest_main)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${PELLIX_RUNTIME_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()

# pellix_import_library(<target> <def file> <dll name>)
# An import library made from a module-definition file, for libraries the
# program links against by name or ordinal without having their sources.
function(pellix_import_library target def dll)
  set(out ${CMAKE_BINARY_DIR}/lib/lib${target}.a)
  add_custom_command(OUTPUT ${out}
    COMMAND ${PELLIX_DLLTOOL} -d ${def} -D ${dll} -l ${out} -k
    DEPENDS ${def}
    COMMENT "Import library ${dll}")
  add_custom_target(${target}_implib DEPENDS ${out})
  add_library(${target} INTERFACE)
  add_dependencies(${target} ${target}_implib)
  target_link_libraries(${target} INTERFACE ${out})
endfunction()
