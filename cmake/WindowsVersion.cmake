# SPDX-License-Identifier: MIT
# orvendel_windows_version(target description): gives a Windows program a version resource
# with the project's version, product name and licence.
function(orvendel_windows_version target description)
    set(ORVENDEL_RC_TARGET ${target})
    set(ORVENDEL_RC_FILE ${target}.exe)
    set(ORVENDEL_RC_DESCRIPTION "${description}")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/windows-version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
