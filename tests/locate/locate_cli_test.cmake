# Runs "orvendel-cli locate" against Wine prefixes made here: one with the game's registry entry
# and an install folder spelt in another case, one without the entry.
# Arguments: -DCLI=path of orvendel-cli, -DWORK=scratch folder.
file(REMOVE_RECURSE "${WORK}")
set(prefix "${WORK}/prefix")
file(MAKE_DIRECTORY "${prefix}/dosdevices" "${prefix}/drive_c/Games/NeverwinterNights/nwn")
file(CREATE_LINK "../drive_c" "${prefix}/dosdevices/c:" SYMBOLIC)
file(TOUCH "${prefix}/drive_c/Games/NeverwinterNights/nwn/nwmain.exe")
file(WRITE "${prefix}/system.reg" [=[WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\Wow6432Node\\BioWare\\NWN\\Neverwinter] 1700000000
#time=1d9
"Location"="C:\\GAMES\\NeverwinterNights\\NWN"
]=])

function(run_locate prefix_dir expected_code out_var err_var)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "WINEPREFIX=${prefix_dir}" "${CLI}" locate
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "locate in ${prefix_dir}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    set(${out_var} "${out}" PARENT_SCOPE)
    set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

run_locate("${prefix}" 0 out err)
set(expected "${prefix}/dosdevices/c:/Games/NeverwinterNights/nwn/nwmain.exe\n")
if(NOT out STREQUAL expected)
    message(FATAL_ERROR "locate printed '${out}', expected '${expected}'")
endif()

file(MAKE_DIRECTORY "${WORK}/empty")
file(WRITE "${WORK}/empty/system.reg" "WINE REGISTRY Version 2\n")
run_locate("${WORK}/empty" 1 out err)
if(NOT out STREQUAL "" OR NOT err MATCHES "^orvendel-cli locate: game not found: no install folder.*empty")
    message(FATAL_ERROR "locate without entry printed '${out}' and '${err}'")
endif()

run_locate("${WORK}/missing" 1 out err)
if(NOT err MATCHES "missing does not exist\n$")
    message(FATAL_ERROR "locate without prefix printed '${err}'")
endif()
