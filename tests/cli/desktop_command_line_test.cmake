# SPDX-License-Identifier: MIT
# The command lines of both programs: --help, --version and wrong arguments of the desktop
# program with no display at all, Qt's own options taken, "orvendel FILE" proposing FILE.
# Arguments: -DGUI=path of orvendel, -DCLI=path of orvendel-cli, -DMAKE_SAMPLE=path of
# make-sample, -DVERSION=the project's version, -DWORK=scratch folder.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")

# run(expected_code out_var err_var env... -- command...)
function(run expected_code out_var err_var)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${ARGN}
                    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    set(${out_var} "${out}" PARENT_SCOPE)
    set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

set(no_display --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
run(0 out err ${no_display} "${GUI}" --version)
if(NOT out STREQUAL "orvendel ${VERSION}\n")
    message(FATAL_ERROR "orvendel --version printed '${out}' '${err}'")
endif()
run(0 out err ${no_display} "${CLI}" --version)
if(NOT out STREQUAL "orvendel-cli ${VERSION}\n")
    message(FATAL_ERROR "orvendel-cli --version printed '${out}' '${err}'")
endif()
run(0 out err ${no_display} "${GUI}" --help)
if(NOT out MATCHES "\\[file\\]\n" OR NOT out MATCHES "--path <file>")
    message(FATAL_ERROR "orvendel --help printed '${out}' '${err}'")
endif()

# Wrong arguments are answered with the usage and exit status 2, before a display is needed.
run(2 out err ${no_display} "${GUI}" --bad-option)
if(NOT err MATCHES "^orvendel: Unknown option 'bad-option'.\nusage: orvendel "
   OR NOT err MATCHES "\nTry 'orvendel --help' for more.\n$")
    message(FATAL_ERROR "orvendel --bad-option printed '${out}' '${err}'")
endif()
run(2 out err ${no_display} "${GUI}" --path "${WORK}/a/nwmain.exe" "${WORK}/b/nwmain.exe")
if(NOT err MATCHES "^orvendel: give one file")
    message(FATAL_ERROR "orvendel --path FILE FILE printed '${err}'")
endif()

# With nothing to find in the home folder, the settings page opens only on the file given. The
# platform comes from Qt's own option, which the program leaves to Qt.
set(offscreen ${no_display} "HOME=${WORK}/home" "WINEPREFIX=${WORK}/no-prefix")
file(MAKE_DIRECTORY "${WORK}/game")
execute_process(COMMAND "${MAKE_SAMPLE}" --revision 1 "${WORK}/game/nwmain.exe"
                RESULT_VARIABLE code OUTPUT_QUIET)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "make-sample failed: ${code}")
endif()
run(0 out err ${offscreen} "${GUI}" -platform offscreen "${WORK}/game/nwmain.exe"
    --screenshot "${WORK}/pictures")
if(NOT EXISTS "${WORK}/pictures/settings-page.png")
    message(FATAL_ERROR "orvendel FILE did not open the settings page: '${err}'")
endif()
