# tavrix_subsystem(NAME SOURCES... [DEPENDS libs...])
# A static library for one subsystem folder, with the project's warnings and
# the repository root as include root (code includes "framework/core/CString.h").
function(tavrix_subsystem name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# tavrix_register_gtest(NAME [SHARDS n] [SERIAL] [LABELS ...])
# Registers a built GoogleTest program with CTest as n shards: each shard
# is one Wine process that runs its share of the cases (GoogleTest's own
# sharding), so the start of Wine and the load of the program's DLLs are
# paid once per shard, not once per case. A failing shard's output names
# the failing cases; every shard also writes GoogleTest's XML report to
# test-results/NAME-INDEX.xml in the build folder. SERIAL runs the shards
# alone (tests that record the sound server's sink).
function(tavrix_register_gtest name)
  cmake_parse_arguments(ARG "SERIAL" "SHARDS" "LABELS" ${ARGN})
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  set(results ${CMAKE_BINARY_DIR}/test-results)
  file(MAKE_DIRECTORY ${results})
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(index RANGE ${last})
    set(test ${name}/${index})
    add_test(NAME ${test}
             COMMAND ${name} --gtest_output=xml:Z:${results}/${name}-${index}.xml
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set_tests_properties(${test} PROPERTIES
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${index}"
      LABELS "${ARG_LABELS}"
      TIMEOUT 300
      FIXTURES_REQUIRED tavrix_media
      RUN_SERIAL ${ARG_SERIAL})
  endforeach()
endfunction()

# tavrix_test(NAME SOURCES... [DEPENDS libs...] [LABELS ...] [SHARDS n] [SERIAL])
# A GoogleTest program run by CTest under Wine (see tavrix_register_gtest).
# Tests find outside test data, the program image and the test media
# through the environment that the build's Wine wrapper sets
# (TAVRIX_TESTDATA, TAVRIX_IMAGE, TAVRIX_MEDIA).
function(tavrix_test name)
  cmake_parse_arguments(ARG "SERIAL" "SHARDS" "SOURCES;DEPENDS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} tavrix_testmain)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_dependencies(${name} tavrix_image)
  set(serial)
  if(ARG_SERIAL)
    set(serial SERIAL)
  endif()
  tavrix_register_gtest(${name} SHARDS "${ARG_SHARDS}" LABELS "${ARG_LABELS}" ${serial})
endfunction()
