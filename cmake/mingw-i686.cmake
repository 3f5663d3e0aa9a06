# Cross toolchain: 32-bit Windows with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Test executables run through Wine; the harness sets WINEPREFIX and friends.
find_program(PELLIX_WINE NAMES wine wine-stable)
if(PELLIX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PELLIX_WINE})
endif()
