# Writes a fresh demo data set and runs editor-check on it: its deliberate findings, exactly,
# and exit status 1 for the one error among them.
# Arguments: -DGENERATOR=... -DCHECKER=... -DFOLDER=... -DEXPECTED=...
file(REMOVE_RECURSE ${FOLDER})
execute_process(COMMAND ${GENERATOR} ${FOLDER} RESULT_VARIABLE written OUTPUT_QUIET)
if(NOT written EQUAL 0)
  message(FATAL_ERROR "make_demo_data failed: ${written}")
endif()
execute_process(COMMAND ${CHECKER} ${FOLDER} RESULT_VARIABLE status OUTPUT_VARIABLE found
                ERROR_VARIABLE reason)
file(READ ${EXPECTED} expected)
if(NOT found STREQUAL expected)
  message(FATAL_ERROR "editor-check found:\n${found}${reason}\nbut the demo data holds:\n${expected}")
endif()
if(NOT status EQUAL 1)
  message(FATAL_ERROR "editor-check exited with ${status}, not 1 (one error in the demo data)")
endif()
