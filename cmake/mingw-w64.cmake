# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (posix thread model, the one the
# Windows Qt under build-windows/qt6-win64 was built with: the C++ runtimes must match).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ELECAIDE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ELECAIDE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ELECAIDE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ELECAIDE_MINGW}-windres)

# Libraries and packages come from mingw's own tree and the Windows Qt (CMAKE_PREFIX_PATH), never
# from the Linux system.
set(CMAKE_FIND_ROOT_PATH /usr/${ELECAIDE_MINGW} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
