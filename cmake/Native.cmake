# The native build (TAVRIX_NATIVE=ON): the portable code, the files that
# include no Windows header, as host static libraries, and the test files
# of it that need no Windows, as host GoogleTest programs run by CTest
# without Wine. It exists to run that code under the host's tools
# (sanitizers, fuzzing, a debugger) and to keep it portable. Source lists
# here are explicit; a portable file added to a subsystem is added here too.

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
endif()
set(CMAKE_C_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "" FORCE)
set(CMAKE_CXX_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

find_program(TAVRIX_CCACHE ccache)
if(TAVRIX_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_C_COMPILER_LAUNCHER ${TAVRIX_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${TAVRIX_CCACHE})
endif()

set(TAVRIX_WARNINGS -Wall -Wextra)

# The fuzz build (tools/fuzz.sh, build/fuzz, clang): every library built
# with AddressSanitizer, UndefinedBehaviorSanitizer (any finding ends the
# process) and libFuzzer's coverage; the fuzz targets link libFuzzer.
option(TAVRIX_FUZZ "Build with sanitizers and libFuzzer (clang) for the fuzz targets" OFF)
if(TAVRIX_FUZZ)
  add_compile_options(-g -fno-omit-frame-pointer -fsanitize=address,undefined
                      -fno-sanitize-recover=all -fsanitize=fuzzer-no-link
                      -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/fuzz/coverage-ignore.txt)
  add_link_options(-fsanitize=address,undefined)
endif()
set(TAVRIX_TESTDATA_DIR ${CMAKE_SOURCE_DIR}/../shared/testdata
    CACHE PATH "Test data from outside the project (tests that need it skip when absent)")
get_filename_component(TAVRIX_TESTDATA_DIR ${TAVRIX_TESTDATA_DIR} ABSOLUTE)
set(TAVRIX_MEDIA_DIR ${CMAKE_BINARY_DIR}/testmedia)

# tavrix_native_library(NAME SOURCES... [DEPENDS libs...])
# Sources are named from the repository root.
function(tavrix_native_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# The layer's portable core.
tavrix_native_library(framework_core SOURCES
  framework/core/MbText.cpp
  framework/core/CString.cpp
  framework/core/CObject.cpp
  framework/core/Exceptions.cpp
  framework/core/CMemFile.cpp
  framework/core/AnsiText.cpp
  framework/core/CArchive.cpp)

# Foundation: XML, hashing, colours and bitmap resampling.
tavrix_native_library(foundation_core SOURCES
  foundation/xml/XmlMarkup.cpp
  foundation/xml/XmlMarkupEdit.cpp
  foundation/xml/XmlToken.cpp
  foundation/crypto/Sha256.cpp
  foundation/crypto/HmacSha256.cpp
  foundation/crypto/Base64.cpp
  foundation/drawing/HexToColor.cpp
  foundation/drawing/BitmapResample.cpp
  foundation/genres/GenreNames.cpp
  foundation/libraryfile/LibraryFileLayout.cpp
  foundation/filetree/FileTreeRules.cpp
  foundation/monitors/MonitorGeometry.cpp
  foundation/cpu/PerfDataWalk.cpp
  foundation/shell/DisplayCharMap.cpp
  foundation/shortcuts/ShortcutFile.cpp
  foundation/download/HttpReply.cpp
  DEPENDS framework_core)

# The MPEG codec and the MP3 stream scanner.
tavrix_native_library(decoder_mpeg SOURCES
  decoder/mpeg/mpeg_frame.cpp
  decoder/mpeg/mpeg_reader.cpp
  decoder/mpeg/mpeg_stream_start.cpp
  decoder/mpeg/mpeg_synth.cpp
  decoder/mpeg/mpeg_synth_sse2.cpp
  decoder/mpeg/mpeg_simd.cpp
  decoder/mpeg/mpeg_math.cpp
  decoder/mpeg/mpeg_layer12.cpp
  decoder/mpeg/mpeg_codec.cpp
  decoder/mpeg/mp3_scanner.cpp
  decoder/mpeg/layer3.cpp
  decoder/mpeg/layer3_huffman.cpp
  decoder/mpeg/layer3_hybrid.cpp
  decoder/mpeg/layer3_hybrid_sse2.cpp
  decoder/mpeg/layer3_scalefactors.cpp
  decoder/mpeg/layer3_sideinfo.cpp
  decoder/mpeg/layer3_stereo.cpp
  decoder/mpeg/mpeg_huffman.cpp
  decoder/mpeg/mpeg_huffman_tables.cpp)
option(TAVRIX_MPEG_SIMD "Build the MPEG codec's SSE2 filterbank kernels" ON)
if(TAVRIX_MPEG_SIMD)
  target_compile_definitions(decoder_mpeg PRIVATE TAVRIX_MPEG_SIMD=1)
endif()

# The layer III decoding benchmark (bench/mp3_decode_bench.sh), for
# profiling on the host.
add_executable(mp3_decode_bench bench/mp3_decode_bench.cpp)
target_include_directories(mp3_decode_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(mp3_decode_bench PRIVATE ${TAVRIX_WARNINGS})
target_link_libraries(mp3_decode_bench PRIVATE decoder_mpeg)

# The decoder engine's core, its portable modules, the players' portable
# parts (vocabulary, packing, ring buffer, feedback queue) and the
# DirectSound output's stream arithmetic; libraries load through dlopen.
tavrix_native_library(decoder_core SOURCES
  decoder/engine/decoder_errors.cpp
  decoder/engine/environment.cpp
  decoder/engine/decoder_core.cpp
  decoder/engine/decoder_registry.cpp
  decoder/engine/decoder_filters.cpp
  decoder/engine/decoder_input.cpp
  decoder/engine/decoder_output.cpp
  decoder/engine/decoder_decode.cpp
  decoder/engine/module_loader.cpp
  decoder/engine/module_loader_dl.cpp
  decoder/modules/file_input.cpp
  decoder/modules/file_output.cpp
  decoder/modules/wave_codec.cpp
  decoder/modules/memory_input.cpp
  decoder/network/url.cpp
  decoder/network/stream_headers.cpp
  decoder/player/control_messages.cpp
  decoder/player/message_codec.cpp
  decoder/player/ring_buffer.cpp
  decoder/player/feedback_queue.cpp
  decoder/dsound_output/dsound_stream.cpp
  decoder/fft/fft.cpp
  DEPENDS decoder_mpeg foundation_core ${CMAKE_DL_LIBS})

find_package(ZLIB REQUIRED)

# The library's portable parts: the exported arrays, records, their sort,
# access and random pick, the file format and layout reader, WAV
# information, file-name masks, tag texts, import names, search matching
# and track-list texts, duplicate grouping and drive letters.
tavrix_native_library(library_core SOURCES
  library/api/LibraryArrays.cpp
  library/records/CTrackRecord.cpp
  library/records/RecordSort.cpp
  library/records/RecordAccess.cpp
  library/records/RandomPick.cpp
  library/file/LibraryDocument.cpp
  library/file/LibraryLayoutReader.cpp
  library/tags/WavInfoParse.cpp
  library/tags/FileNameParseCore.cpp
  library/tags/TagReadingText.cpp
  library/tags/Id3v2Tag.cpp
  library/tags/TagFields.cpp
  library/import/TrackImportNames.cpp
  library/tracklist/SearchFilterMatch.cpp
  library/tracklist/TrackListFillText.cpp
  library/maintenance/DuplicateScan.cpp
  library/maintenance/DriveLetters.cpp
  library/legacy/ArchiveFormats.cpp
  library/legacy/ExportText.cpp
  library/legacy/OlderLayout.cpp
  library/playlists/PlaylistText.cpp
  library/browse/BrowseValues.cpp
  DEPENDS foundation_core decoder_core ZLIB::ZLIB)

# External control's parts without windows: the command vocabulary,
# shortcut-file and controller-map reading, request lines and socket texts,
# MIDI message bytes, the MIDI receiver's rules and the learn steps.
find_package(Threads REQUIRED)
tavrix_native_library(input_core SOURCES
  input/commands/CommandVocabulary.cpp
  input/commands/DecimalText.cpp
  input/shortcuts/ShortcutTable.cpp
  input/controllermap/ControllerMap.cpp
  input/server/RequestReader.cpp
  input/server/SocketTexts.cpp
  input/midi/MidiBytes.cpp
  input/midi/ReceiverRules.cpp
  input/learn/LearnSteps.cpp
  DEPENDS foundation_core Threads::Threads)

# GoogleTest built with the host compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
find_package(Threads REQUIRED)

add_library(tavrix_native_testmain STATIC
  ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/NativeTestSupport.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/TestFiles.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/Id3v2Writer.cpp)
target_include_directories(tavrix_native_testmain PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(tavrix_native_testmain PRIVATE ${TAVRIX_WARNINGS})
target_link_libraries(tavrix_native_testmain PUBLIC gtest Threads::Threads ZLIB::ZLIB)

enable_testing()
include(${CMAKE_CURRENT_LIST_DIR}/TestRegistration.cmake)

# Audio files made with sox and lame before any test runs.
add_test(NAME make_media COMMAND ${CMAKE_SOURCE_DIR}/tests/media/make-media.sh ${TAVRIX_MEDIA_DIR})
set_tests_properties(make_media PROPERTIES FIXTURES_SETUP tavrix_media)

# tavrix_native_test(NAME SOURCES... [DEPENDS libs...] [LABELS ...] [SHARDS n])
# A host GoogleTest program named after the Wine program whose portable
# test files it runs (sources named from tests/), registered as n shards
# like the Wine tests (tavrix_register_gtest); the outside test data and
# the test media are given as native paths.
function(tavrix_native_test name)
  cmake_parse_arguments(ARG "" "SHARDS" "SOURCES;DEPENDS;LABELS" ${ARGN})
  list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/tests/)
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${TAVRIX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} tavrix_native_testmain)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  tavrix_register_gtest(${name} SHARDS "${ARG_SHARDS}" LABELS native ${ARG_LABELS}
    ENVIRONMENT "TAVRIX_MEDIA=${TAVRIX_MEDIA_DIR};TAVRIX_TESTDATA=${TAVRIX_TESTDATA_DIR}")
endfunction()

tavrix_native_test(framework_tests
  SOURCES framework/core/CollectionsTest.cpp
  DEPENDS framework_core
  LABELS framework)

tavrix_native_test(foundation_tests
  SOURCES
    foundation/xml/XmlMarkupParseTest.cpp
    foundation/xml/XmlMarkupEditTest.cpp
    foundation/xml/XmlMarkupPropertyTest.cpp
  DEPENDS foundation_core
  LABELS foundation)

tavrix_native_test(foundation_system_tests
  SOURCES
    foundation/monitors/MonitorGeometryTest.cpp
    foundation/cpu/PerfBlockBuilder.cpp
    foundation/cpu/PerfDataWalkTest.cpp
    foundation/shell/DisplayCharMapTest.cpp
    foundation/shortcuts/ShortcutFileTest.cpp
    foundation/download/HttpReplyTest.cpp
  DEPENDS foundation_core
  LABELS foundation)

tavrix_native_test(foundation_helpers_tests
  SOURCES
    foundation/app/HashingTest.cpp
    foundation/app/HexToColorTest.cpp
  DEPENDS foundation_core
  LABELS foundation)

tavrix_native_test(filetree_rules_tests
  SOURCES foundation/filetree/FileTreeRulesTest.cpp
  DEPENDS foundation_core
  LABELS foundation)

tavrix_native_test(drawing_tests
  SOURCES foundation/drawing/ResampleTest.cpp
  DEPENDS foundation_core
  LABELS foundation)

tavrix_native_test(library_tests
  SOURCES library/api/TrackRecordTest.cpp
  DEPENDS library_core
  LABELS library)

tavrix_native_test(library_file_tests
  SOURCES
    library/file/LibraryLayoutTest.cpp
    library/file/RecordSortTest.cpp
    library/file/RecordStateTest.cpp
  DEPENDS library_core
  LABELS library)

tavrix_native_test(tags_tests
  SOURCES
    library/tags/TagTextTest.cpp
    library/tags/Id3v2TagTest.cpp
    library/tags/WavParseTest.cpp
  DEPENDS library_core
  LABELS tags)

tavrix_native_test(maintenance_tests
  SOURCES library/maintenance/DuplicateScanTest.cpp
  DEPENDS library_core
  LABELS maintenance)

tavrix_native_test(tracklist_tests
  SOURCES library/tracklist/SearchFilterMatchTest.cpp
  DEPENDS library_core
  LABELS tracklist)

tavrix_native_test(legacy_tests
  SOURCES
    library/legacy/ArchiveFormatsTest.cpp
    library/legacy/OlderLayoutTest.cpp
    library/legacy/ExportTextTest.cpp
    library/legacy/CsvReaderTest.cpp
  DEPENDS library_core
  LABELS legacy)
tavrix_native_test(playlists_tests
  SOURCES library/playlists/PlaylistTextTest.cpp
  DEPENDS library_core
  LABELS playlists)
tavrix_native_test(browse_tests
  SOURCES library/browse/BrowseValuesTest.cpp
  DEPENDS library_core
  LABELS browse)
tavrix_native_test(network_tests
  SOURCES
    decoder/network/UrlParseTest.cpp
    decoder/network/StreamHeadersTest.cpp
  DEPENDS decoder_core
  LABELS decoder)

tavrix_native_test(decoder_tests
  SOURCES
    decoder/engine/TestModules.cpp
    decoder/engine/WaveTestFiles.cpp
    decoder/engine/ErrorTextTest.cpp
    decoder/engine/EnvironmentTest.cpp
    decoder/engine/RegistryTest.cpp
    decoder/engine/FilterChainTest.cpp
    decoder/engine/DecoderCoreTest.cpp
    decoder/engine/FileModulesTest.cpp
    decoder/engine/WaveCodecTest.cpp
    decoder/engine/CodecChoiceTest.cpp
  DEPENDS decoder_core
  LABELS decoder)

tavrix_native_test(players_tests
  SOURCES
    decoder/players/VocabularyTest.cpp
    decoder/players/RingBufferTest.cpp
    decoder/players/MemoryInputTest.cpp
  DEPENDS decoder_core
  LABELS decoder)

tavrix_native_test(feedback_tests
  SOURCES decoder/feedback/FeedbackQueueTest.cpp
  DEPENDS decoder_core
  LABELS feedback)

tavrix_native_test(dkplayer_tests
  SOURCES decoder/dkplayer/DsoundStreamTest.cpp
  DEPENDS decoder_core
  LABELS decoder)

tavrix_native_test(mpeg_tests
  SOURCES
    decoder/mpeg/codec/mpeg_test_streams.cpp
    decoder/mpeg/codec/mpeg_header_test.cpp
    decoder/mpeg/codec/mpeg_bits_test.cpp
    decoder/mpeg/codec/mpeg_synth_test.cpp
    decoder/mpeg/codec/mpeg_kernels_test.cpp
    decoder/mpeg/codec/mpeg_layer12_test.cpp
    decoder/mpeg/codec/mpeg_codec_test.cpp
    decoder/mpeg/codec/mpeg_conformance_test.cpp
    decoder/mpeg/codec/mp3_scanner_test.cpp
    decoder/mpeg/codec/mpeg_decoder_test.cpp
  DEPENDS decoder_core
  LABELS decoder)

tavrix_native_test(mpeg3_tests
  SOURCES
    decoder/mpeg/layer3/layer3_test_support.cpp
    decoder/mpeg/layer3/layer3_accuracy_test.cpp
    decoder/mpeg/layer3/layer3_stages_test.cpp
    decoder/mpeg/layer3/layer3_mends_test.cpp
    decoder/mpeg/layer3/layer3_damage_test.cpp
    decoder/mpeg/layer3/layer3_codec_test.cpp
  DEPENDS decoder_mpeg
  LABELS decoder)

tavrix_native_test(input_core_tests
  SOURCES
    input/VocabularyTest.cpp
    input/ShortcutTextTest.cpp
    input/ControllerMapTextTest.cpp
    input/RequestReaderTest.cpp
    input/MidiBytesTest.cpp
    input/ReceiverRulesTest.cpp
    input/LearnStepsTest.cpp
  DEPENDS input_core
  LABELS input)

# The fuzz targets, and the replay of their regression inputs.
include(${CMAKE_CURRENT_LIST_DIR}/Fuzz.cmake)

# Every #include respects the layer table of DESIGN.md.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME include_layers
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check-layers.py ${CMAKE_SOURCE_DIR})
add_test(NAME include_layers_self_test
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/check-layers.py --self-test)
set_tests_properties(include_layers include_layers_self_test PROPERTIES LABELS "native;layers")

# The audio engine's portable parts: the FX filter's effects and module,
# and the decks' rules (state codes, time codes, loop, equalizer table,
# device names, deck texts).
tavrix_native_library(audio_core SOURCES
  audio/fx/FxEffects.cpp
  audio/fx/FxFilter.cpp
  audio/deck/DeckLogic.cpp
  audio/feedback/FeedbackLevels.cpp
  audio/players/PlayerLogic.cpp
  DEPENDS decoder_core)

tavrix_native_test(fx_tests
  SOURCES audio/fx/FxFilterTest.cpp
  DEPENDS audio_core
  LABELS audio)

tavrix_native_test(deck_tests
  SOURCES audio/deck/DeckLogicTest.cpp
  DEPENDS audio_core
  LABELS audio)

# The CD database protocol: disc id, request texts, answer parsers.
tavrix_native_library(audio_cd_core SOURCES
  audio/cd/CDDBProtocol.cpp
  DEPENDS foundation_core framework_core)

tavrix_native_test(cd_tests
  SOURCES audio/cd/CDDBProtocolTest.cpp
  DEPENDS audio_cd_core
  LABELS audio)

# The CD catalogue's text: appending albums and reading them back.
tavrix_native_library(audio_cdplayer_core SOURCES
  audio/cdplayer/CDCatalog.cpp
  DEPENDS foundation_core framework_core)

tavrix_native_test(cdplayer_tests
  SOURCES audio/cdplayer/CDCatalogTest.cpp
  DEPENDS audio_cdplayer_core
  LABELS audio)

# The control library's portable part: the controls' arithmetic (scope
# lines, needle geometry, slider mappings, button darkening, colour grid,
# gradient bands, header column moves).
tavrix_native_library(widgets_core SOURCES
  widgets/scope/ScopeMath.cpp
  widgets/meter/NeedleGeometry.cpp
  widgets/slider/SliderMath.cpp
  widgets/button/ButtonMath.cpp
  widgets/colourpicker/ColourGrid.cpp
  widgets/progress/GradientBands.cpp
  widgets/header/HeaderOrder.cpp
  widgets/menus/MenuMath.cpp)

tavrix_native_test(widgets_tests
  SOURCES
    widgets/scope/ScopeMathTest.cpp
    widgets/meter/NeedleGeometryTest.cpp
    widgets/slider/SliderMathTest.cpp
    widgets/button/ButtonMathTest.cpp
    widgets/progress/GradientBandsTest.cpp
    widgets/colourpicker/ColourGridTest.cpp
    widgets/header/HeaderOrderTest.cpp
    widgets/menus/MenuMathTest.cpp
  DEPENDS widgets_core
  LABELS widgets)

# The tempo measurement: SoundTouch built for the host from the same Debian
# source as the cross build, the detector, the measuring loop and the
# decoder engine as its block source (SoundTouch with -Ofast, as in the
# cross build: cmake/Dependencies.cmake).
set(ST_DIR ${TAVRIX_DEPS_DIR}/soundtouch)
file(GLOB ST_NATIVE_SOURCES ${ST_DIR}/source/SoundTouch/*.cpp)
add_library(soundtouch_native STATIC ${ST_NATIVE_SOURCES})
target_include_directories(soundtouch_native SYSTEM PUBLIC ${ST_DIR}/include)
target_compile_definitions(soundtouch_native PUBLIC SOUNDTOUCH_INTEGER_SAMPLES=1)
target_compile_options(soundtouch_native PRIVATE -w -msse2 -Ofast)
tavrix_native_library(library_tempo SOURCES
  library/tempo/TempoDetector.cpp
  library/tempo/TempoMeasure.cpp
  library/tempo/DecoderBlocks.cpp
  DEPENDS framework_core decoder_core soundtouch_native)

tavrix_native_test(tempo_tests
  SOURCES
    library/tempo/TempoMeasureTest.cpp
    library/tempo/TempoDetectorTest.cpp
    library/tempo/TempoFileTest.cpp
  DEPENDS library_tempo
  LABELS tempo)

# The tempo benchmark (bench/tempo_bench.sh), for the host too.
add_executable(tempo_bench bench/tempo_bench.cpp)
target_include_directories(tempo_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(tempo_bench PRIVATE ${TAVRIX_WARNINGS})
target_link_libraries(tempo_bench PRIVATE library_tempo)
set_target_properties(tempo_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The skin engine's portable part: the skin file, its control names and the
# write-back's edit.
tavrix_native_library(skin_core SOURCES
  skin/file/Skin.cpp
  skin/file/SkinControlNames.cpp
  skin/file/SkinWriteBack.cpp
  skin/fields/FieldGeometry.cpp
  skin/knob/KnobGeometry.cpp
  skin/create/CreateRules.cpp
  DEPENDS input_core foundation_core)

tavrix_native_test(skin_core_tests
  SOURCES
    skin/SkinFileTest.cpp
    skin/ControlNamesTest.cpp
    skin/ShippedSkinsTest.cpp
  DEPENDS skin_core
  LABELS skin)

# The main window's mixer model, value mapping, AutoMix and random play.
tavrix_native_library(mainwindow_mix_core SOURCES
  mainwindow/mixer/MixerMath.cpp
  mainwindow/mixer/Mixer.cpp
  mainwindow/automix/AutoMix.cpp
  mainwindow/mapping/ValueMapping.cpp
  mainwindow/mapping/MixerInput.cpp
  DEPENDS framework_core)

tavrix_native_test(mixer_tests
  SOURCES
    mainwindow/mixer/MixerMathTest.cpp
    mainwindow/mixer/MixerTest.cpp
    mainwindow/mixer/ValueMappingTest.cpp
    mainwindow/mixer/MixerInputTest.cpp
    mainwindow/mixer/AutoMixTest.cpp
    mainwindow/mixer/AutoMixSessionTest.cpp
  DEPENDS mainwindow_mix_core
  LABELS mainwindow)

# The main window's decks: the deck commands, displays and set-up over
# recording decks.
tavrix_native_library(mainwindow_decks_core SOURCES
  mainwindow/decks/DeckRules.cpp
  mainwindow/decks/DeckCommands.cpp
  DEPENDS mainwindow_mix_core)

tavrix_native_test(deck_commands_tests
  SOURCES
    mainwindow/decks/RecordingDecks.cpp
    mainwindow/decks/DeckCommandsTest.cpp
    mainwindow/decks/DeckRulesTest.cpp
  DEPENDS mainwindow_decks_core
  LABELS mainwindow)

# The shipped skins, drawn as for the program folder, for the test of their
# item tables (ShippedSkinsTest.cpp reads them there).
set(TAVRIX_IMAGE_DIR ${CMAKE_BINARY_DIR}/TavrixVJ)
include(${CMAKE_CURRENT_LIST_DIR}/Skins.cmake)
target_compile_definitions(skin_core_tests PRIVATE TAVRIX_SHIPPED_SKINS_DIR="${TAVRIX_SKINS_DIR}")
add_dependencies(skin_core_tests tavrix_skins)

# The fixed-point spectrum analyser.
tavrix_native_test(fft_tests
  SOURCES decoder/fft/FftTest.cpp
  DEPENDS decoder_core
  LABELS decoder)

# The visualisation feedback handlers' arithmetic.
tavrix_native_test(feedback_levels_tests
  SOURCES audio/feedback/FeedbackLevelsTest.cpp
  DEPENDS audio_core
  LABELS audio)

# The sound-effects list and its file text.
tavrix_native_library(audio_sampler_core SOURCES
  audio/sampler/EffectList.cpp
  DEPENDS foundation_core framework_core)

tavrix_native_test(effect_list_tests
  SOURCES audio/sampler/EffectListTest.cpp
  DEPENDS audio_sampler_core
  LABELS audio)

# The players' shared rules.
tavrix_native_test(player_tests
  SOURCES audio/players/PlayerLogicTest.cpp
  DEPENDS audio_core
  LABELS audio)

# The decks' track scan (levels, tempo, start point, waveform columns) and
# the album-art search's request, reply and choice.
tavrix_native_library(audio_loading_core SOURCES
  audio/preprocess/DeckScan.cpp
  audio/worker/AlbumArtLookup.cpp
  DEPENDS library_tempo foundation_core framework_core)

tavrix_native_test(deck_loading_tests
  SOURCES
    audio/preprocess/DeckScanTest.cpp
    audio/worker/AlbumArtLookupTest.cpp
  DEPENDS audio_loading_core
  LABELS audio)

# The main window's window-free rules: timers, keys, commands, menus.
tavrix_native_library(mainwindow_core SOURCES
  mainwindow/timers/TimerRules.cpp
  mainwindow/dispatch/KeyRules.cpp
  mainwindow/dispatch/CommandAreas.cpp
  mainwindow/dispatch/MainMenus.cpp)

tavrix_native_test(mainwindow_rules_tests
  SOURCES
    mainwindow/rules/TimerRulesTest.cpp
    mainwindow/rules/KeyRulesTest.cpp
    mainwindow/rules/CommandAreasTest.cpp
  DEPENDS mainwindow_core
  LABELS mainwindow)

# The rules of the main window's working lists of tracks and of loading
# from them into the decks.
tavrix_native_library(mainwindow_queues_core SOURCES
  mainwindow/queues/QueueRules.cpp
  mainwindow/queues/ListMenuRules.cpp
  DEPENDS library_core framework_core)

tavrix_native_test(queue_rules_tests
  SOURCES
    mainwindow/queues/QueueRulesTest.cpp
    mainwindow/queues/MixerQueueDecksTest.cpp
    mainwindow/queues/ListMenuRulesTest.cpp
  DEPENDS mainwindow_queues_core mainwindow_mix_core
  LABELS mainwindow)
target_include_directories(queue_rules_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/mainwindow/mixer)

# Which skin elements the main window's builders make, and their rules.
tavrix_native_library(mainwindow_build_core SOURCES
  mainwindow/build/BuildTables.cpp)
tavrix_native_test(mainwindow_build_rules_tests
  SOURCES
    mainwindow/build/BuildTablesTest.cpp
  DEPENDS mainwindow_build_core
  LABELS mainwindow)

# The library views' window-free rules.
tavrix_native_library(mainwindow_library_core SOURCES
  mainwindow/library/LibraryViewRules.cpp
  DEPENDS framework_core)

tavrix_native_test(mainwindow_library_rules_tests
  SOURCES
    mainwindow/library/LibraryViewRulesTest.cpp
  DEPENDS mainwindow_library_core
  LABELS mainwindow)

tavrix_native_test(skin_controls_core_tests
  SOURCES
    skin/GeometryTest.cpp
    skin/CreateRulesTest.cpp
  DEPENDS skin_core
  LABELS skin)

# The skin list controls' rules: sort choice, sort codes, row icons, moves,
# hidden scroll bars, thumbnail spacing and fit.
tavrix_native_library(skin_lists_core SOURCES
  skin/tracklist/TrackListRules.cpp
  skin/thumblist/ThumbMath.cpp)

tavrix_native_test(skin_lists_core_tests
  SOURCES
    skin/lists/TrackListRulesTest.cpp
    skin/lists/ThumbMathTest.cpp
  DEPENDS skin_lists_core
  LABELS skin)

# The mixer and AutoMix command routing and the AutoMix queue of the main
# window (mainwindow/mixerarea).
tavrix_native_library(mainwindow_mixerarea_core SOURCES
  mainwindow/mixerarea/MixerCommands.cpp
  mainwindow/mixerarea/AutoMixQueue.cpp
  DEPENDS mainwindow_mix_core library_core framework_core)

tavrix_native_test(mixer_area_tests
  SOURCES
    mainwindow/mixer/MixerCommandsTest.cpp
  DEPENDS mainwindow_mixerarea_core
  LABELS mainwindow)
