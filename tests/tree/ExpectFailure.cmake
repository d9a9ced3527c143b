# Runs one of the source tree's check scripts (cmake/Check*.cmake) on a
# fixture it must refuse, and passes only when the check fails AND its output
# holds every text of EXPECT and none of REJECT:
#
#   cmake -DCHECK=<script> -DSOURCE_DIR=<fixture> [-DCLANG_FORMAT=<path>]
#         -DEXPECT=<text>|<text>... [-DREJECT=<text>|...] -P ExpectFailure.cmake
#
# The texts are plain text, not patterns, separated by "|". A check that
# stopped checking passes the fixture, or no longer names what it found: both
# fail here.
cmake_minimum_required(VERSION 3.25)

foreach(variable CHECK SOURCE_DIR EXPECT)
    if(NOT DEFINED ${variable} OR "${${variable}}" STREQUAL "")
        message(FATAL_ERROR "ExpectFailure: -D${variable} is needed")
    endif()
endforeach()

set(arguments "-DSOURCE_DIR=${SOURCE_DIR}")
if(DEFINED CLANG_FORMAT)
    list(APPEND arguments "-DCLANG_FORMAT=${CLANG_FORMAT}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" ${arguments} -P "${CHECK}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

set(wrong "")
if(result EQUAL 0)
    string(APPEND wrong "  the check passed; it must fail on this fixture\n")
endif()
string(REPLACE "|" ";" expected "${EXPECT}")
foreach(text IN LISTS expected)
    string(FIND "${output}" "${text}" at)
    if(at EQUAL -1)
        string(APPEND wrong "  its output does not say: ${text}\n")
    endif()
endforeach()
if(DEFINED REJECT)
    string(REPLACE "|" ";" rejected "${REJECT}")
    foreach(text IN LISTS rejected)
        string(FIND "${output}" "${text}" at)
        if(NOT at EQUAL -1)
            string(APPEND wrong "  its output names what it must not: ${text}\n")
        endif()
    endforeach()
endif()

get_filename_component(check_name "${CHECK}" NAME)
message("${check_name} on ${SOURCE_DIR} (exit ${result}) said:\n${output}")
if(wrong)
    message("Not as expected:\n${wrong}")
    message(FATAL_ERROR "${check_name} did not refuse the fixture as it should")
endif()
