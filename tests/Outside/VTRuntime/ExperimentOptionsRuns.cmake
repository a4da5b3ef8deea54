# The experiment's options honoured by runs of the run tool, read back from the
# data file and from the X server.
studystation_add_tests(NAME VTExperimentOptionsRunTests GUI TIMEOUT 180
  SOURCES ExperimentOptionsRunTest.cpp ${CMAKE_SOURCE_DIR}/tests/support/XPixelProbe.cpp
  LIBS VTRuntime VTCore X11)
target_compile_definitions(VTExperimentOptionsRunTests PRIVATE VT_RUN_TOOL_PATH="$<TARGET_FILE:study-station-run>")
add_dependencies(VTExperimentOptionsRunTests study-station-run)
