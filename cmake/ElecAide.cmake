# The two kinds of library under src/: logic, which links Qt Core and never Qt Gui or Widgets, and
# pages, the widgets built on it. Both put src/ on the include path, so headers are included as
# "folder/file.h".

# elecaide_logic_library(NAME SOURCES ... LIBS ...): a static library of logic. LIBS may name
# other logic libraries and Qt modules below Gui (Qt6::Network); naming Qt6::Gui or Qt6::Widgets
# is an error here, and reaching them through another library is one once every folder is read.
function(elecaide_logic_library name)
    cmake_parse_arguments(L "" "" "SOURCES;LIBS" ${ARGN})
    foreach(lib IN LISTS L_LIBS)
        if(lib MATCHES "^Qt6?::(Gui|Widgets)$")
            message(FATAL_ERROR "${name} is a logic library: it links Qt Core only, not ${lib}")
        endif()
    endforeach()
    add_library(${name} STATIC ${L_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${L_LIBS} Qt6::Core)
    set_property(GLOBAL APPEND PROPERTY ELECAIDE_LOGIC_LIBRARIES ${name})
endfunction()

# elecaide_pages_library(NAME SOURCES ... LIBS ...): a static library of widgets, with moc run
# on the headers that declare Q_OBJECT.
function(elecaide_pages_library name)
    cmake_parse_arguments(P "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${P_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${P_LIBS} Qt6::Widgets)
endfunction()

# elecaide_linked_targets(OUT TARGET): every target TARGET links, directly or through the
# libraries it links, TARGET itself included.
function(elecaide_linked_targets out target)
    set(seen ${target})
    set(queue ${target})
    while(queue)
        list(POP_FRONT queue current)
        get_target_property(libs ${current} INTERFACE_LINK_LIBRARIES)
        if(current STREQUAL target)
            get_target_property(libs ${current} LINK_LIBRARIES)
        endif()
        foreach(lib IN LISTS libs)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
            if(TARGET "${lib}" AND NOT lib IN_LIST seen)
                list(APPEND seen ${lib})
                list(APPEND queue ${lib})
            endif()
        endforeach()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Run once the whole tree is read: a logic library that reaches Qt Gui or Widgets through the
# libraries it links stops the configure.
function(elecaide_check_logic_links)
    get_property(logic GLOBAL PROPERTY ELECAIDE_LOGIC_LIBRARIES)
    foreach(name IN LISTS logic)
        elecaide_linked_targets(linked ${name})
        foreach(qt Qt6::Gui Qt6::Widgets)
            if(qt IN_LIST linked)
                message(FATAL_ERROR "${name} is a logic library but links ${qt} through its LIBS")
            endif()
        endforeach()
    endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL elecaide_check_logic_links)
