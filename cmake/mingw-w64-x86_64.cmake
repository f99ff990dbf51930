# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix thread model, which
# std::thread and std::mutex need). The programs are linked statically, so they run under Wine or
# on a Windows machine without the compiler's DLLs beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(NUMORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${NUMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${NUMORA_MINGW_PREFIX}-windres)

# Libraries built for the target (GoogleTest) are found under the prefixes given in
# CMAKE_PREFIX_PATH and the compiler's own root; programs are those of the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${NUMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run through Wine when ctest runs them on the build machine.
find_program(NUMORA_WINE NAMES wine64 wine-stable wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NUMORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${NUMORA_WINE})
endif()
