# The tool on an account that has never run anything: an empty home folder, no XDG
# variables, no ~/.config and no XDG user folders. HOME is the folder to use (made
# empty here). With HELP set only `--help` is asked, with no display at all.
file(REMOVE_RECURSE ${HOME})
file(MAKE_DIRECTORY ${HOME})
set(clean_env --unset=XDG_CONFIG_HOME --unset=XDG_DATA_HOME --unset=XDG_CACHE_HOME --unset=XDG_CONFIG_DIRS
  --unset=XDG_DATA_DIRS --unset=XDG_RUNTIME_DIR HOME=${HOME})

if(HELP)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${clean_env} --unset=DISPLAY --unset=WAYLAND_DISPLAY ${TOOL} --help
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 30)
  string(FIND "${out}" "Usage: study-station-run" usage)
  string(FIND "${out}" "--data" data_option)
  if(NOT rc EQUAL 0 OR usage EQUAL -1 OR data_option EQUAL -1)
    message(FATAL_ERROR "--help without a display: exit ${rc}\n${out}\n${err}")
  endif()
  message(STATUS "${out}")
  return()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E env ${clean_env} ${TOOL} ${EXPERIMENT} --subject fresh
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 50)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "exit ${rc}\n${out}\n${err}")
endif()
# The result line is complete, names the data file in the default data folder,
# and nothing failed on the way out (the configuration file is written).
set(folder "${HOME}/Documents/Study Station Data")
string(FIND "${out}" "Completed; " completed)
string(FIND "${out}" "; data: ${folder}/" named)
string(FIND "${err}" "Error" error)
if(completed EQUAL -1 OR named EQUAL -1 OR NOT error EQUAL -1)
  message(FATAL_ERROR "unexpected output:\n${out}\n${err}")
endif()
file(GLOB written "${folder}/*.txt")
list(LENGTH written count)
if(NOT count EQUAL 1 OR NOT EXISTS "${HOME}/.config/Study Station.conf")
  message(FATAL_ERROR "data files in ${folder}: ${written}; configuration written: no")
endif()
message(STATUS "${out}")
