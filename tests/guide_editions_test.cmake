# SPDX-License-Identifier: GPL-3.0-or-later
# The user guide's two editions, made from the real guide by cmake/GuideEdition.cmake: each holds
# every section Help opens and nothing of the other system; a badly marked guide is refused with
# the line of its fault.
# cmake -DSOURCE=DIR -DWORK=DIR -P guide_editions_test.cmake
cmake_minimum_required(VERSION 3.25)
set(edition_script ${SOURCE}/cmake/GuideEdition.cmake)
file(MAKE_DIRECTORY ${WORK})

# Makes one edition; sets `result` to the script's exit status and `errors` to what it said.
function(make_edition system input output)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSYSTEM=${system} -DINPUT=${input}
                            -DOUTPUT=${output} -P ${edition_script}
                    RESULT_VARIABLE status ERROR_VARIABLE said)
    set(result ${status} PARENT_SCOPE)
    set(errors "${said}" PARENT_SCOPE)
endfunction()

# The sections Help opens by context number: every edition needs their headings.
file(READ ${SOURCE}/app/widgets/help_viewer.cpp viewer)
string(REGEX MATCH "QString helpSection\\(int context\\) {[^}]*}" map "${viewer}")
string(REGEX MATCHALL "QStringLiteral\\(\"[a-z0-9-]+\"\\)" sections "${map}")
list(TRANSFORM sections REPLACE "QStringLiteral\\(\"([a-z0-9-]+)\"\\)" "\\1")
if(NOT sections)
    message(FATAL_ERROR "No sections found in helpSection of help_viewer.cpp")
endif()

# system, then what its edition must not hold (a regular expression).
set(cases
    "windows=[^a-z]apt[^a-z]|chmod|/usr/share/hunspell|~/\\.config|scripts/run\\.sh|<!--"
    "linux=%APPDATA%|tarntool\\.exe|<!--")
foreach(case IN LISTS cases)
    string(REGEX MATCH "^([a-z]+)=(.*)$" ignored "${case}")
    set(system ${CMAKE_MATCH_1})
    set(foreign "${CMAKE_MATCH_2}")
    set(edition ${WORK}/user-guide-${system}.md)
    make_edition(${system} ${SOURCE}/docs/user-guide.md ${edition})
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "The ${system} edition was not made: ${errors}")
    endif()
    file(READ ${edition} text)
    if(text MATCHES "${foreign}")
        message(FATAL_ERROR "The ${system} edition holds \"${CMAKE_MATCH_0}\"")
    endif()
    # Headings as Help's anchors: lower case, spaces as hyphens, other punctuation dropped.
    string(REGEX MATCHALL "\n#+ [^\n]*" headings "\n${text}")
    string(TOLOWER "${headings}" anchors)
    string(REGEX REPLACE "\n#+ " "" anchors "${anchors}")
    string(REGEX REPLACE "[^a-z0-9 ;_-]" "" anchors "${anchors}")
    string(REPLACE " " "-" anchors "${anchors}")
    foreach(section IN LISTS sections)
        if(NOT section IN_LIST anchors)
            message(FATAL_ERROR "The ${system} edition has no heading for Help's \"${section}\"")
        endif()
    endforeach()
endforeach()

# A badly marked guide, then the line the refusal must name.
set(bad_guides
    "text\n<!-- windows -->\nopen to the end\n=:2: <!-- windows --> is never closed"
    "<!-- linux -->\na\n<!-- windows -->\nb\n=:3: <!-- windows --> inside the linux part"
    "a\n<!-- /linux -->\n=:2: <!-- /linux --> closes no"
    "a <!-- linux --> b\n=:1: a <!-- linux --> marker must be a line of its own")
foreach(bad IN LISTS bad_guides)
    string(REGEX MATCH "^(.*)=(.*)$" ignored "${bad}")
    set(guide "${CMAKE_MATCH_1}")
    set(expected "${CMAKE_MATCH_2}")
    file(WRITE ${WORK}/bad-guide.md "${guide}")
    make_edition(linux ${WORK}/bad-guide.md ${WORK}/bad-edition.md)
    string(REPLACE "\n" " " said "${errors}")
    string(REGEX REPLACE " +" " " said "${said}")
    string(FIND "${said}" "bad-guide.md${expected}" at)
    if(result EQUAL 0 OR at EQUAL -1)
        message(FATAL_ERROR "A guide marked as \"${guide}\" was not refused with "
                            "\"${expected}\": ${errors}")
    endif()
endforeach()
message(STATUS "Both editions hold Help's ${sections} and nothing of the other system")
