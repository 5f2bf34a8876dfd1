# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build of the programs (preset windows, cmake/toolchains/windows.cmake): GoogleTest
# built from Debian's source package, the test programs that run under Wine, and the header-only
# libraries taken from the build machine without their imported targets (these would put the
# build machine's /usr/include, glibc's headers, on the MinGW compile line).
#
# Sets TARN_WINE (the wine64 that runs the tests, empty without one) and defines tarn_add_test:
# only the programs named in TARN_WINE_TESTS are built and registered, each as one CTest test
# (one Wine start for all its cases), labelled wine.

set(TARN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
    "GoogleTest's sources (Debian's googletest package), built for Windows")
if(NOT EXISTS ${TARN_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${TARN_GOOGLETEST_SOURCE} (Debian's googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# GoogleTest builds with its own flags, not with the project's warnings.
get_directory_property(tarn_saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${TARN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${tarn_saved_options}")
if(NOT TARGET GTest::gtest)  # newer GoogleTest names them itself
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
endif()

# Header-only libraries of the build machine, copied into the build folder alone.
function(tarn_host_headers target header)
    find_path(${target}_HOST_DIR ${header} PATHS /usr/include NO_DEFAULT_PATH
        NO_CMAKE_FIND_ROOT_PATH REQUIRED)
    string(REGEX REPLACE "/.*" "" top ${header})
    set(copy ${CMAKE_BINARY_DIR}/host-headers/${target})
    file(COPY ${${target}_HOST_DIR}/${top} DESTINATION ${copy})
    add_library(${target} INTERFACE IMPORTED GLOBAL)
    set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${copy})
endfunction()
tarn_host_headers(CLI11::CLI11 CLI/CLI.hpp)
tarn_host_headers(nlohmann_json::nlohmann_json nlohmann/json.hpp)

find_program(TARN_WINE NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
if(NOT TARN_WINE)
    set(TARN_WINE "")
    message(STATUS "No wine64: the Windows programs are built but not tested")
endif()

# The test programs run under Wine: the core's and those of the main window, find and replace
# and the object window. The others need the build machine's programs or its file system.
# Each runs as one Wine start; its time limit is a few times what it takes on a loaded 2-core
# machine (core programs up to 25 s, window programs up to 95 s), so that a hung start ends the
# run early instead of holding it.
set(TARN_WINE_TESTS
    common_tests platform_tests textcodes_tests textcodes_search_tests exetext_tests
    objfiles_tests enduser_tests exchange_tests spelling_tests patcher_tests
    main_window_tests find_tests object_windows_tests)
set(TARN_WINE_WINDOW_TESTS main_window_tests find_tests object_windows_tests)

# Every test program under Wine starts through this script, which keeps one Wine prefix for the
# build and no windows or questions from Wine itself.
set(TARN_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh)
set(TARN_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)

# One wineserver serves the whole run (the fixture wine_server): a program started under Wine
# then joins it instead of starting a server of its own and saving the prefix when it ends.
if(TARN_WINE)
    set(wine_server ${PROJECT_SOURCE_DIR}/tests/wine/wine_server.sh)
    add_test(NAME wine_server_start
        COMMAND ${wine_server} start ${TARN_WINE_RUN} ${TARN_WINE} ${TARN_WINE_PREFIX})
    add_test(NAME wine_server_stop
        COMMAND ${wine_server} stop ${TARN_WINE_RUN} ${TARN_WINE} ${TARN_WINE_PREFIX})
    set_tests_properties(wine_server_start PROPERTIES FIXTURES_SETUP wine_server LABELS wine
        TIMEOUT 300)
    set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine_server LABELS wine
        TIMEOUT 60)
endif()

function(tarn_add_test name)
    if(NOT name IN_LIST TARN_WINE_TESTS)
        add_executable(${name} EXCLUDE_FROM_ALL ${ARGN})
        target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
        return()
    endif()
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
    if(TARN_WINE)
        add_test(NAME ${name}
            COMMAND ${TARN_WINE_RUN} ${TARN_WINE} ${TARN_WINE_PREFIX} $<TARGET_FILE:${name}>)
        set(limit 120)
        if(name IN_LIST TARN_WINE_WINDOW_TESTS)
            set(limit 400)
        endif()
        set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT ${limit}
            FIXTURES_REQUIRED wine_server ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    endif()
endfunction()

# The version resource Windows shows in a program's properties.
enable_language(RC)
function(tarn_windows_version_resource target description)
    set(TARN_RC_NAME ${target})
    set(TARN_RC_DESCRIPTION ${description})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows_version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

# The package takes the programs as built; it does not first build every test program.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
