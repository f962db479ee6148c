# Stages and packs the Windows package (the target windows_dist, cmake/WindowsDist.cmake):
#
#   cmake -DINPUTS=FILE -P package.cmake
#
# FILE, written by the build, names the programs, the sample plan, Qt, the mingw runtime folders,
# the tools and the zip. The zip holds one folder, ElecAide-<version>-win64, with both programs,
# the Qt plugins below platforms\ and styles\, every DLL that these load and Windows does not
# have (found by following the imports through Qt's bin\ and the mingw runtime folders, so what
# nothing links stays out), the usage notes and the sample plan. The copies lose their symbols
# and debugging information; the build's files keep theirs.
cmake_minimum_required(VERSION 3.25)
include(${INPUTS})

# The plugins Qt loads from the program's folder: the windows platform and its style, and the
# offscreen platform, which `elecaide --script` runs on.
set(plugins platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll)

set(folder ${stage}/${name})
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})

function(copy_stripped from to how)
    get_filename_component(dir ${to} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY_FILE ${from} ${to})
    execute_process(COMMAND ${strip} ${how} ${to} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

set(queue)
foreach(program IN LISTS programs)
    get_filename_component(file ${program} NAME)
    copy_stripped(${program} ${folder}/${file} --strip-all)
    list(APPEND queue ${folder}/${file})
endforeach()
foreach(plugin IN LISTS plugins)
    copy_stripped(${qt}/plugins/${plugin} ${folder}/${plugin} --strip-unneeded)
    list(APPEND queue ${folder}/${plugin})
endforeach()

# A DLL that Qt or mingw provides goes beside the programs and its imports are followed in turn;
# one that neither provides is Windows' own (KERNEL32.dll, ole32.dll, …).
set(dll_dirs ${qt}/bin ${runtime_dirs})
set(seen)
while(queue)
    list(POP_FRONT queue file)
    execute_process(COMMAND ${objdump} -p ${file} OUTPUT_VARIABLE dump COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
    foreach(import IN LISTS imports)
        string(REPLACE "DLL Name: " "" dll "${import}")
        string(TOLOWER "${dll}" key)
        if(key IN_LIST seen)
            continue()
        endif()
        list(APPEND seen "${key}")
        foreach(dir IN LISTS dll_dirs)
            if(EXISTS ${dir}/${dll})
                copy_stripped(${dir}/${dll} ${folder}/${dll} --strip-unneeded)
                list(APPEND queue ${folder}/${dll})
                break()
            endif()
        endforeach()
    endforeach()
endwhile()

# The usage notes as Notepad reads them best: UTF-8 with a byte order mark, CRLF line ends.
file(READ ${packaging}/使用说明.txt notes)
string(CONFIGURE "${notes}" notes @ONLY)
string(REPLACE "\n" "\r\n" notes "${notes}")
string(ASCII 239 187 191 bom)
file(WRITE ${folder}/使用说明.txt "${bom}${notes}")

# The settings the user may edit, beside the program that reads them; CRLF ends for Notepad.
file(READ ${packaging}/elecaide.ini settings)
string(REPLACE "\n" "\r\n" settings "${settings}")
file(WRITE ${folder}/elecaide.ini "${settings}")

file(MAKE_DIRECTORY ${folder}/samples)
file(COPY_FILE ${plan} ${folder}/samples/plan.dxf)

# libarchive marks the Chinese names as UTF-8 (flag bit 11, which Windows' own unzipping reads)
# when it runs in a UTF-8 locale.
file(GLOB_RECURSE files RELATIVE ${stage} ${folder}/*)
list(SORT files)
get_filename_component(dist ${zip} DIRECTORY)
file(MAKE_DIRECTORY ${dist})
set(partial ${zip}.partial)
file(REMOVE ${partial})
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
        ${CMAKE_COMMAND} -E tar cf ${partial} --format=zip -- ${files}
    WORKING_DIRECTORY ${stage}
    COMMAND_ERROR_IS_FATAL ANY)
file(RENAME ${partial} ${zip})
file(WRITE ${stage}/zip-path "${zip}\n")

file(SIZE ${zip} bytes)
math(EXPR kib "(${bytes} + 1023) / 1024")
list(LENGTH files count)
message(STATUS "${zip}: ${count} files, ${kib} KiB")
