# zarv_delay_load(target dll...): the named system DLLs load when one of their functions is first
# called, not when the program starts. Each DLL costs memory and start-up time the moment it
# loads (comctl32 reads its own large icons, comdlg32 brings comctl32 with it), and only some
# windows need them.
#
# MSVC: /DELAYLOAD with delayimp.lib. MinGW: GNU ld drops the code of dlltool's delay-import
# stubs (dlltool --output-delaylib) when only their import pointer is used, which is how the
# system headers call every function, so the pointer then leads nowhere. The import pointers and
# their loading thunks are assembled here instead, one source per DLL made from
# cmake/delay_load.s.in (i686) or cmake/delay_load_x86_64.s.in with the functions of the
# toolchain's import library.
if(MINGW)
    enable_language(ASM)
endif()

function(zarv_delay_load target)
    if(MSVC)
        foreach(dll IN LISTS ARGN)
            target_link_options(${target} PRIVATE /DELAYLOAD:${dll}.dll)
        endforeach()
        target_link_libraries(${target} PRIVATE delayimp)
        return()
    endif()
    if(NOT MINGW)
        return()
    endif()
    if(NOT CMAKE_NM)
        message(FATAL_ERROR "zarv_delay_load: the toolchain's nm was not found (CMAKE_NM)")
    endif()
    foreach(ZARV_DLL IN LISTS ARGN)
        find_library(ZARV_IMPLIB_${ZARV_DLL} NAMES lib${ZARV_DLL}.a REQUIRED)
        set(implib ${ZARV_IMPLIB_${ZARV_DLL}})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${implib})
        execute_process(COMMAND ${CMAKE_NM} ${implib} OUTPUT_VARIABLE symbols
                        COMMAND_ERROR_IS_FATAL ANY)
        # Functions have a stub ("T _Name@N" in i686, "T Name" in x86-64) beside their pointer;
        # data exports do not.
        set(ZARV_DELAY_IMPORTS "")
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(REGEX MATCHALL " T _[A-Za-z0-9_]+@[0-9]+" functions "${symbols}")
            list(TRANSFORM functions REPLACE "^ T _" "")
            list(REMOVE_DUPLICATES functions)
            # Every COM server has these; nothing of ours calls them, and two DLLs clash.
            list(FILTER functions EXCLUDE REGEX "^Dll(RegisterServer|UnregisterServer|GetClassObject|CanUnloadNow)@")
            foreach(symbol IN LISTS functions)
                string(REGEX REPLACE "@[0-9]+$" "" name "${symbol}")
                string(APPEND ZARV_DELAY_IMPORTS "        zdl_import ${symbol}, ${name}\n")
            endforeach()
            set(template ${CMAKE_SOURCE_DIR}/cmake/delay_load.s.in)
        else()
            string(REGEX MATCHALL " T [A-Za-z0-9_]+\n" functions "${symbols}")
            list(TRANSFORM functions REPLACE "^ T ([A-Za-z0-9_]+)\n$" "\\1")
            # Interface ids appear as functions too (they come from the uuid library), and every
            # COM server has the Dll* entries, which nothing of ours calls.
            list(FILTER functions EXCLUDE REGEX "^((IID|LIBID|CLSID)_|Dll(RegisterServer|UnregisterServer|GetClassObject|CanUnloadNow)$)")
            list(REMOVE_DUPLICATES functions)
            foreach(symbol IN LISTS functions)
                string(APPEND ZARV_DELAY_IMPORTS "        zdl_import ${symbol}\n")
            endforeach()
            set(template ${CMAKE_SOURCE_DIR}/cmake/delay_load_x86_64.s.in)
        endif()
        set(source ${CMAKE_BINARY_DIR}/delay_load/${ZARV_DLL}_delay.s)
        configure_file(${template} ${source} @ONLY)
        target_sources(${target} PRIVATE ${source})
    endforeach()
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/resident/delay_resolve.c)
endfunction()
