# cmake -DFILE=path -DLIMIT=bytes -P check_size.cmake: fails when the file is larger than LIMIT.
file(SIZE "${FILE}" size)
math(EXPR kb "${size} / 1024")
math(EXPR limit_kb "${LIMIT} / 1024")
if(size GREATER LIMIT)
    message(FATAL_ERROR "${FILE}: ${kb} KB, more than ${limit_kb} KB "
                        "(scripts/size_report.py shows what takes the room)")
endif()
message(STATUS "${FILE}: ${kb} KB of at most ${limit_kb} KB")
