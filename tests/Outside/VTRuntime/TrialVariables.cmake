# Trial variables: how levels are picked, and what they do in real runs.
studystation_add_tests(NAME VTLevelSelectorTests SOURCES LevelSelectorTest.cpp LIBS VTRuntime)

find_package(X11 REQUIRED)
studystation_add_tests(NAME TrialVariableRunTests GUI SOURCES TrialVariableRunTest.cpp
  LIBS VTRuntime VTCore VTRuntimeTestSupport X11::X11 ${CMAKE_DL_LIBS})
add_dependencies(TrialVariableRunTests EventPlugIns)
