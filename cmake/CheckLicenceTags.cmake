# SPDX-License-Identifier: GPL-3.0-or-later
# Lists every source file of the tree under SOURCE whose first three lines carry no
# "SPDX-License-Identifier: GPL-3.0-or-later" tag, and fails when there is one.
# cmake -DSOURCE=DIR -P CheckLicenceTags.cmake
set(tag "SPDX-License-Identifier: GPL-3.0-or-later")
set(patterns *.cpp *.h *.c *.cmake CMakeLists.txt *.sh *.py *.rc.in)
# Build trees (build/, build-asan/, ...) are not the project's source, and too large to walk.
file(GLOB tops RELATIVE ${SOURCE} LIST_DIRECTORIES true ${SOURCE}/* ${SOURCE}/.ci)
set(files)
foreach(top IN LISTS tops)
    if(top MATCHES "^build" OR NOT IS_DIRECTORY ${SOURCE}/${top})
        continue()
    endif()
    list(TRANSFORM patterns PREPEND ${SOURCE}/${top}/ OUTPUT_VARIABLE globs)
    file(GLOB_RECURSE found RELATIVE ${SOURCE} LIST_DIRECTORIES false ${globs})
    list(APPEND files ${found})
endforeach()
file(GLOB found RELATIVE ${SOURCE} LIST_DIRECTORIES false ${SOURCE}/CMakeLists.txt
     ${SOURCE}/.ci/run)
list(APPEND files ${found})
set(untagged)
foreach(file IN LISTS files)
    if(file MATCHES "^fuzz/corpus/")  # the fuzzers' inputs
        continue()
    endif()
    file(STRINGS ${SOURCE}/${file} head LIMIT_COUNT 3)
    string(FIND "${head}" "${tag}" at)
    if(at EQUAL -1)
        list(APPEND untagged ${file})
    endif()
endforeach()
if(untagged)
    list(JOIN untagged "\n  " shown)
    message(FATAL_ERROR "Source files without the line \"${tag}\":\n  ${shown}")
endif()
list(LENGTH files count)
message(STATUS "Every one of ${count} source files carries its licence tag")
