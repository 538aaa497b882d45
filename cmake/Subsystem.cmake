# tavrix_subsystem(NAME SOURCES... [DEPENDS libs...])
# A static library for one subsystem folder, with the project's warnings and
# the repository root as include root (code includes "framework/CString.h").
function(tavrix_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# tavrix_test(NAME SOURCES... [DEPENDS libs...] [LABELS ...])
# A GoogleTest program run by CTest under Wine; each test case is discovered
# before the run. Tests find outside test data, the program image and the
# test media through the environment that the build's Wine wrapper sets
# (TAVRIX_TESTDATA, TAVRIX_IMAGE, TAVRIX_MEDIA).
function(tavrix_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} tavrix_testmain)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${name} tavrix_image)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES
      LABELS "${ARG_LABELS}"
      TIMEOUT 300
      SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\]"
      FIXTURES_REQUIRED tavrix_media)
endfunction()
