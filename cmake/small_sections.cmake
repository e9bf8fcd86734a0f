# zarv_small_sections(target): links target with the toolchain's own linker script, changed in
# one way: the small sections of C start-up (.CRT: the initializer and TLS-callback tables) and of
# thread-local data (.tls) go into .data instead of sections of their own. The program's sections
# are aligned to 4 KB in the file (see resident/CMakeLists.txt), so each of those few bytes cost a
# whole 4 KB page of the executable. The TLS template stays at the very start of its section, as
# the linker's SECREL32 relocations of thread-local data need; the loader finds it and the TLS
# callbacks through the TLS directory, wherever they lie.
function(zarv_small_sections target)
    if(NOT MINGW)
        return()
    endif()
    execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE out
                    COMMAND_ERROR_IS_FATAL ANY)
    set(rule "==================================================")
    string(FIND "${out}" "${rule}" first)
    string(FIND "${out}" "${rule}" last REVERSE)
    if(first EQUAL -1 OR last LESS_EQUAL first)
        message(FATAL_ERROR "zarv_small_sections: ${CMAKE_LINKER} printed no linker script")
    endif()
    string(LENGTH "${rule}" length)
    math(EXPR begin "${first} + ${length}")
    math(EXPR size "${last} - ${begin}")
    string(SUBSTRING "${out}" ${begin} ${size} script)

    # Takes the section NAME out of the script; its statements go to VAR.
    macro(take_section name var)
        set(head "  ${name} BLOCK(__section_alignment__) :\n  {\n")
        string(FIND "${script}" "${head}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "zarv_small_sections: no ${name} in the linker script")
        endif()
        string(SUBSTRING "${script}" ${at} -1 rest)
        string(FIND "${rest}" "\n  }\n" close)
        string(LENGTH "${head}" head_length)
        math(EXPR inner_length "${close} - ${head_length} + 1")
        string(SUBSTRING "${rest}" ${head_length} ${inner_length} ${var})
        math(EXPR block_length "${close} + 5")
        string(SUBSTRING "${rest}" 0 ${block_length} block)
        string(REPLACE "${block}" "" script "${script}")
    endmacro()
    take_section(.CRT crt)
    take_section(.tls tls)
    set(data_head "  .data BLOCK(__section_alignment__) :\n  {\n")
    string(FIND "${script}" "${data_head}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "zarv_small_sections: no .data in the linker script")
    endif()
    string(REPLACE "${data_head}" "${data_head}${tls}" script "${script}")
    # Tables of .CRT that the script does not name (the TLS initializers' .CRT$XD*) would make a
    # .CRT section again: they follow the named ones, in the order of their names.
    string(APPEND crt "    KEEP (*(SORT(.CRT$*)))\n")
    string(REPLACE "    *(.data_cygwin_nocopy)\n" "    *(.data_cygwin_nocopy)\n${crt}"
                   script "${script}")
    set(file ${CMAKE_BINARY_DIR}/zarv.ld)
    # Written only when it changed: it is a link dependency, and every configure would relink.
    file(WRITE ${file}.new "${script}")
    configure_file(${file}.new ${file} COPYONLY)
    target_link_options(${target} PRIVATE -Wl,-T,${file})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${file})
endfunction()
