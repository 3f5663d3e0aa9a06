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
  pellix_test_command(${name} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}>)
endfunction()

# pellix_test_command(<name> <command...>)
# A test run by scripts/test-lane.sh in one of the lanes (Wine prefixes)
# that scripts/test.sh offers CTest as "wineprefix" resources.
function(pellix_test_command name)
  add_test(NAME ${name}
    COMMAND sh ${PROJECT_SOURCE_DIR}/scripts/test-lane.sh ${ARGN}
    WORKING_DIRECTORY ${PELLIX_RUNTIME_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900 RESOURCE_GROUPS wineprefix:1)
endfunction()

# pellix_import_library(<target> <def file> <dll name>)
# An import library made from a module-definition file, for libraries the
# program links against by name or ordinal without having their sources.
function(pellix_import_library target def dll)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    pellix_undecorated_def(def ${def})
  endif()
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

# The module-definition files name 32-bit stdcall symbols (Name@N). 64-bit
# code has a single calling convention with undecorated names, so a 64-bit
# build exports from copies without the decorations. Ordinals (" @N") stay.
function(pellix_undecorated_def out def)
  file(READ ${def} text)
  string(REGEX REPLACE "([A-Za-z0-9_])@[0-9]+" "\\1" text "${text}")
  get_filename_component(name ${def} NAME)
  string(MD5 tag ${def})
  set(copy ${CMAKE_BINARY_DIR}/def64/${tag}/${name})
  file(WRITE ${copy} "${text}")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  set(${out} ${copy} PARENT_SCOPE)
endfunction()

# Applied once every target exists: rewrites the .def sources of all
# targets below `dir`.
function(pellix_undecorate_targets dir)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 8)
    return()
  endif()
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    get_target_property(source_dir ${target} SOURCE_DIR)
    set(changed FALSE)
    set(rewritten)
    foreach(source ${sources})
      if(source MATCHES "\\.def$")
        if(NOT IS_ABSOLUTE ${source})
          set(source ${source_dir}/${source})
        endif()
        pellix_undecorated_def(source ${source})
        set(changed TRUE)
      endif()
      list(APPEND rewritten ${source})
    endforeach()
    if(changed)
      set_property(TARGET ${target} PROPERTY SOURCES ${rewritten})
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub ${subdirs})
    pellix_undecorate_targets(${sub})
  endforeach()
endfunction()

# pellix_add_subfolders()
# Adds every folder beside the calling CMakeLists that has a CMakeLists of
# its own: areas made of independent pieces grow without edits here.
function(pellix_add_subfolders)
  file(GLOB parts LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${parts})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
