# Runs the tool on a fixture and checks its exit code and data file.
file(REMOVE ${DATA})
execute_process(COMMAND ${TOOL} ${EXPERIMENT} --data ${DATA} --subject tool-test
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 50)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit ${rc}\n${out}\n${err}")
endif()
file(STRINGS ${DATA} lines)
list(LENGTH lines count)
list(GET lines 2 subject)
if(NOT subject STREQUAL "Subject\ttool-test" OR count LESS 10)
  message(FATAL_ERROR "unexpected data file (${count} lines):\n${lines}")
endif()
message(STATUS "${out}")
