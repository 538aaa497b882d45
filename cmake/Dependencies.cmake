# Dependencies are installed and called, never committed: SoundTouch and
# id3lib come as Debian source packages (tools/deps.sh) compiled here with
# the cross compiler; zlib is Debian's mingw package; GoogleTest is built
# from Debian's googletest sources.

# deps.sh fetches what is missing and applies the patches not applied yet
# (quick when there is nothing to do).
block()
  execute_process(COMMAND ${CMAKE_SOURCE_DIR}/tools/deps.sh ${TAVRIX_DEPS_DIR}
                  RESULT_VARIABLE deps_rc)
  if(NOT deps_rc EQUAL 0)
    message(FATAL_ERROR "tools/deps.sh failed; run tools/setup.sh as root first")
  endif()
endblock()

# zlib (libz-mingw-w64-dev), linked statically.
find_library(TAVRIX_ZLIB NAMES libz.a z REQUIRED)
find_path(TAVRIX_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(zlib_static INTERFACE)
target_link_libraries(zlib_static INTERFACE ${TAVRIX_ZLIB})
target_include_directories(zlib_static SYSTEM INTERFACE ${TAVRIX_ZLIB_INCLUDE})

# SoundTouch, 16-bit integer samples (the tempo detector is fed 16-bit PCM),
# with the -Ofast of its own build files: its correlation loops are written
# for gcc to vectorise, and at -O2 the tempo detector takes five times as
# long as decoding the file it measures.
set(ST_DIR ${TAVRIX_DEPS_DIR}/soundtouch)
file(GLOB ST_SOURCES ${ST_DIR}/source/SoundTouch/*.cpp)
add_library(soundtouch STATIC ${ST_SOURCES})
target_include_directories(soundtouch SYSTEM PUBLIC ${ST_DIR}/include)
target_compile_definitions(soundtouch PUBLIC SOUNDTOUCH_INTEGER_SAMPLES=1)
target_compile_options(soundtouch PRIVATE -w -msse2 -Ofast)

# id3lib, with its own Windows configuration header and zlib.
set(ID3_DIR ${TAVRIX_DEPS_DIR}/id3lib)
set(ID3_CONFIG_DIR ${CMAKE_BINARY_DIR}/id3lib-config)
if(NOT EXISTS ${ID3_CONFIG_DIR}/config.h)
  file(READ ${ID3_DIR}/config.h.win32 id3_config)
  string(APPEND id3_config "\n#undef HAVE_ZLIB\n#define HAVE_ZLIB 1\n")
  file(WRITE ${ID3_CONFIG_DIR}/config.h "${id3_config}")
endif()
file(GLOB ID3_SOURCES ${ID3_DIR}/src/*.cpp)
add_library(id3 STATIC ${ID3_SOURCES})
target_include_directories(id3 PRIVATE ${ID3_CONFIG_DIR} ${ID3_DIR} ${ID3_DIR}/include/id3)
target_include_directories(id3 SYSTEM PUBLIC ${ID3_DIR}/include)
target_compile_definitions(id3 PUBLIC WIN32 ID3LIB_LINKOPTION=1 PRIVATE HAVE_CONFIG_H)
target_compile_options(id3 PRIVATE -w -std=gnu++17)
target_link_libraries(id3 PUBLIC zlib_static)

# GoogleTest and GoogleMock.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
