# The Windows package: each program's icon and version resource (elecaide_windows_resources,
# called in apps/), and the target windows_dist, the zip a drafter unzips and starts:
# dist/ElecAide-<version>-win64.zip, with the version project() gives. The templates, the icon
# drawing and the packing script are in packaging/windows/.

enable_language(RC)

set(ELECAIDE_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/windows)

# The version as a resource gives it: four numbers, the missing ones 0.
string(REPLACE "." ";" ELECAIDE_RC_VERSION ${PROJECT_VERSION})
list(LENGTH ELECAIDE_RC_VERSION count)
while(count LESS 4)
    list(APPEND ELECAIDE_RC_VERSION 0)
    math(EXPR count "${count} + 1")
endwhile()
list(JOIN ELECAIDE_RC_VERSION "," ELECAIDE_RC_VERSION)

# elecaide_windows_resources(TARGET DESCRIPTION_ZH DESCRIPTION_EN): the program's icon, drawn at
# build time by make_icon.py (the drawing named as the target), and its version resource with
# the file's description in Chinese and in English.
function(elecaide_windows_resources target description_zh description_en)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/${target}.ico)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    add_custom_command(
        OUTPUT ${icon}
        COMMAND /usr/bin/python3 ${ELECAIDE_PACKAGING}/make_icon.py ${target} ${icon}
        DEPENDS ${ELECAIDE_PACKAGING}/make_icon.py
        COMMENT "Drawing the icon of ${target}"
        VERBATIM)
    set(ELECAIDE_RC_NAME ${target})
    set(ELECAIDE_RC_ICON ${icon})
    set(ELECAIDE_RC_DESCRIPTION_ZH ${description_zh})
    set(ELECAIDE_RC_DESCRIPTION_EN ${description_en})
    configure_file(${ELECAIDE_PACKAGING}/program.rc.in ${rc} @ONLY)
    # windres reads the icon, which no dependency scan of the .rc finds.
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${icon})
    target_sources(${target} PRIVATE ${rc} ${icon})
endfunction()

# windows_dist, declared when the top directory is done: by then apps/ and samples/ have made the
# programs and the sample plan it packs. The build's own files are left as they are; the package
# is staged in windows-dist/ of the build tree, which also gets zip-path, where the zip went.
function(elecaide_windows_dist)
    set(name ElecAide-${PROJECT_VERSION}-win64)
    set(stage ${CMAKE_BINARY_DIR}/windows-dist)
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/windows-dist-inputs.cmake CONTENT "\
# What packaging/windows/package.cmake packs, written by cmake/WindowsDist.cmake.
set(PROJECT_VERSION \"${PROJECT_VERSION}\")
set(ELECAIDE_SKETCHCAD_CLSID \"${ELECAIDE_SKETCHCAD_CLSID}\")
set(name \"${name}\")
set(programs \"$<TARGET_FILE:elecaide>\" \"$<TARGET_FILE:sketchcad>\")
set(plan \"${SAMPLE_PLAN}\")
set(qt \"${ELECAIDE_WINDOWS_QT}\")
set(runtime_dirs \"${ELECAIDE_MINGW_RUNTIME_DIRS}\")
set(objdump \"${CMAKE_OBJDUMP}\")
set(strip \"${CMAKE_STRIP}\")
set(packaging \"${ELECAIDE_PACKAGING}\")
set(stage \"${stage}\")
set(zip \"${PROJECT_SOURCE_DIR}/dist/${name}.zip\")
")
    add_custom_target(windows_dist
        COMMAND ${CMAKE_COMMAND} -DINPUTS=${CMAKE_BINARY_DIR}/windows-dist-inputs.cmake
            -P ${ELECAIDE_PACKAGING}/package.cmake
        COMMENT "Packing dist/${name}.zip"
        VERBATIM)
    add_dependencies(windows_dist elecaide sketchcad sample_plan_dxf)
endfunction()
cmake_language(DEFER CALL elecaide_windows_dist)
