# Compiler settings shared by every target the project builds itself.

if(VARNELLE_SANITIZE)
  set(VARNELLE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  if(VARNELLE_FUZZ)
    # Coverage instrumentation for the fuzz harnesses; harmless in ordinary executables.
    list(APPEND VARNELLE_SANITIZER_FLAGS -fsanitize=fuzzer-no-link)
  endif()
  add_compile_options(${VARNELLE_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings as errors for project code only; third-party headers come in as system includes.
function(varnelle_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # g++ 12 reports std::string concatenation as overlapping memcpy (GCC bug 105651).
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# A GoogleTest executable registered with CTest, one CTest entry per test case (per binary in
# the Windows build, less the cases WINDOWS_EXCLUDE names there).
include(GoogleTest)
function(varnelle_gtest target)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS;WINDOWS_EXCLUDE" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  varnelle_target(${target})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(props ENVIRONMENT "VARNELLE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  if(ARG_GUI)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/lsan_suppressions.cpp)
    set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VARNELLE_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Listing the cases means starting Wine once more per binary: one CTest entry each.
    set(filter "")
    if(ARG_WINDOWS_EXCLUDE)
      list(JOIN ARG_WINDOWS_EXCLUDE ":" excluded)
      set(filter "--gtest_filter=-${excluded}")
    endif()
    add_test(NAME ${target} COMMAND ${target} ${filter})
    set_tests_properties(${target} PROPERTIES ${props})
  else()
    gtest_discover_tests(${target} PROPERTIES ${props} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
