# SPDX-License-Identifier: GPL-3.0-or-later
# Lists every include of the production code under SOURCE that points up: a folder may include
# its own headers and those of folders on lower floors only, so that the core never reaches into
# app/ and no two folders lean on each other. Fails when there is one.
# cmake -DSOURCE=DIR -P CheckLayering.cmake
#
# The floors, lowest first: a folder on one floor may include the folders of the floors below.
set(floors
    "common embedded"              # the standard library's helpers; generated data
    "platform"                     # what the systems differ in, behind common's interfaces
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
        file(STRINGS ${SOURCE}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z_0-9]+/")
        foreach(include IN LISTS includes)
            string(REGEX MATCH "\"([a-z_0-9]+)/" ignored "${include}")
            set(target ${CMAKE_MATCH_1})
            if(target STREQUAL top OR NOT DEFINED floor_of_${target})
                continue()
            endif()
            if(NOT floor_of_${target} LESS floor_of_${top})
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
