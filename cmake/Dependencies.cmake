# Outside packages, all from Debian 12 (scripts/install-deps.sh installs them).

# CMake 3.25's FindwxWidgets has no imported target: wrap its variables in two.
# wx_base is the non-GUI library alone (strings, files, streams, threads, the log);
# wx_all adds the GUI port and the other components. Both carry the same headers
# and definitions, so a GUI library may include the headers of a GUI-free one.
find_package(wxWidgets 3.2 REQUIRED COMPONENTS base)
set(STUDYSTATION_WX_BASE_LIBRARIES ${wxWidgets_LIBRARIES})
find_package(wxWidgets 3.2 REQUIRED COMPONENTS xrc html aui qa xml net core base)
foreach(wx wx_base wx_all)
  add_library(${wx} INTERFACE)
  target_include_directories(${wx} SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${wx} INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(${wx} INTERFACE ${wxWidgets_CXX_FLAGS})
endforeach()
target_link_libraries(wx_base INTERFACE ${STUDYSTATION_WX_BASE_LIBRARIES})
target_link_libraries(wx_all INTERFACE ${wxWidgets_LIBRARIES})

find_package(Qt5 5.15 REQUIRED COMPONENTS Core Gui)
find_package(Boost 1.74 REQUIRED COMPONENTS system chrono thread)
find_package(CURL REQUIRED)
find_package(OpenSSL REQUIRED)
find_package(Threads REQUIRED)
find_package(GTest REQUIRED)

find_program(WXRC_EXECUTABLE NAMES wxrc wxrc-3.2 REQUIRED)
find_program(XVFB_RUN xvfb-run)
find_program(PYTHON3_SYSTEM /usr/bin/python3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)

# Rebuilds of a developer's tree go faster through ccache when it is there.
find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

add_compile_definitions(QT_NO_KEYWORDS BOOST_ASIO_NO_DEPRECATED BOOST_BIND_GLOBAL_PLACEHOLDERS)

# Sound and film playback in the audio and movie event plug-ins.
find_package(PkgConfig REQUIRED)
pkg_check_modules(GSTREAMER REQUIRED IMPORTED_TARGET
  gstreamer-1.0>=1.22 gstreamer-base-1.0 gstreamer-app-1.0 gstreamer-video-1.0 gstreamer-pbutils-1.0)
