# The Windows build made on Linux with MinGW-w64: the programs that run at
# build time and the tests run under Wine, through a small wrapper that finds
# the Qt and MinGW run-time DLLs where they lie.

find_program(VELTARA_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT VELTARA_WINE)
    find_program(VELTARA_WINE NAMES wine64 wine REQUIRED)
endif()
find_program(VELTARA_WINESERVER NAMES wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT VELTARA_WINESERVER)
    find_program(VELTARA_WINESERVER NAMES wineserver REQUIRED)
endif()

# The MinGW run-time DLLs, where the compiler keeps them.
set(VELTARA_MINGW_RUNTIME)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "The MinGW run-time ${dll} is not where ${CMAKE_CXX_COMPILER} looks")
    endif()
    get_filename_component(found "${found}" REALPATH)
    list(APPEND VELTARA_MINGW_RUNTIME "${found}")
endforeach()

# A folder of the build host as Wine's drive Z: sees it.
function(veltara_wine_path out path)
    set(${out} "Z:${path}" PARENT_SCOPE)
endfunction()

set(veltara_wine_dirs "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
foreach(dll IN LISTS VELTARA_MINGW_RUNTIME)
    get_filename_component(dir "${dll}" DIRECTORY)
    list(APPEND veltara_wine_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES veltara_wine_dirs)
set(veltara_wine_native_dirs)
foreach(dir IN LISTS veltara_wine_dirs)
    veltara_wine_path(dir "${dir}")
    string(REPLACE "/" "\\" dir "${dir}")
    list(APPEND veltara_wine_native_dirs "${dir}")
endforeach()
list(JOIN veltara_wine_native_dirs ";" VELTARA_WINEPATH)

# A value in single shell quotes, for the wrapper below: the build folder may
# lie in a path with spaces or other characters the shell would read.
function(veltara_shell_quoted out value)
    string(REPLACE "'" "'\\''" value "${value}")
    set(${out} "'${value}'" PARENT_SCOPE)
endfunction()
veltara_shell_quoted(VELTARA_WINE_QUOTED "${VELTARA_WINE}")
veltara_shell_quoted(VELTARA_WINESERVER_QUOTED "${VELTARA_WINESERVER}")
veltara_shell_quoted(VELTARA_WINE_TEMPLATE_QUOTED "${CMAKE_BINARY_DIR}/wine-template")
veltara_shell_quoted(VELTARA_WINEPATH_QUOTED "${VELTARA_WINEPATH}")

set(VELTARA_WINE_RUN ${CMAKE_BINARY_DIR}/winerun)
configure_file(${CMAKE_CURRENT_LIST_DIR}/winerun.in ${VELTARA_WINE_RUN}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
    @ONLY)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELTARA_WINE_RUN})
endif()

# Resource files go through windres.sh, which runs the preprocessor itself:
# windres passes its include folders and the file's name on to the shell as
# they are, and a quote or a parenthesis in the checkout's path breaks it.
veltara_shell_quoted(veltara_windres_wrapper "${CMAKE_CURRENT_LIST_DIR}/windres.sh")
set(CMAKE_RC_COMPILE_OBJECT
    "${veltara_windres_wrapper} <CMAKE_RC_COMPILER> -O coff <DEFINES> <INCLUDES> <FLAGS> <SOURCE> <OBJECT>")
