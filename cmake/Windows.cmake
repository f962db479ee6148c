# What the Windows build adds: GoogleTest compiled for mingw from the source Debian ships in
# googletest, the mingw runtime DLLs a Windows program needs beside it, and the emulator that
# runs the test programs under Wine (scripts/wine-run.sh).

set(ELECAIDE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source (Debian: googletest)")
if(NOT EXISTS ${ELECAIDE_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest source at ${ELECAIDE_GTEST_SOURCE}: make deps installs it")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${ELECAIDE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The C++ runtime of the compiler that built Qt and the project: GCC's posix-thread build.
set(ELECAIDE_MINGW_RUNTIME_DIRS
    /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
set(ELECAIDE_MINGW_RUNTIME_DLLS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)

# Fonts for the offscreen platform, which on Windows reads only its font folder: the Chinese
# and Latin fonts the Linux tests draw with.
set(ELECAIDE_WINDOWS_QT ${CMAKE_PREFIX_PATH})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fonts)
foreach(font /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
             /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf)
    if(NOT EXISTS ${font})
        message(FATAL_ERROR "Missing font ${font}: make deps installs it")
    endif()
    get_filename_component(font_name ${font} NAME)
    file(CREATE_LINK ${font} ${CMAKE_BINARY_DIR}/fonts/${font_name} SYMBOLIC)
endforeach()

# sketchcad's COM class, its own and never AutoCAD's on a user's machine; the test prefix also
# lets "AutoCAD.Application" name it, so the tests attach the way the assistant attaches.
set(ELECAIDE_SKETCHCAD_CLSID "{09F72FB8-FA31-495C-80E1-0203E576FC26}")

# The emulator CTest and `make test-windows` run the Windows programs with.
list(TRANSFORM ELECAIDE_MINGW_RUNTIME_DIRS PREPEND "Z:" OUTPUT_VARIABLE wine_path)
string(JOIN ";" ELECAIDE_WINE_PATH ${wine_path})
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
    WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# The programs' icons and version resources, and the zip for drafters (`make windows-dist`).
include(${CMAKE_CURRENT_LIST_DIR}/WindowsDist.cmake)
