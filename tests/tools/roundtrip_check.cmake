# tests/tools/roundtrip_check.cmake: runs roundtrip on IN, then on the saved file onto itself,
# and checks the exit codes, the exception report and that the second save gives the same bytes.
# Arguments: ROUNDTRIP (the program), IN (the file to load), WORK (a folder of the test's own),
# EXPECT (the exit code of the first run, 0 by default), REPORT (ON when the first load must
# write an exception report and print its path, OFF when it must not), OUT (where the first run
# saves, WORK/saved.ged by default), MERGE (a file the first run merges into IN before it saves),
# SETTINGS (ON: IN is a settings file, run with --settings and saved by default as WORK/saved
# with IN's extension). A build of named targets that left roundtrip out skips the test.
if(NOT EXISTS "${ROUNDTRIP}")
    message("roundtrip is not built")
    return()
endif()
if(NOT DEFINED EXPECT)
    set(EXPECT 0)
endif()
set(mode)
set(extension .ged)
if(SETTINGS)
    set(mode --settings)
    get_filename_component(extension ${IN} LAST_EXT)
endif()
if(NOT DEFINED OUT)
    set(OUT ${WORK}/saved${extension})
endif()
set(merge "")
if(DEFINED MERGE)
    set(merge --merge ${MERGE})
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/tmp)
set(ENV{TMPDIR} ${WORK}/tmp)

execute_process(COMMAND ${ROUNDTRIP} ${mode} ${IN} ${OUT} ${merge}
                RESULT_VARIABLE result OUTPUT_VARIABLE printed ERROR_VARIABLE errors)
if(NOT result EQUAL EXPECT)
    message(FATAL_ERROR "roundtrip ${IN} ${OUT} ${merge} ended with ${result}, not ${EXPECT}:\n"
                        "${printed}${errors}")
endif()
string(STRIP "${printed}" report)
if(DEFINED REPORT AND REPORT AND NOT EXISTS "${report}")
    message(FATAL_ERROR "roundtrip ${IN} printed no exception report: [${printed}]")
endif()
if(DEFINED REPORT AND NOT REPORT AND NOT report STREQUAL "")
    message(FATAL_ERROR "roundtrip ${IN} wrote an exception report: ${report}")
endif()
if(NOT EXPECT EQUAL 0)
    return()
endif()

file(COPY_FILE ${OUT} ${WORK}/first${extension})
execute_process(COMMAND ${ROUNDTRIP} ${mode} ${OUT} ${OUT}
                RESULT_VARIABLE result OUTPUT_VARIABLE printed ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "roundtrip ${OUT} ${OUT} ended with ${result}:\n${printed}${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first${extension} ${OUT}
                RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "a second save of ${OUT} differs from the first (${WORK}/first${extension})")
endif()
