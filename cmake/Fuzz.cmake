# The fuzz targets (fuzz/targets): one per entry point that a file, a tag
# or a network reply reaches. Each defines LLVMFuzzerTestOneInput and
# checks properties of what it read, not only that nothing crashed.
#
# In the fuzz build (TAVRIX_FUZZ, clang, configured by tools/fuzz.sh into
# build/fuzz) they link libFuzzer and everything is built with
# AddressSanitizer and UndefinedBehaviorSanitizer. In the ordinary native
# build they link fuzz/ReplayMain.cpp instead, and CTest replays each
# target's regression inputs and seed corpus through them.

# id3lib, built for the host from the same Debian source as the program's,
# with the source's own Windows configuration header plus what the host has.
set(TAVRIX_DEPS_DIR ${CMAKE_SOURCE_DIR}/.deps
    CACHE PATH "Where the dependencies' Debian source packages are unpacked")
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tools/deps.sh ${TAVRIX_DEPS_DIR}
                RESULT_VARIABLE deps_rc)
if(NOT deps_rc EQUAL 0)
  message(FATAL_ERROR "tools/deps.sh failed; run tools/setup.sh as root first")
endif()
find_package(ZLIB REQUIRED)
set(ID3_DIR ${TAVRIX_DEPS_DIR}/id3lib)
set(ID3_CONFIG_DIR ${CMAKE_BINARY_DIR}/id3lib-config)
file(READ ${ID3_DIR}/config.h.win32 id3_config)
string(APPEND id3_config "\n#undef HAVE_ZLIB\n#define HAVE_ZLIB 1\n#define HAVE_UNISTD_H 1\n#define HAVE_SYS_STAT_H 1\n")
file(CONFIGURE OUTPUT ${ID3_CONFIG_DIR}/config.h CONTENT "${id3_config}" @ONLY)
file(GLOB ID3_SOURCES ${ID3_DIR}/src/*.cpp)
add_library(id3_native STATIC ${ID3_SOURCES})
target_include_directories(id3_native PRIVATE ${ID3_CONFIG_DIR} ${ID3_DIR} ${ID3_DIR}/include/id3)
target_include_directories(id3_native SYSTEM PUBLIC ${ID3_DIR}/include)
target_compile_definitions(id3_native PUBLIC ID3LIB_LINKOPTION=1 PRIVATE HAVE_CONFIG_H)
target_compile_options(id3_native PRIVATE -w -std=gnu++17)
target_link_libraries(id3_native PUBLIC ZLIB::ZLIB)

set(TAVRIX_FUZZ_TARGETS)
add_custom_target(fuzz_targets)

# tavrix_fuzz_target(NAME DEPENDS libs...): fuzz/targets/NAME.cpp.
function(tavrix_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  add_executable(${name} ${CMAKE_SOURCE_DIR}/fuzz/targets/${name}.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(fuzz_targets ${name})
  if(TAVRIX_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    # Every regression input and seed replays on each test run.
    add_test(NAME fuzz_replay/${name}
             COMMAND ${name} ${CMAKE_SOURCE_DIR}/fuzz/regressions/${name}
                     ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(fuzz_replay/${name} PROPERTIES LABELS "native;fuzz" TIMEOUT 300)
  endif()
endfunction()

tavrix_fuzz_target(xml_fuzz DEPENDS foundation_core)
tavrix_fuzz_target(library_file_fuzz DEPENDS library_core)
tavrix_fuzz_target(wav_fuzz DEPENDS library_core)
tavrix_fuzz_target(filename_fuzz DEPENDS library_core)
tavrix_fuzz_target(mpeg_codec_fuzz DEPENDS decoder_core)
tavrix_fuzz_target(mp3_scanner_fuzz DEPENDS decoder_mpeg)
tavrix_fuzz_target(id3_tag_fuzz DEPENDS library_core id3_native)
tavrix_fuzz_target(id3v2_tag_fuzz DEPENDS library_core)
tavrix_fuzz_target(shortcut_file_fuzz DEPENDS input_core)
tavrix_fuzz_target(controller_map_fuzz DEPENDS input_core)
tavrix_fuzz_target(midi_input_fuzz DEPENDS input_core)
tavrix_fuzz_target(request_reader_fuzz DEPENDS input_core)
tavrix_fuzz_target(perf_data_fuzz DEPENDS foundation_core)
tavrix_fuzz_target(http_reply_fuzz DEPENDS foundation_core)
tavrix_fuzz_target(document_head_fuzz DEPENDS foundation_core)
tavrix_fuzz_target(archive_fuzz DEPENDS library_core)
tavrix_fuzz_target(older_layout_fuzz DEPENDS library_core)
tavrix_fuzz_target(m3u_fuzz DEPENDS library_core)
tavrix_fuzz_target(tempo_fuzz DEPENDS library_tempo)
tavrix_fuzz_target(url_fuzz DEPENDS decoder_core)
tavrix_fuzz_target(stream_header_fuzz DEPENDS decoder_core)
tavrix_fuzz_target(skin_file_fuzz DEPENDS skin_core)
tavrix_fuzz_target(cddb_reply_fuzz DEPENDS audio_cd_core)
tavrix_fuzz_target(cd_catalog_fuzz DEPENDS audio_cdplayer_core)
tavrix_fuzz_target(effect_list_fuzz DEPENDS audio_sampler_core)
tavrix_fuzz_target(album_art_reply_fuzz DEPENDS audio_loading_core)
