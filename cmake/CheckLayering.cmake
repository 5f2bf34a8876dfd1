# SPDX-License-Identifier: GPL-3.0-or-later
# Lists every include of the production code under SOURCE that points up: a folder may include
# its own headers and those of folders on lower floors only, so that the core never reaches into
# app/ and no two folders lean on each other. Fails when there is one.
# cmake -DSOURCE=DIR -P CheckLayering.cmake
#
# The floors, lowest first: a folder on one floor may include the folders of the floors below.
# A folder of platform/ has a floor of its own: the system halves of common's files sit on
# common's floor (they implement its interfaces), the rest above it.
set(floors
    "common platform/posix platform/windows platform embedded"  # files, bytes; generated data
    "platform/core platform/gettext"  # the console, the program's path; libgettextpo's calls
    "textcodes"                    # the game's text codes and notations
    "exetext objfiles spelling"    # the executable's texts, the object files, spelling
    "exchange enduser"             # PO and text exchange; the players' program's resources
    "patcher"                      # the players' program
    "tarntool app standin")        # the programs
set(floor 0)
foreach(line IN LISTS floors)
    string(REPLACE " " ";" names "${line}")
    foreach(name IN LISTS names)
        set(floor_of_${name} ${floor})
    endforeach()
    math(EXPR floor "${floor} + 1")
endforeach()

# The floor's name of a path inside the tree: its first folder, or its first two where those
# have a floor of their own (platform/core).
function(floor_name path out)
    string(REGEX MATCH "^([a-z_0-9]+)/([a-z_0-9]+)/" ignored "${path}")
    if(CMAKE_MATCH_2 AND DEFINED floor_of_${CMAKE_MATCH_1}/${CMAKE_MATCH_2})
        set(${out} "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}" PARENT_SCOPE)
    else()
        string(REGEX MATCH "^([a-z_0-9]+)/" ignored "${path}")
        set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
    endif()
endfunction()

set(upward)
file(GLOB tops RELATIVE ${SOURCE} LIST_DIRECTORIES true ${SOURCE}/*)
foreach(top IN LISTS tops)
    if(NOT DEFINED floor_of_${top} OR NOT IS_DIRECTORY ${SOURCE}/${top})
        continue()
    endif()
    file(GLOB_RECURSE sources RELATIVE ${SOURCE} ${SOURCE}/${top}/*.h ${SOURCE}/${top}/*.cpp)
    foreach(file IN LISTS sources)
        # Tests and their helpers may reach anywhere.
        if(file MATCHES "/(tests|test_support)/")
            continue()
        endif()
        floor_name("${file}" own)
        file(STRINGS ${SOURCE}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z_0-9]+/")
        foreach(include IN LISTS includes)
            string(REGEX MATCH "\"([^\"]+)\"" ignored "${include}")
            floor_name("${CMAKE_MATCH_1}" target)
            if(target STREQUAL own OR NOT DEFINED floor_of_${target})
                continue()
            endif()
            if(floor_of_${target} GREATER floor_of_${own})
                string(STRIP "${include}" include)
                list(APPEND upward "${file}: ${include}")
            elseif(floor_of_${target} EQUAL floor_of_${own} AND NOT floor_of_${own} EQUAL 0)
                # Folders of one floor stand side by side; only the lowest holds one library.
                string(STRIP "${include}" include)
                list(APPEND upward "${file}: ${include}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(upward)
    list(JOIN upward "\n  " shown)
    message(FATAL_ERROR "Includes that point to the same or a higher floor:\n  ${shown}")
endif()
message(STATUS "Every include points down")
