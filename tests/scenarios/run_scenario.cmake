# Runs one scenario through zorvane-calc in a fresh working directory with a copy of the built
# database, and compares its JSON and exit code with the case's expected.json.
# -DCALC=program -DCASE_DIR=case directory -DDATABASE=built database -DWORK=scratch directory
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${DATABASE} DESTINATION ${WORK})
execute_process(COMMAND ${CALC} ${CASE_DIR}/scenario.json --db ${WORK}/database
                        --out ${WORK}/actual.json
                WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE exit_code
                ERROR_VARIABLE messages)
if(NOT EXISTS ${WORK}/actual.json)
  message(FATAL_ERROR "zorvane-calc wrote no output (exit ${exit_code}): ${messages}")
endif()
if(DEFINED ENV{ZORVANE_UPDATE_SCENARIOS})
  file(COPY_FILE ${WORK}/actual.json ${CASE_DIR}/expected.json)
  message(STATUS "updated ${CASE_DIR}/expected.json")
endif()
file(READ ${CASE_DIR}/expected.json expected)
file(READ ${WORK}/actual.json actual)
# A design that completed exits with 0, one that stopped before its last step with 1.
string(JSON completed GET "${expected}" completed)
if(completed)
  set(expected_exit 0)
else()
  set(expected_exit 1)
endif()
if(NOT exit_code STREQUAL expected_exit)
  message(FATAL_ERROR "exit code ${exit_code}, expected ${expected_exit}: ${messages}")
endif()
if(NOT actual STREQUAL expected)
  execute_process(COMMAND diff -u ${CASE_DIR}/expected.json ${WORK}/actual.json)
  message(FATAL_ERROR "the output differs from ${CASE_DIR}/expected.json")
endif()
