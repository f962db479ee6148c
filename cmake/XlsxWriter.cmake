# libxlsxwriter, which writes the take-off's workbooks, as the target XlsxWriter::XlsxWriter:
# Debian's package here; for Windows the static library built from Debian's source
# (scripts/build-xlsxwriter-windows.sh), found under ELECAIDE_XLSXWRITER_PREFIX.
if(WIN32)
    set(ELECAIDE_XLSXWRITER_PREFIX "${CMAKE_BINARY_DIR}/xlsxwriter-win64" CACHE PATH
        "Where scripts/build-xlsxwriter-windows.sh installed libxlsxwriter for mingw")
    find_library(ELECAIDE_XLSXWRITER_LIBRARY xlsxwriter
        PATHS "${ELECAIDE_XLSXWRITER_PREFIX}/lib" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    find_library(ELECAIDE_ZLIB_LIBRARY NAMES libz.a z REQUIRED)
    add_library(XlsxWriter::XlsxWriter STATIC IMPORTED GLOBAL)
    set_target_properties(XlsxWriter::XlsxWriter PROPERTIES
        IMPORTED_LOCATION "${ELECAIDE_XLSXWRITER_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${ELECAIDE_XLSXWRITER_PREFIX}/include"
        INTERFACE_LINK_LIBRARIES "${ELECAIDE_ZLIB_LIBRARY}")
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
    add_library(XlsxWriter::XlsxWriter ALIAS PkgConfig::XLSXWRITER)
endif()
