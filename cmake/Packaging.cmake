# SPDX-License-Identifier: MIT
# What the packages say about Orvendel, and the .deb that `cpack -G DEB` builds from the install
# rules. The dependencies of the .deb are worked out by dpkg-shlibdeps from the installed programs.
set(ORVENDEL_HOMEPAGE "https://orvendel.org")
set(ORVENDEL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/orvendel)

# The release date of this version, as CHANGELOG.md gives it ("## [1.0.0] - 2026-12-06").
string(REPLACE "." "\\." version_pattern ${PROJECT_VERSION})
file(STRINGS ${PROJECT_SOURCE_DIR}/CHANGELOG.md release_heading
     REGEX "^## \\[${version_pattern}\\] - [0-9]+-[0-9]+-[0-9]+$")
string(REGEX MATCH "[0-9]+-[0-9]+-[0-9]+$" ORVENDEL_RELEASE_DATE "${release_heading}")
if(NOT ORVENDEL_RELEASE_DATE)
    message(FATAL_ERROR "${PROJECT_SOURCE_DIR}/CHANGELOG.md: no heading "
                        "\"## [${PROJECT_VERSION}] - YYYY-MM-DD\" for the project's version")
endif()

set(CPACK_PACKAGE_NAME orvendel)
set(CPACK_PACKAGE_VENDOR "The Orvendel developers")
set(CPACK_PACKAGE_CONTACT "The Orvendel developers <developers@orvendel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "camera settings editor for Neverwinter Nights")
set(CPACK_PACKAGE_HOMEPAGE_URL ${ORVENDEL_HOMEPAGE})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Orvendel edits the camera limits that Neverwinter Nights keeps in its client
executable nwmain.exe: angles, zoom distances, viewing distance and camera
height. It finds the game inside its Wine prefix, recognises which of the two
known builds it is, and writes the edited values back without changing
anything else in the file.
.
The package holds the desktop program orvendel and the command-line program
orvendel-cli.")
# Directories in the package as Debian has them, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(UNIX AND NOT APPLE)
    # The copyright file in Debian's machine-readable form and the Debian changelog, compressed
    # as Debian policy asks (gzip -9n: best compression, no name or time stamp).
    execute_process(COMMAND date -u -R -d "${ORVENDEL_RELEASE_DATE} 00:00:00"
                    OUTPUT_VARIABLE ORVENDEL_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(WRITE ${PROJECT_BINARY_DIR}/packaging/changelog
         "orvendel (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
         "  * Release ${PROJECT_VERSION}; see /usr/share/doc/orvendel/CHANGELOG.md.\n\n"
         " -- ${CPACK_PACKAGE_CONTACT}  ${ORVENDEL_RELEASE_DATE_RFC2822}\n")
    find_program(ORVENDEL_GZIP gzip REQUIRED)
    execute_process(COMMAND ${ORVENDEL_GZIP} -9nf ${PROJECT_BINARY_DIR}/packaging/changelog
                    COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
                  ${PROJECT_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${ORVENDEL_DOCDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/CHANGELOG.md DESTINATION ${ORVENDEL_DOCDIR})
endif()

include(CPack)
