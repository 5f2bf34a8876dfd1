# SPDX-License-Identifier: GPL-3.0-or-later
# The user guide as one HTML page for readers without TarnEdit's help window (the Windows
# package): cmake -DCMARK=PROGRAM -DINPUT=user-guide.md -DOUTPUT=user-guide.html -P GuideHtml.cmake
# cmark writes the body; each heading gets the id its contents links point at (lower case,
# spaces as hyphens, other punctuation dropped), as the guide's table of contents expects.
execute_process(COMMAND ${CMARK} --to html ${INPUT} OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cmark could not convert ${INPUT}")
endif()

# Semicolons would split the lines' list: they are set aside while the lines are walked.
string(REPLACE ";" "<tarn-semicolon>" body "${body}")
set(html "")
string(REGEX MATCHALL "[^\n]*\n" lines "${body}")
foreach(line IN LISTS lines)
    if(line MATCHES "^<h([1-6])>(.*)</h[1-6]>")
        set(level ${CMAKE_MATCH_1})
        set(title "${CMAKE_MATCH_2}")
        string(REGEX REPLACE "<[^>]*>" "" slug "${title}")
        string(REGEX REPLACE "&[a-z]+<tarn-semicolon>|&#[0-9]+<tarn-semicolon>" "" slug "${slug}")
        string(TOLOWER "${slug}" slug)
        string(REGEX REPLACE "[^a-z0-9 _-]" "" slug "${slug}")
        string(REPLACE " " "-" slug "${slug}")
        string(APPEND html "<h${level} id=\"${slug}\">${title}</h${level}>\n")
    else()
        string(APPEND html "${line}")
    endif()
endforeach()
string(REPLACE "<tarn-semicolon>" ";" html "${html}")

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html>
<head>
<meta charset=\"utf-8\">
<title>TarnEdit user guide</title>
<style>body { max-width: 50em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; }
pre, code { background: #f4f4f4; } table { border-collapse: collapse; }
td, th { border: 1px solid #ccc; padding: 0.2em 0.5em; }</style>
</head>
<body>
${html}</body>
</html>
")
