# Cross toolchain: 64-bit Windows with MinGW-w64 (posix thread model). The
# program ships as a 32-bit build; this one exists for machines that cannot
# execute 32-bit code, where the tests run on the 64-bit Wine instead.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_prefix x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# The 64-bit loader itself: the "wine" launcher prefers the 32-bit one.
find_program(PELLIX_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(PELLIX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PELLIX_WINE})
endif()
