# Builds for 64-bit Windows with MinGW-w64 and runs what it built under wine:
#   cmake -S . -B build-windows -G Ninja --toolchain cmake/mingw-w64.cmake -DLAPIDOR_WITH_QT=OFF
# Programs are linked statically, so they need no DLLs beside them. Tests run
# in a wine prefix of their own inside the build folder, made on first use.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# The MinGW-w64 system root, and any given on the command line (a Qt for
# Windows, say).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian keeps the 64-bit runner out of PATH.
find_program(LAPIDOR_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT LAPIDOR_WINE)
    find_program(LAPIDOR_WINE NAMES wine64 wine)
endif()
if(LAPIDOR_WINE)
    # No Mono or Gecko for the prefix: the tests need neither, and asking for them only slows its making.
    set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all
                                      WINEDLLOVERRIDES=mscoree,mshtml= ${LAPIDOR_WINE})
endif()
