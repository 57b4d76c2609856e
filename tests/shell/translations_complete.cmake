# SPDX-License-Identifier: MIT
# Fails when a translation misses a text that the window's sources mark for translation, keeps
# one the sources no longer have, or leaves an entry unfinished. Each .ts file is copied into
# WORK_DIR and brought up to date there with lupdate, as the update_translations target would:
# a text new in the sources then shows up as unfinished, a dropped one as vanished.
#
#   cmake -DLUPDATE=<lupdate> -DSOURCE_DIR=<src> -DWORK_DIR=<dir> "-DTS_FILES=<a.ts;b.ts>"
#         -P translations_complete.cmake
foreach(variable LUPDATE SOURCE_DIR WORK_DIR TS_FILES)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "translations_complete.cmake needs -D${variable}=")
    endif()
endforeach()

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(failures "")
foreach(ts IN LISTS TS_FILES)
    get_filename_component(name "${ts}" NAME)
    set(copy "${WORK_DIR}/${name}")
    file(COPY_FILE "${ts}" "${copy}")
    execute_process(
        COMMAND "${LUPDATE}" -silent -locations none -I "${SOURCE_DIR}" "${SOURCE_DIR}/shell"
                -ts "${copy}"
        RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "lupdate failed on ${name}: ${errors}")
    endif()
    file(READ "${copy}" updated)
    foreach(state unfinished vanished obsolete)
        string(REGEX MATCHALL "<message>[^<]*<source>[^<]*</source>[^<]*(<[a-z]*comment>[^<]*</[a-z]*comment>[^<]*)*<translation type=\"${state}\""
               entries "${updated}")
        foreach(entry IN LISTS entries)
            string(REGEX REPLACE ".*<source>([^<]*)</source>.*" "\\1" source "${entry}")
            string(APPEND failures "${name}: ${state}: ${source}\n")
        endforeach()
    endforeach()
endforeach()
if(failures)
    message(FATAL_ERROR "Translations to finish (run the update_translations target, then "
                        "translate):\n${failures}")
endif()
list(LENGTH TS_FILES count)
message(STATUS "${count} translations hold every text the window's sources mark")
