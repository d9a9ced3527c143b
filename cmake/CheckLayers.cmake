# Checks that the folders of a source tree include one another only downwards,
# in the order the tree's Layers.txt declares (src/Layers.txt explains the rule):
#
#   cmake -DSOURCE_DIR=<folder holding Layers.txt and the layer folders> -P cmake/CheckLayers.cmake
#
# Prints one line for every include against the order, every folder that
# Layers.txt does not declare and every declared folder that does not exist,
# then fails; prints one short line when the tree is in order.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED SOURCE_DIR OR NOT IS_DIRECTORY "${SOURCE_DIR}")
    message(FATAL_ERROR "CheckLayers: -DSOURCE_DIR must name a source folder (got \"${SOURCE_DIR}\")")
endif()
get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
get_filename_component(tree "${SOURCE_DIR}" NAME)
set(layers_file "${SOURCE_DIR}/Layers.txt")
if(NOT EXISTS "${layers_file}")
    message(FATAL_ERROR "CheckLayers: ${tree}/Layers.txt does not exist")
endif()

# The lines of a file as a list, one element a line, empty lines kept. The
# characters a CMake list treats specially (; [ ] \) become "_": no include
# this script judges holds them, and the line numbers stay right.
function(read_lines file out)
    file(READ "${file}" content)
    string(REGEX REPLACE "[][;\\\r]" "_" content "${content}")
    string(REPLACE "\n" ";" content "${content}")
    set(${out} "${content}" PARENT_SCOPE)
endfunction()

set(failed FALSE)
macro(problem text)
    message("${text}")
    set(failed TRUE)
endmacro()

# The declared levels: level_of_<folder> is the folder's level (1 lowest) and
# declared_at_<folder> the line of Layers.txt that names it.
read_lines("${layers_file}" lines)
set(declared "")
set(level 0)
set(number 0)
foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    string(REGEX REPLACE "#.*" "" line "${line}")
    string(REGEX MATCHALL "[^ \t]+" names "${line}")
    if(NOT names)
        continue()
    endif()
    math(EXPR level "${level} + 1")
    foreach(name IN LISTS names)
        if(NOT name MATCHES "^[A-Za-z0-9_-]+$")
            problem("${tree}/Layers.txt:${number}: \"${name}\" is not a folder name")
        elseif(DEFINED "level_of_${name}")
            problem("${tree}/Layers.txt:${number}: ${name} is declared again (first on line ${declared_at_${name}})")
        else()
            set(level_of_${name} ${level})
            set(declared_at_${name} ${number})
            list(APPEND declared ${name})
        endif()
    endforeach()
endforeach()

# Every folder exists and is declared.
file(GLOB children LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
set(folders "")
foreach(child IN LISTS children)
    if(IS_DIRECTORY "${SOURCE_DIR}/${child}" AND NOT child MATCHES "^\\.")
        list(APPEND folders ${child})
    endif()
endforeach()
list(SORT folders)
foreach(folder IN LISTS folders)
    if(NOT DEFINED "level_of_${folder}")
        problem("${tree}/${folder}/: the folder is not declared in ${tree}/Layers.txt")
    endif()
endforeach()
foreach(name IN LISTS declared)
    if(NOT name IN_LIST folders)
        problem("${tree}/Layers.txt:${declared_at_${name}}: ${name} is declared, but ${tree}/${name}/ does not exist")
    endif()
endforeach()

# Every quoted include "B/..." of a file in a declared folder A points below A.
# Files straight in the tree (main.cpp) may include anything; a folder that is
# not declared was reported above, its includes are not judged.
set(include_regex "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_-]+)/")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
list(FILTER files INCLUDE REGEX "/.*\\.(c|cc|cpp|cxx|h|hh|hpp|hxx|inl|ipp)$")
list(SORT files)
foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" from "${file}")
    if(NOT DEFINED "level_of_${from}")
        continue()
    endif()
    read_lines("${SOURCE_DIR}/${file}" lines)
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(NOT line MATCHES "${include_regex}")
            continue()
        endif()
        set(to "${CMAKE_MATCH_1}")
        if(to STREQUAL from OR NOT DEFINED "level_of_${to}")
            continue()
        endif()
        if("${level_of_${to}}" EQUAL "${level_of_${from}}")
            problem("${tree}/${file}:${number}: ${from} may not include ${to} (${to} is a peer of ${from}, not below it)")
        elseif("${level_of_${to}}" GREATER "${level_of_${from}}")
            problem("${tree}/${file}:${number}: ${from} may not include ${to} (${to} is above ${from})")
        endif()
    endforeach()
endforeach()

if(failed)
    message(FATAL_ERROR "${tree}/ does not follow the order of ${tree}/Layers.txt (the lines above)")
endif()
message(STATUS "${tree}/ follows the order of ${tree}/Layers.txt")
