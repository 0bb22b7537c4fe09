# tests/tools/check_layers_cases.cmake: runs check_layers.cmake on small trees it writes below
# WORK, one tree a case, and fails unless each case passes or fails as listed, with the message
# it must give. Run as
# cmake -DCHECK=<check_layers.cmake> -DWORK=<folder> -P check_layers_cases.cmake.

if(NOT CHECK OR NOT WORK)
    message(FATAL_ERROR "usage: cmake -DCHECK=<check_layers.cmake> -DWORK=<folder> -P "
                        "check_layers_cases.cmake")
endif()

set(wrong 0)

# layers_case(<name> PASS|FAIL <regular expression of the output> <path> <text> [<path> <text>...])
# Writes each file of the tree and runs the check on it.
function(layers_case name expected pattern)
    set(tree ${WORK}/${name})
    file(REMOVE_RECURSE ${tree})
    set(files ${ARGN})
    while(files)
        list(POP_FRONT files path text)
        file(WRITE ${tree}/${path} "${text}\n")
    endwhile()
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${CHECK} RESULT_VARIABLE code
                    OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(code EQUAL 0)
        set(outcome PASS)
    else()
        set(outcome FAIL)
    endif()
    if(NOT outcome STREQUAL expected OR NOT output MATCHES "${pattern}")
        message("${name}: expected ${expected} matching \"${pattern}\", got ${outcome}:\n${output}")
        math(EXPR wrong "${wrong} + 1")
        set(wrong ${wrong} PARENT_SCOPE)
    endif()
endfunction()

# A header named by a path that climbs out of the including file's folder is refused, wherever
# it lands: in a library above, in the file's own library, or outside the tree.
layers_case(relative_upward FAIL
    "database/nodes/grid_user.cpp: includes \\.\\./\\.\\./records/grid/row_map\\.h, a path that climbs by \"\\.\\.\" from the file's own folder to records/grid/row_map\\.h"
    database/nodes/grid_user.cpp [[#include "../../records/grid/row_map.h"]]
    records/grid/row_map.h "")
layers_case(relative_downward FAIL
    "records/grid/row_map\\.cpp: includes \\.\\./\\.\\./database/nodes/node\\.h, a path that climbs"
    records/grid/row_map.cpp [[#include "../../database/nodes/node.h"]]
    database/nodes/node.h "")
layers_case(relative_within_library FAIL
    "records/window/records_wnd\\.cpp: includes \\.\\./grid/row_map\\.h, a path that climbs.*1 fault"
    records/window/records_wnd.cpp [[#include "../grid/row_map.h"]]
    records/grid/row_map.h "")
layers_case(relative_through_subfolder FAIL
    "common/text\\.cpp: includes detail/\\.\\./\\.\\./database/node\\.h, a path that climbs"
    common/text.cpp [[#include "detail/../../database/node.h"]]
    common/detail/x.h "")
layers_case(absolute_path FAIL
    "common/text\\.cpp: includes /usr/include/stdio\\.h, an absolute path"
    common/text.cpp [[#include "/usr/include/stdio.h"]])

# A header found beside the including file counts as the folder it lands in: the query engine
# reaching its window's folder by a short path is caught, a library's own subfolder is not.
layers_case(beside_into_other_library FAIL
    "queries/query_run\\.cpp: includes queries/window/qry_bar\\.h, of query_window \\(layer 70\\), which does not stand below queries \\(layer 30\\)"
    queries/query_run.cpp [[#include "window/qry_bar.h"]]
    queries/window/qry_bar.h "")
layers_case(beside_in_own_library PASS "3 files, 0 includes between libraries, all downward"
    controls/tree_box.cpp [[#include "detail/column_drag.h"]]
    controls/detail/column_drag.h [[#include "tree_box_parts.h"]]
    controls/detail/tree_box_parts.h "")
# Angle brackets never look beside the file.
layers_case(angle_brackets_not_beside PASS "2 files, 0 includes between libraries, all downward"
    queries/query_run.cpp "#include <window/qry_bar.h>"
    queries/window/qry_bar.h "")

# Includes from the root: down passes, up and sideways on one layer fail; a nested library's
# folder is judged as that library, not as the folder above it.
layers_case(rooted_downward PASS "2 files, 3 includes between libraries, all downward"
    records/grid/row_map.cpp [[#include "database/nodes/node.h"
#include "queries/query_run.h"]]
    reports/window/report_wnd.cpp [[#include "queries/window/qry_dialogs.h"]])
layers_case(rooted_upward FAIL
    "database/nodes/node\\.h: includes records/grid/row_map\\.h, of records \\(layer 60\\), which does not stand below database \\(layer 25\\)"
    database/nodes/node.h [[#include "records/grid/row_map.h"]])
layers_case(rooted_sideways FAIL
    "diagrams/window/diagram_wnd\\.cpp: includes reports/window/report_wnd\\.h, of report_window \\(layer 72\\), which does not stand below diagram_window \\(layer 72\\)"
    diagrams/window/diagram_wnd.cpp [[#include "reports/window/report_wnd.h"]])
layers_case(engine_reaches_its_window FAIL
    "queries/query_run\\.cpp: includes queries/lists/named_list_pane\\.h, of query_window"
    queries/query_run.cpp [[#include "queries/lists/named_list_pane.h"]])

if(wrong GREATER 0)
    message(FATAL_ERROR "${wrong} case(s) of the layer check went wrong")
endif()
message("every case of the layer check as expected")
