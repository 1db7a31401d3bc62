# Makes a program's manual page from its --help, compressed as Debian keeps manual pages.
# cmake -DPROGRAM=path -DNAME=vexa-cli -DSUMMARY="..." -DVERSION=0.14 -DSEE_ALSO="a;b"
#       -DREADME=/usr/share/doc/vexa/README.md -DOUTPUT=vexa-cli.1.gz -P manual_page.cmake
foreach(arg PROGRAM NAME SUMMARY VERSION OUTPUT)
    if(NOT DEFINED ${arg})
        message(FATAL_ERROR "manual_page.cmake: ${arg} is not given")
    endif()
endforeach()

execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE code
                ERROR_VARIABLE errors)
if(NOT code EQUAL 0 OR help STREQUAL "")
    message(FATAL_ERROR "${NAME} --help failed (${code}): ${errors}")
endif()

# Text to roff: a backslash is printed by \e, a minus sign by \- (a bare - may be set as a
# hyphen, which breaks a copied option), and a line starting with a dot or an apostrophe would
# be read as a request.
function(roff text out)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(TOUPPER "${NAME}" title)
roff("${title}" title)
roff("${NAME}" name)
roff("${SUMMARY}" summary)
roff("${help}" body)
set(page ".TH ${title} 1 \"\" \"Vexa ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${name} \\- ${summary}\n")
string(APPEND page ".SH DESCRIPTION\n.nf\n${body}")
if(NOT body MATCHES "\n$")
    string(APPEND page "\n")
endif()
string(APPEND page ".fi\n.SH SEE ALSO\n")
set(others "")
foreach(other ${SEE_ALSO})
    roff("${other}" other)
    list(APPEND others ".BR ${other} (1)")
endforeach()
list(JOIN others ",\n" others)
string(APPEND page "${others}\n")
if(DEFINED README)
    roff("${README}" readme)
    string(APPEND page ".PP\nThe whole manual of the program: ${readme}\n")
endif()

string(REGEX REPLACE "\\.gz$" "" plain "${OUTPUT}")
file(WRITE "${plain}" "${page}")
execute_process(COMMAND gzip -9nf "${plain}" RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${plain}")
endif()
