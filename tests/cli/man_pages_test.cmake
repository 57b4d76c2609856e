# SPDX-License-Identifier: MIT
# The manual pages format without a warning and have a NAME line that whatis can index.
# Arguments: -DGROFF=path of groff, -DLEXGROG=path of lexgrog (may be empty),
# -DPAGES=the pages, separated by semicolons.
foreach(page IN LISTS PAGES)
    execute_process(COMMAND "${GROFF}" -man -Tutf8 -ww -z "${page}"
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL 0 OR NOT err STREQUAL "")
        message(FATAL_ERROR "groff on ${page}: exit ${code}\n${err}")
    endif()
    if(LEXGROG)
        execute_process(COMMAND "${LEXGROG}" "${page}"
                        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
        if(NOT code EQUAL 0 OR NOT out MATCHES ": \"[a-z-]+ - [^\"]+\"\n$")
            message(FATAL_ERROR "lexgrog on ${page}: exit ${code}\n${out}${err}")
        endif()
    endif()
endforeach()
