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

include(${CMAKE_CURRENT_LIST_DIR}/TestRegistration.cmake)

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
