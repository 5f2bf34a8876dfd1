# SPDX-License-Identifier: GPL-3.0-or-later
# One system's edition of the user guide:
# cmake -DSYSTEM=windows|linux -DINPUT=user-guide.md -DOUTPUT=FILE -P GuideEdition.cmake
# The guide marks what holds for one system only with lines of their own (indented, inside a
# list item), "<!-- linux -->" … "<!-- /linux -->" and "<!-- windows -->" … "<!-- /windows -->",
# which Markdown viewers show as nothing. The edition keeps the unmarked lines and those of its system, and drops the other
# system's lines and every marker line. A marker that is not a line of its own, one inside
# another part, a closing one that closes nothing and one left open are errors naming the line.
if(NOT SYSTEM MATCHES "^(windows|linux)$")
    message(FATAL_ERROR "SYSTEM must be windows or linux, not \"${SYSTEM}\"")
endif()
file(READ ${INPUT} text)
if(NOT text MATCHES "\n$")
    string(APPEND text "\n")
endif()

# Semicolons and square brackets would split or join the lines' list: they are set aside while
# the lines are walked.
string(REPLACE ";" "<tarn-semicolon>" text "${text}")
string(REPLACE "[" "<tarn-open>" text "${text}")
string(REPLACE "]" "<tarn-close>" text "${text}")
string(REGEX MATCHALL "[^\n]*\n" lines "${text}")

set(edition "")
set(part "")  # the system whose marked lines are being walked, empty outside them
set(number 0)
foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line MATCHES "^[ \t]*<!-- (/?)(linux|windows) -->[ \t\r]*\n$")
        set(system ${CMAKE_MATCH_2})
        if(CMAKE_MATCH_1)
            if(NOT part STREQUAL system)
                message(FATAL_ERROR "${INPUT}:${number}: <!-- /${system} --> closes no "
                                    "<!-- ${system} --> part")
            endif()
            set(part "")
        elseif(part)
            message(FATAL_ERROR "${INPUT}:${number}: <!-- ${system} --> inside the ${part} part "
                                "opened on line ${opened}")
        else()
            set(part ${system})
            set(opened ${number})
        endif()
    elseif(line MATCHES "<!-- /?(linux|windows) -->")
        message(FATAL_ERROR "${INPUT}:${number}: a <!-- ${CMAKE_MATCH_1} --> marker must be a "
                            "line of its own")
    elseif(part STREQUAL "" OR part STREQUAL SYSTEM)
        string(APPEND edition "${line}")
    endif()
endforeach()
if(part)
    message(FATAL_ERROR "${INPUT}:${opened}: <!-- ${part} --> is never closed")
endif()

string(REPLACE "<tarn-semicolon>" ";" edition "${edition}")
string(REPLACE "<tarn-open>" "[" edition "${edition}")
string(REPLACE "<tarn-close>" "]" edition "${edition}")
file(WRITE ${OUTPUT} "${edition}")
