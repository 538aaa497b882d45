# tavrix_register_gtest(NAME [SHARDS n] [SERIAL] [LABELS ...] [ENVIRONMENT ...])
# Registers a built GoogleTest program with CTest as n shards: each shard
# is one process (under Wine, one Wine process) that runs its share of the
# cases (GoogleTest's own sharding), so the start of Wine and the load of
# the program's DLLs are paid once per shard, not once per case. A failing shard's output names
# the failing cases; every shard also writes GoogleTest's XML report to
# test-results/NAME-INDEX.xml in the build folder. SERIAL runs the shards
# alone (tests that record the sound server's sink). ENVIRONMENT adds
# variables. TAVRIX_RESULTS_PATH_PREFIX goes before the report's path
# ("Z:" where the program sees the build folder through Wine's drive Z:).
function(tavrix_register_gtest name)
  cmake_parse_arguments(ARG "SERIAL" "SHARDS" "LABELS;ENVIRONMENT" ${ARGN})
  if(NOT ARG_SHARDS)
    set(ARG_SHARDS 1)
  endif()
  set(results ${CMAKE_BINARY_DIR}/test-results)
  file(MAKE_DIRECTORY ${results})
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(index RANGE ${last})
    set(test ${name}/${index})
    add_test(NAME ${test}
             COMMAND ${name} --gtest_output=xml:${TAVRIX_RESULTS_PATH_PREFIX}${results}/${name}-${index}.xml
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set_tests_properties(${test} PROPERTIES
      ENVIRONMENT "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${index};${ARG_ENVIRONMENT}"
      LABELS "${ARG_LABELS}"
      TIMEOUT 300
      FIXTURES_REQUIRED tavrix_media
      RUN_SERIAL ${ARG_SERIAL})
  endforeach()
endfunction()

