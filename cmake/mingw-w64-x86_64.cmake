# Cross-building for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64-posix).
# Programs are linked with a static runtime, so the .exe files run on a bare Windows; with Wine
# installed, CTest runs the tests through it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEXA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VEXA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VEXA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(VEXA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VEXA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXA_WINE})
endif()
