# tests/tools/check_layers.cmake: fails when a source file includes a header of a library that
# stands above its own, or names a header by a relative path that leaves its own folder. Run as
# cmake -DROOT=<source tree> -P check_layers.cmake.
#
# Every C++ file below ROOT (except tests/data/ and build folders, which hold a CMakeCache.txt)
# belongs to the library of the longest folder (or file) prefix listed below, and may include
# headers of its own library and of libraries on lower layers only; two libraries on one layer
# may not include each other. A file in a folder the table does not know fails too: a new folder
# gets its line first. Includes are written from the source tree's root ("database/nodes/node.h");
# one with a "../" (or an absolute path) fails, and one found beside the including file
# ("window/qry_bar.h" from queries/) is judged by the folder it lands in. The layers, as numbers
# (a library's tests and benchmarks, in tests/<folder>/ and bench/<folder>/, stand 2 above it,
# over the test helpers):
#   10 platform_base   20 common   25 database   30 query engine   31 templates and the settings
#   store   32 diagram and report engines (side by side: neither includes the other)   36 merge
#   engine   40 platform_ui   45 media (pictures)   50 controls   55 window base (app/shell/)
#   60 records
#   70 query window and named lists   72 the diagram, report, multimedia and merge windows (over
#   the query window's dialogs)   80 application object and main.
# Folders listed before their library's code exists are checked as soon as files appear in them.

if(NOT ROOT)
    message(FATAL_ERROR "usage: cmake -DROOT=<source tree> -P check_layers.cmake")
endif()

# prefix|layer|library
set(LAYERS
    "platform/base/|10|platform_base"
    "common/|20|common"
    "database/|25|database"
    "queries/|30|queries"
    "templates/|31|templates"
    "diagrams/|32|diagrams"
    "reports/|32|reports"
    "merge/|36|merge"
    "platform/ui/|40|platform_ui"
    "media/|45|media"
    "controls/|50|controls"
    "app/shell/|55|app_shell"
    "records/|60|records"
    "queries/window/|70|query_window"
    "queries/lists/|70|query_window"
    "diagrams/window/|72|diagram_window"
    "reports/window/|72|report_window"
    "media/window/|72|media_window"
    "merge/window/|72|merge_window"
    "app/|80|app")
set(HELPERS
    # The test helpers over platform_base, and the window test main and helpers over platform_ui.
    "tests/support/|11|test_support"
    "tests/support/test_main_ui.cpp|41|test_main_ui"
    "tests/support/window_test|41|test_main_ui"
    # roundtrip, over the query, diagram, report and merge engines.
    "tests/tools/|38|tools"
    # The synthetic GEDCOM generator (standard C++) and its tests.
    "bench/generator/|11|gedcom_generator"
    "tests/bench/|12|generator_tests"
    # The benchmarks' shared helpers, which load files into the database.
    "bench/|26|bench"
    # The smoke build's driver, part of the window layer built only into the smoke program, and
    # the test that runs that program.
    "platform/smoke/|82|smoke driver"
    # Mouse input through Qt's test library, over platform_ui, built only into its tests.
    "platform/testing/|41|user input of tests"
    # The user manual's tools: the PDF printer, part of the window layer built only into its
    # tool, and the picture maker over the program; and the manual's tests.
    "platform/manual/|41|manual PDF printer"
    "manual/|82|manual pictures"
    "tests/manual/|84|tests of the manual"
    "tests/smoke/|82|smoke test")

# Tests and benchmarks stand just above the library they exercise: tests/database/ at 27.
foreach(entry IN LISTS LAYERS)
    string(REPLACE "|" ";" fields "${entry}")
    list(GET fields 0 prefix)
    list(GET fields 1 layer)
    list(GET fields 2 library)
    math(EXPR layer "${layer} + 2")
    list(APPEND HELPERS "tests/${prefix}|${layer}|tests of ${library}"
         "bench/${prefix}|${layer}|benchmarks of ${library}")
endforeach()
list(APPEND LAYERS ${HELPERS})

# Sets <layer_var> and <library_var> for <path> (empty when no prefix matches).
function(layer_of path layer_var library_var)
    set(best_length -1)
    set(layer "")
    set(library "")
    foreach(entry IN LISTS LAYERS)
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 prefix)
        string(LENGTH "${prefix}" length)
        string(SUBSTRING "${path}" 0 ${length} head)
        if(head STREQUAL prefix AND length GREATER best_length)
            set(best_length ${length})
            list(GET fields 1 layer)
            list(GET fields 2 library)
        endif()
    endforeach()
    set(${layer_var} "${layer}" PARENT_SCOPE)
    set(${library_var} "${library}" PARENT_SCOPE)
endfunction()

file(GLOB tops LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
set(files "")
foreach(top IN LISTS tops)
    if(NOT IS_DIRECTORY ${ROOT}/${top} OR top MATCHES "^\\." OR EXISTS ${ROOT}/${top}/CMakeCache.txt)
        continue()
    endif()
    file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${top}/*.h ${ROOT}/${top}/*.cpp)
    list(FILTER found EXCLUDE REGEX "^tests/data/")
    list(APPEND files ${found})
endforeach()
list(SORT files)

set(faults 0)
set(checked 0)
foreach(file IN LISTS files)
    layer_of("${file}" own_layer own_library)
    if(own_layer STREQUAL "")
        message("${file}: no layer known for its folder (add it to tests/tools/check_layers.cmake)")
        math(EXPR faults "${faults} + 1")
        continue()
    endif()
    file(STRINGS ${ROOT}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
    get_filename_component(folder "${file}" DIRECTORY)
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([\"<])([^\">]+)[\">].*$" "\\1\\2" header
                             "${line}")
        string(SUBSTRING "${header}" 0 1 quote)
        string(SUBSTRING "${header}" 1 -1 header)
        if(header MATCHES "(^|/)\\.\\.(/|$)" OR IS_ABSOLUTE "${header}")
            cmake_path(APPEND folder "${header}" OUTPUT_VARIABLE lands)
            cmake_path(NORMAL_PATH lands)
            if(IS_ABSOLUTE "${header}")
                set(how "an absolute path")
            else()
                set(how "a path that climbs by \"..\" from the file's own folder to ${lands}")
            endif()
            message("${file}: includes ${header}, ${how}; name every header from the source "
                    "tree's root")
            math(EXPR faults "${faults} + 1")
            continue()
        endif()
        # A quoted include is looked for beside the including file first.
        if(quote STREQUAL "\"" AND EXISTS "${ROOT}/${folder}/${header}")
            cmake_path(APPEND folder "${header}" OUTPUT_VARIABLE header)
            cmake_path(NORMAL_PATH header)
        endif()
        layer_of("${header}" header_layer header_library)
        if(header_layer STREQUAL "" OR header_library STREQUAL own_library)
            continue()
        endif()
        math(EXPR checked "${checked} + 1")
        if(NOT header_layer LESS own_layer)
            message("${file}: includes ${header}, of ${header_library} (layer ${header_layer}), "
                    "which does not stand below ${own_library} (layer ${own_layer})")
            math(EXPR faults "${faults} + 1")
        endif()
    endforeach()
endforeach()

list(LENGTH files file_count)
if(faults GREATER 0)
    message(FATAL_ERROR "${faults} fault(s) in ${file_count} files")
endif()
message("${file_count} files, ${checked} includes between libraries, all downward")
