# Builds that look for faults rather than ship: the whole tree under AddressSanitizer
# and UndefinedBehaviorSanitizer (STUDYSTATION_SANITIZE), and the fuzz targets as
# libFuzzer programs (STUDYSTATION_FUZZ, clang only, which implies the sanitizers).
# Every undefined behaviour stops the program, so a test or fuzz run cannot pass over one.
option(STUDYSTATION_SANITIZE "Build with -fsanitize=address,undefined" OFF)
option(STUDYSTATION_FUZZ "Build the fuzz targets with libFuzzer (clang)" OFF)

if(STUDYSTATION_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "STUDYSTATION_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()

if(STUDYSTATION_SANITIZE OR STUDYSTATION_FUZZ)
  # Without the vptr check: wxDynamicCast static_casts its argument to the target
  # class before it asks the class information, so every wxDynamicCast that answers
  # null would be reported as an invalid downcast.
  set(STUDYSTATION_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize=vptr -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # Casting a double that does not fit is not part of GCC's "undefined" group.
    list(APPEND STUDYSTATION_SANITIZER_FLAGS -fsanitize=float-cast-overflow)
  endif()
  add_compile_options(${STUDYSTATION_SANITIZER_FLAGS})
  add_link_options(${STUDYSTATION_SANITIZER_FLAGS})
endif()

if(STUDYSTATION_FUZZ)
  # Coverage for the fuzzer in every library a target reaches; the fuzzer's own main
  # is linked into the targets only (fuzz/CMakeLists.txt).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
