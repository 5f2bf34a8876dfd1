# SPDX-License-Identifier: GPL-3.0-or-later
# The layering check passes on the real tree, and fails on a tree with an include planted to
# point up: common/ reaching into app/, and exetext/ into exchange/ (a higher floor) and
# objfiles/ (its own floor). Downward includes and the tests' own are let be.
# cmake -DSOURCE=DIR -DWORK=DIR -P layering_test.cmake
cmake_minimum_required(VERSION 3.25)
set(check ${SOURCE}/cmake/CheckLayering.cmake)

execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${SOURCE} -P ${check}
                RESULT_VARIABLE status ERROR_VARIABLE said)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "The tree's layering is broken:\n${said}")
endif()

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/common/bytes.h "#pragma once\n#include \"app/main/main_window.h\"\n")
file(WRITE ${WORK}/exetext/reader.cpp
     "#include \"exetext/reader.h\"\n#include \"common/bytes.h\"\n"
     "#include \"exchange/po_file.h\"\n  #  include \"objfiles/object_file.h\"\n")
file(WRITE ${WORK}/exetext/tests/reader_test.cpp "#include \"app/main/main_window.h\"\n")
file(WRITE ${WORK}/exchange/po.cpp "#include \"exetext/reader.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${WORK} -P ${check}
                RESULT_VARIABLE status ERROR_VARIABLE said)
if(status EQUAL 0)
    message(FATAL_ERROR "Planted upward includes were not found")
endif()
foreach(expected "common/bytes.h: #include \"app/" "exetext/reader.cpp: #include \"exchange/"
                 "exetext/reader.cpp: #  include \"objfiles/")
    string(FIND "${said}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "\"${expected}\" was not named:\n${said}")
    endif()
endforeach()
foreach(allowed "reader_test.cpp" "exchange/po.cpp" "common/bytes.h\"")
    string(FIND "${said}" "${allowed}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "\"${allowed}\" was named though it points down:\n${said}")
    endif()
endforeach()
message(STATUS "The layering check names every planted upward include and nothing else")
