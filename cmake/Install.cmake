# SPDX-License-Identifier: GPL-3.0-or-later
# Installation (cmake --install) and the Debian package (cpack -G DEB): TarnEdit and tarntool in
# bin/, the user guide's Linux edition in share/tarnedit/docs/ (where TarnEdit's help looks for
# it, relative to its own folder), a desktop entry and an icon. TarnPatch is not installed on its own: both
# programs carry it. The package's dependencies come from the libraries the programs link
# (dpkg-shlibdeps).
include(GNUInstallDirs)

# Refuses an install folder that cannot be written before anything is copied, so that a refused
# install leaves nothing half-installed.
install(CODE [[
    set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    set(probe "${prefix}")
    while(NOT EXISTS "${probe}")
        get_filename_component(probe "${probe}" DIRECTORY)
    endwhile()
    set(marker "${probe}/.tarn-install-check")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E touch "${marker}" RESULT_VARIABLE refused
                    OUTPUT_QUIET ERROR_QUIET)
    if(refused OR NOT EXISTS "${marker}")
        message(FATAL_ERROR "Cannot install into ${prefix}: ${probe} is not writable. "
                            "Choose another prefix (cmake --install BUILD --prefix DIR) or "
                            "run the install with the rights to write there.")
    endif()
    file(REMOVE "${marker}")
]])

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
    return()
endif()

foreach(program TarnEdit tarntool)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
install(FILES ${TARN_GUIDE} DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnedit/docs)  # Linux edition
# The licence, the machine-readable copyright where Debian looks for it, and the notices of
# the libraries the programs use.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${PROJECT_SOURCE_DIR}/COPYING
              ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarn-workbench)
if(TARGET TarnEdit)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarnedit.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/tarnedit.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

set(CPACK_PACKAGE_NAME tarn-workbench)
set(CPACK_PACKAGE_VENDOR "Tarn translation workbench")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Translation workbench for the game Tarn: TarnEdit and tarntool")
set(CPACK_PACKAGE_DESCRIPTION
    "TarnEdit shows the texts of an original and a translated Tarn executable side by side, "
    "previews them as the game draws them, edits the texts of the object files and builds "
    "TarnPatch, the program players run to install a translation. tarntool does the same work "
    "from the command line.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER
    "Tarn translation workbench developers <translators@tarn-translation.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)  # tools for a game, not a game
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine64")
include(CPack)
