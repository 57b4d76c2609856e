# SPDX-License-Identifier: MIT
# Runs "orvendel-cli locate" against Wine prefixes made here: one with the game's registry entry
# and an install folder spelt in another case, one without the entry, and a home folder with
# prefixes of several launchers.
# Arguments: -DCLI=path of orvendel-cli, -DWORK=scratch folder.
file(REMOVE_RECURSE "${WORK}")
set(home "${WORK}/home")
file(MAKE_DIRECTORY "${home}")

# A prefix at `dir` whose registry names C:\GAMES\NeverwinterNights\NWN; with `game` true that
# folder holds nwmain.exe (spelt in another case), otherwise the registry has no entry.
function(make_prefix dir game)
    file(MAKE_DIRECTORY "${dir}/dosdevices" "${dir}/drive_c/Games/NeverwinterNights/nwn")
    file(CREATE_LINK "../drive_c" "${dir}/dosdevices/c:" SYMBOLIC)
    if(NOT game)
        file(WRITE "${dir}/system.reg" "WINE REGISTRY Version 2\n")
        return()
    endif()
    file(TOUCH "${dir}/drive_c/Games/NeverwinterNights/nwn/nwmain.exe")
    file(WRITE "${dir}/system.reg" [=[WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win64

[Software\\Wow6432Node\\BioWare\\NWN\\Neverwinter] 1700000000
#time=1d9
"Location"="C:\\GAMES\\NeverwinterNights\\NWN"
]=])
endfunction()

# Runs locate with HOME=`home`, WINEPREFIX=`prefix_dir` (unset when empty) and the arguments
# that follow the output variables.
function(run_locate prefix_dir expected_code out_var err_var)
    if(prefix_dir)
        set(wineprefix "WINEPREFIX=${prefix_dir}")
    else()
        set(wineprefix "--unset=WINEPREFIX")
    endif()
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "HOME=${home}" ${wineprefix} "${CLI}" locate ${ARGN}
        RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "locate ${ARGN} in ${prefix_dir}: exit ${code}, expected ${expected_code}\n${out}${err}")
    endif()
    set(${out_var} "${out}" PARENT_SCOPE)
    set(${err_var} "${err}" PARENT_SCOPE)
endfunction()

set(exe "dosdevices/c:/Games/NeverwinterNights/nwn/nwmain.exe")
set(prefix "${WORK}/prefix")
make_prefix("${prefix}" TRUE)
run_locate("${prefix}" 0 out err)
if(NOT out STREQUAL "${prefix}/${exe}\n")
    message(FATAL_ERROR "locate printed '${out}'")
endif()

make_prefix("${WORK}/empty" FALSE)
run_locate("${WORK}/empty" 1 out err)
if(NOT out STREQUAL "" OR NOT err MATCHES "^orvendel-cli locate: game not found; looked in \\$WINEPREFIX, ~/.wine and .*CrossOver\n  no install folder[^\n]*empty [^\n]*\n$")
    message(FATAL_ERROR "locate without entry printed '${out}' and '${err}'")
endif()

run_locate("${WORK}/missing" 1 out err)
if(NOT err MATCHES "^orvendel-cli locate: game not found; looked in [^\n]*\n  WINEPREFIX names no Wine prefix: [^\n]*/missing/system.reg does not exist\n$")
    message(FATAL_ERROR "locate without prefix printed '${err}'")
endif()

# The game in three launchers' prefixes, listed in the order of the search; ~/.wine without it.
make_prefix("${home}/.wine" FALSE)
make_prefix("${home}/nwn-lutris" TRUE)
file(WRITE "${home}/.config/lutris/games/nwn.yml" "game:\n  exe: nwmain.exe\n  prefix: ~/nwn-lutris\n")
make_prefix("${home}/.local/share/Steam/steamapps/compatdata/704450/pfx" TRUE)
make_prefix("${home}/.cxoffice/NWN" TRUE)
run_locate("" 0 out err --all)
set(expected
    "${home}/nwn-lutris/${exe}\tLutris\t${home}/nwn-lutris\n"
    "${home}/.local/share/Steam/steamapps/compatdata/704450/pfx/${exe}\tSteam\t${home}/.local/share/Steam/steamapps/compatdata/704450/pfx\n"
    "${home}/.cxoffice/NWN/${exe}\tCrossOver\t${home}/.cxoffice/NWN\n")
string(CONCAT expected ${expected})
if(NOT out STREQUAL expected)
    message(FATAL_ERROR "locate --all printed\n${out}expected\n${expected}")
endif()
run_locate("" 0 out err)
if(NOT out STREQUAL "${home}/nwn-lutris/${exe}\n")
    message(FATAL_ERROR "locate printed '${out}' beside other copies")
endif()
run_locate("" 2 out err --every)

# Prefixes whose only record of the game is the store's: GOG's key in system.reg, Steam's in
# user.reg. Plain locate finds each; --all names the store.
function(make_store_prefix dir system_keys user_keys exe)
    file(MAKE_DIRECTORY "${dir}/dosdevices")
    file(CREATE_LINK "../drive_c" "${dir}/dosdevices/c:" SYMBOLIC)
    file(WRITE "${dir}/system.reg" "WINE REGISTRY Version 2\n#arch=win64\n\n${system_keys}")
    file(WRITE "${dir}/user.reg" "WINE REGISTRY Version 2\n\n${user_keys}")
    file(TOUCH "${dir}/drive_c/${exe}")
endfunction()

set(gog "${WORK}/gog-only")
file(MAKE_DIRECTORY "${gog}/drive_c/Apps/GOG/Neverwinter Nights Diamond/")
make_store_prefix("${gog}" [=[
[Software\\Wow6432Node\\GOG.com\\Games\\1207658890] 1700000000
"exe"="C:\\Apps\\GOG\\Neverwinter Nights Diamond\\nwmain.exe"
"path"="C:\\Apps\\GOG\\Neverwinter Nights Diamond"
]=] "" "Apps/GOG/Neverwinter Nights Diamond/nwmain.exe")
run_locate("${gog}" 0 out err)
if(NOT out STREQUAL "${gog}/dosdevices/c:/Apps/GOG/Neverwinter Nights Diamond/nwmain.exe\n")
    message(FATAL_ERROR "locate in a GOG-only prefix printed '${out}${err}'")
endif()
file(REMOVE_RECURSE "${home}")
file(MAKE_DIRECTORY "${home}")
run_locate("${gog}" 0 out err --all)
if(NOT out STREQUAL "${gog}/dosdevices/c:/Apps/GOG/Neverwinter Nights Diamond/nwmain.exe\tWINEPREFIX (GOG)\t${gog}\n")
    message(FATAL_ERROR "locate --all in a GOG-only prefix printed '${out}${err}'")
endif()

set(steam "${WORK}/steam-only")
set(game "Apps/Valve/Steam/steamapps/common/Neverwinter Nights/bin/win32")
file(MAKE_DIRECTORY "${steam}/drive_c/${game}")
make_store_prefix("${steam}" "" [=[
[Software\\Valve\\Steam] 1700000000
"SteamPath"="c:/apps/valve/steam"
]=] "${game}/nwmain.exe")
run_locate("${steam}" 0 out err)
if(NOT out STREQUAL "${steam}/dosdevices/c:/Apps/Valve/Steam/steamapps/common/Neverwinter Nights/bin/win32/nwmain.exe\n")
    message(FATAL_ERROR "locate in a Steam-only prefix printed '${out}${err}'")
endif()
