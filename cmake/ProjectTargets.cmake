# Helpers that give every target of the project the same settings.

# Warnings for our own code; outside headers come in as SYSTEM includes.
function(studystation_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# A precompiled header of the wx headers that nearly every GUI unit includes.
# Worth it for targets with several GUI translation units.
function(studystation_wx_pch target)
  target_precompile_headers(${target} PRIVATE
    <wx/wxprec.h> <wx/string.h> <wx/window.h> <wx/event.h> <wx/log.h> <wx/intl.h>
    <vector> <string> <memory> <functional>)
endfunction()

# studystation_add_tests(NAME <binary> [GUI] SOURCES ... LIBS ... [TIMEOUT s])
# One GoogleTest binary with the project's test main, one CTest entry per test.
# GUI tests get the label "gui" and each runs on its own Xvfb display, so tests
# that move the pointer never share a display, even with ctest -j.
function(studystation_add_tests)
  cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  studystation_target(${T_NAME})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE StudyStationTestMainGui)
  else()
    target_link_libraries(${T_NAME} PRIVATE StudyStationTestMainConsole)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS})
  set(env "NO_AT_BRIDGE=1;QT_QPA_PLATFORM=offscreen;GDK_BACKEND=x11;STUDYSTATION_SOURCE_DIR=${CMAKE_SOURCE_DIR};STUDYSTATION_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_GUI)
    set_property(TARGET ${T_NAME} PROPERTY CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tests/support/run-on-own-display.sh)
    set(labels gui)
  else()
    set(labels unit)
  endif()
  include(GoogleTest)
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${labels}" TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
