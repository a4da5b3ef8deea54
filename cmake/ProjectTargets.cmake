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

# A library that needs no GUI links wx_base, never wx_all, and says so here: its
# own code is compiled without the GUI part of wx (a GUI header does not compile)
# and, when it is shared, linked with nothing left undefined (a GUI call does not
# link). Clang's sanitizer runtime is not linked into shared libraries, so that
# build leaves the link check to the others.
function(studystation_gui_free target)
  target_compile_definitions(${target} PRIVATE wxUSE_GUI=0)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY" AND NOT STUDYSTATION_FUZZ)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# Every .cpp file in `folder` (relative to the calling CMakeLists.txt; its subfolders
# are not looked at) must be a source of one of the targets named after it: a file
# added to the folder but not to a list would otherwise be left out without a word.
function(studystation_sources_complete folder)
  set(known "")
  foreach(target IN LISTS ARGN)
    get_target_property(listed ${target} SOURCES)
    get_target_property(dir ${target} SOURCE_DIR)
    foreach(source IN LISTS listed)
      get_filename_component(path ${source} ABSOLUTE BASE_DIR ${dir})
      list(APPEND known ${path})
    endforeach()
  endforeach()
  get_filename_component(where ${folder} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB present CONFIGURE_DEPENDS ${where}/*.cpp)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST known)
      file(RELATIVE_PATH shown ${CMAKE_SOURCE_DIR} ${file})
      message(FATAL_ERROR "${shown} is in no source list of ${ARGN}: list it, or remove the file")
    endif()
  endforeach()
endfunction()
