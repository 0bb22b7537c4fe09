# tests/tools/roundtrip_merge_pairs.cmake: merges into IN each file of OTHERS and an edited copy of
# IN (MAKE_GEDCOM --edited-copy), and checks each merge as roundtrip_check.cmake does: a reload
# of the merged file, in a process of its own, saves the bytes the merge saved.
# Arguments: ROUNDTRIP, MAKE_GEDCOM, IN, OTHERS (paths separated by "|"), WORK (a folder of the
# test's own).
string(REPLACE "|" ";" OTHERS "${OTHERS}")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(edited ${WORK}/edited.ged)
execute_process(COMMAND ${MAKE_GEDCOM} --edited-copy ${IN} ${edited}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_gedcom --edited-copy ${IN} failed: ${errors}")
endif()
set(base ${WORK})
set(index 0)
foreach(MERGE IN LISTS OTHERS ITEMS ${edited})
    math(EXPR index "${index} + 1")
    set(WORK ${base}/${index})
    unset(OUT)
    include(${CMAKE_CURRENT_LIST_DIR}/roundtrip_check.cmake)
endforeach()
