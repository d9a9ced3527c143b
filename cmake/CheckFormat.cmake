# Checks that every C++ file of a source tree matches the tree's .clang-format:
#
#   cmake -DSOURCE_DIR=<tree root> -DCLANG_FORMAT=<path to clang-format> -P cmake/CheckFormat.cmake
#
# (without CLANG_FORMAT, or with a NOTFOUND one, clang-format is looked for
# on PATH; when there is none the check fails and says so).
# Looks at every *.cpp and *.h under src, tests, tools, fuzz and bench
# (those that exist), but for build folders (build, build-*) and the tests'
# data folders (tests/.../data), which hold fixtures. Prints one line for
# every file that differs, with the first line clang-format would change, and
# fails; prints one short line when every file matches.
# `clang-format -i <file>` formats a file the way the check wants it.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED SOURCE_DIR OR NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "CheckFormat: -DSOURCE_DIR must name a source tree (got \"${SOURCE_DIR}\")")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
if(NOT CLANG_FORMAT)
    # Not found when the build folder was configured: `make test` may have
    # installed it since (make test-deps), so it is looked for once more.
    find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
endif()
if(NOT CLANG_FORMAT)
    message(FATAL_ERROR "CheckFormat: clang-format is not installed, so the format cannot be "
        "checked. Install the Debian package clang-format (make test-deps does).")
endif()
set(style "${SOURCE_DIR}/.clang-format")
if(NOT EXISTS "${style}")
    message(FATAL_ERROR "CheckFormat: ${SOURCE_DIR} has no .clang-format")
endif()
execute_process(COMMAND "${CLANG_FORMAT}" --version
    RESULT_VARIABLE result OUTPUT_VARIABLE version ERROR_VARIABLE version)
string(STRIP "${version}" version)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "CheckFormat: ${CLANG_FORMAT} does not run: ${result} ${version}")
endif()

set(files "")
foreach(folder src tests tools fuzz bench)
    if(IS_DIRECTORY "${SOURCE_DIR}/${folder}")
        file(GLOB_RECURSE found LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}"
            "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
        list(APPEND files ${found})
    endif()
endforeach()
list(FILTER files EXCLUDE REGEX "(^|/)build(-[^/]*)?/")
list(FILTER files EXCLUDE REGEX "^tests/(.*/)?data/")
list(SORT files)
if(NOT files)
    message(FATAL_ERROR "CheckFormat: no *.cpp or *.h under ${SOURCE_DIR}: nothing was checked")
endif()

# One run over every file; --ferror-limit=1 makes it name each differing file
# once, at the first line it would change.
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run -Werror --ferror-limit=1 "--style=file:${style}"
        ${files}
    WORKING_DIRECTORY "${SOURCE_DIR}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)

string(REGEX REPLACE "[][;\\\r]" "_" output "${output}")
string(REPLACE "\n" ";" lines "${output}")
set(differing "")
set(other "")
foreach(line IN LISTS lines)
    if(line MATCHES "^(.+):([0-9]+):[0-9]+: error: code should be clang-formatted")
        list(APPEND differing "${CMAKE_MATCH_1}:${CMAKE_MATCH_2}")
        message("${CMAKE_MATCH_1}:${CMAKE_MATCH_2}: does not match .clang-format (the first line clang-format would change)")
    elseif(line MATCHES ": (error|warning):")
        list(APPEND other "${line}")
    endif()
endforeach()

if(other OR (NOT result EQUAL 0 AND NOT differing))
    string(REPLACE ";" "\n" output "${output}")
    message("clang-format (${CLANG_FORMAT}) failed otherwise, exit ${result}:\n${output}")
    message(FATAL_ERROR "CheckFormat: clang-format could not check the tree (${version})")
endif()
if(differing)
    message(FATAL_ERROR "CheckFormat: the files above do not match .clang-format (${version}); "
        "`clang-format -i <file>` formats one")
endif()
message(STATUS "Every C++ file matches .clang-format (${version})")
