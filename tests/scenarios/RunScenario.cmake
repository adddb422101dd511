# Runs one scenario and compares its output with the expected one.
#   -DRUNNER=pgscenario -DSCRIPT=x.scn -DEXPECTED=x.out -DBASE=dir -DWORK=dir
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(
  COMMAND ${RUNNER} --base ${BASE} --work ${WORK} --settings ${WORK}/settings ${SCRIPT}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)
file(WRITE ${WORK}/actual.out "${actual}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pgscenario ended with ${status}\n${errors}\n${actual}")
endif()
if("$ENV{PG_SCENARIO_UPDATE}" STREQUAL "1")
  file(WRITE ${EXPECTED} "${actual}")
  return()
endif()
if(NOT EXISTS ${EXPECTED})
  message(FATAL_ERROR "no expected output ${EXPECTED}; actual output in ${WORK}/actual.out")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  execute_process(COMMAND diff -u ${EXPECTED} ${WORK}/actual.out OUTPUT_VARIABLE difference)
  message(FATAL_ERROR "output differs from ${EXPECTED}:\n${difference}")
endif()
