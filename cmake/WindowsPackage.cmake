# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows package (cpack in build-windows/): one folder with both programs, the guide's
# Windows edition beside them (Markdown in docs\, where Help looks, and one HTML page for reading
# without TarnEdit), the spelling dictionaries and a short README.txt; as a ZIP
# (TarnWorkbench-VERSION-win64.zip, holding the folder TarnWorkbench-VERSION) and, where
# Debian's nsis is installed, as an installer of the same name.
install(TARGETS TarnEdit tarntool RUNTIME DESTINATION .)
install(FILES ${TARN_GUIDE} DESTINATION docs)  # the guide's Windows edition
install(FILES ${PROJECT_SOURCE_DIR}/packaging/README-windows.txt DESTINATION . RENAME README.txt)
install(FILES ${PROJECT_SOURCE_DIR}/COPYING DESTINATION . RENAME COPYING.txt)
install(FILES ${PROJECT_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt DESTINATION .)

# Spelling dictionaries beside the programs (their dictionaries folder), from Debian's hunspell-*
# packages, each with its package's licence: for the languages of the game's code pages, the
# Central European ones first, as many as fit 40 MB (unpacked; about a quarter of it packed),
# so that the package stays well under 60 MB. A language whose package is not installed is
# left out with a message.
set(dictionary_budget 40000000)
set(dictionary_total 0)
set(dictionaries_left_out "")
foreach(language IN ITEMS pl_PL cs_CZ sk_SK hu_HU sl_SI hr_HR ro_RO ru_RU bg_BG uk_UA de_DE
                          fr_FR es_ES it_IT pt_BR pt_PT nl_NL en_US lt_LT lv_LV el_GR tr_TR)
    set(aff /usr/share/hunspell/${language}.aff)
    set(dic /usr/share/hunspell/${language}.dic)
    if(NOT EXISTS ${aff} OR NOT EXISTS ${dic})
        list(APPEND dictionaries_left_out ${language})
        continue()
    endif()
    file(REAL_PATH ${aff} aff)
    file(REAL_PATH ${dic} dic)
    file(SIZE ${aff} aff_size)
    file(SIZE ${dic} dic_size)
    math(EXPR total "${dictionary_total} + ${aff_size} + ${dic_size}")
    if(total GREATER dictionary_budget)
        list(APPEND dictionaries_left_out ${language})
        continue()
    endif()
    execute_process(COMMAND dpkg-query -S ${dic} OUTPUT_VARIABLE owner ERROR_QUIET)
    string(REGEX REPLACE ":.*" "" package "${owner}")
    if(NOT EXISTS /usr/share/doc/${package}/copyright)
        list(APPEND dictionaries_left_out ${language})
        continue()
    endif()
    set(dictionary_total ${total})
    install(FILES ${aff} DESTINATION dictionaries RENAME ${language}.aff)
    install(FILES ${dic} DESTINATION dictionaries RENAME ${language}.dic)
    install(FILES /usr/share/doc/${package}/copyright DESTINATION dictionaries
            RENAME ${language}-licence.txt)
endforeach()
if(dictionaries_left_out)
    message(STATUS "Spelling dictionaries left out of the package (not installed, or over the "
                   "budget): ${dictionaries_left_out}")
endif()

find_program(TARN_CMARK cmark)
if(TARN_CMARK)
    set(guide_html ${CMAKE_BINARY_DIR}/docs/user-guide.html)
    add_custom_command(OUTPUT ${guide_html}
        COMMAND ${CMAKE_COMMAND} -DCMARK=${TARN_CMARK} -DINPUT=${TARN_GUIDE}
                -DOUTPUT=${guide_html} -P ${PROJECT_SOURCE_DIR}/cmake/GuideHtml.cmake
        DEPENDS ${TARN_GUIDE} ${PROJECT_SOURCE_DIR}/cmake/GuideHtml.cmake
        COMMENT "The user guide as HTML")
    add_custom_target(guide_html ALL DEPENDS ${guide_html})
    add_dependencies(TarnEdit guide_html)  # so that a package of the programs holds it
    install(FILES ${guide_html} DESTINATION docs)
else()
    message(WARNING "No cmark (Debian's cmark): the package lacks the user guide as HTML")
endif()

set(CPACK_PACKAGE_NAME TarnWorkbench)
set(CPACK_PACKAGE_VENDOR "Tarn translation workbench")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME TarnWorkbench-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY TarnWorkbench)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY TarnWorkbench)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES OFF)  # the Windows programs are linked without debug information
set(CPACK_GENERATOR ZIP)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)  # the installer's licence page
# The ZIP unpacks into one folder of its own, TarnWorkbench-VERSION; the installer's files lie
# directly in the folder chosen.
file(WRITE ${CMAKE_BINARY_DIR}/cpack-per-generator.cmake
     "if(CPACK_GENERATOR STREQUAL \"ZIP\")\n"
     "    set(CPACK_PACKAGING_INSTALL_PREFIX \"/TarnWorkbench-\${CPACK_PACKAGE_VERSION}\")\n"
     "endif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/cpack-per-generator.cmake)

find_program(TARN_MAKENSIS makensis)
if(TARN_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
    # Per user, without administrator rights: under %LOCALAPPDATA%\Programs, the Start menu and
    # the uninstall entry of the user who installs. An installed TarnEdit keeps its settings,
    # journals and word lists in %APPDATA%\TarnEdit (it knows itself installed by the
    # uninstaller beside it), so the uninstaller, deleting the files it lists and then the
    # folders, leaves nothing behind; anything else found there stays.
    set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\\\Programs")  # read back by cpack: escaped twice
    set(CPACK_NSIS_PACKAGE_NAME "Tarn translation workbench")
    set(CPACK_NSIS_DISPLAY_NAME "Tarn translation workbench ${PROJECT_VERSION}")
    set(CPACK_PACKAGE_EXECUTABLES TarnEdit TarnEdit)
    set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
    set(CPACK_NSIS_INSTALLED_ICON_NAME TarnEdit.exe)
    set(CPACK_NSIS_MENU_LINKS "docs/user-guide.html" "TarnEdit user guide")
    set(CPACK_NSIS_MODIFY_PATH OFF)
    # The finish page offers to start TarnEdit and to put a shortcut to it on the desktop.
    set(CPACK_NSIS_MUI_FINISHPAGE_RUN TarnEdit.exe)
    set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Delete '$DESKTOP\\\\TarnEdit.lnk'")  # escaped twice
    set(finish_page_options [=[
!define MUI_FINISHPAGE_RUN_TEXT "Start TarnEdit"
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Put a shortcut to TarnEdit on the desktop"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION CreateDesktopShortcut
Function CreateDesktopShortcut
  CreateShortCut "$DESKTOP\TarnEdit.lnk" "$INSTDIR\TarnEdit.exe"
FunctionEnd
]=])
    # CMake's installer script, changed to ask for no rights and to act for the current user.
    file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in template)
    foreach(from IN ITEMS "RequestExecutionLevel admin" "SetShellVarContext all"
                          "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@")
        string(FIND "${template}" "${from}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "CMake's NSIS template has no \"${from}\" to make per-user")
        endif()
    endforeach()
    string(REPLACE "RequestExecutionLevel admin" "RequestExecutionLevel user" template "${template}")
    string(REPLACE "SetShellVarContext all" "SetShellVarContext current" template "${template}")
    string(REPLACE "$DOCUMENTS\\@CPACK_PACKAGE_INSTALL_DIRECTORY@"
                   "@CPACK_NSIS_INSTALL_ROOT@\\@CPACK_PACKAGE_INSTALL_DIRECTORY@" template "${template}")
    string(REPLACE "@CPACK_NSIS_DEFINES@" "${finish_page_options}@CPACK_NSIS_DEFINES@" template
           "${template}")
    file(WRITE ${CMAKE_BINARY_DIR}/cpack-nsis/NSIS.template.in "${template}")
    file(COPY ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.InstallOptions.ini.in
         DESTINATION ${CMAKE_BINARY_DIR}/cpack-nsis)
    set(CPACK_MODULE_PATH ${CMAKE_BINARY_DIR}/cpack-nsis)
else()
    message(STATUS "No makensis (Debian's nsis): the Windows installer is not made")
endif()
include(CPack)
