# The three deliverables and the program-folder image.

# KVLib.dll: the library's archives linked whole, so every marked member is exported.
add_library(KVLib SHARED library/res/KVLib.rc)
target_link_libraries(KVLib PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,library>")
target_link_libraries(KVLib PRIVATE framework_ui)
target_include_directories(KVLib INTERFACE ${CMAKE_SOURCE_DIR})
set_target_properties(KVLib PROPERTIES
  PREFIX "" LINKER_LANGUAGE CXX
  RUNTIME_OUTPUT_DIRECTORY ${TAVRIX_IMAGE_DIR}
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

# TavrixVJ.exe: bound to KVLib through its import table.
add_executable(TavrixVJ WIN32 mainwindow/TavrixVJ.cpp mainwindow/res/TavrixVJ.rc)
target_compile_options(TavrixVJ PRIVATE ${TAVRIX_WARNINGS})
target_link_libraries(TavrixVJ PRIVATE KVLib framework_ui)
# The program's picture loader and header bar (its own icon and title).
target_link_libraries(TavrixVJ PRIVATE foundation_ui)
# The application object, the main window and the skin engine.
target_link_libraries(TavrixVJ PRIVATE mainwindow)
# The layer's shared application state is the program's own: compiled into
# the executable, it comes before KVLib's import library, which exports
# KVLib's copy under the same name (the link order alone cannot promise it
# once the main window's library brings KVLib in).
target_sources(TavrixVJ PRIVATE framework/win/AppState.cpp)
set_target_properties(TavrixVJ PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TAVRIX_IMAGE_DIR})

# External control: vocabulary, shortcuts, controller maps, request server.
if(TARGET input)
  target_link_libraries(TavrixVJ PRIVATE input)
endif()

# The MPEG codec and the MP3 stream scanner: KVLib's tempo scan and tag
# readers, the program's players.
if(TARGET decoder_mpeg)
  target_link_libraries(KVLib PRIVATE decoder_mpeg)
  target_link_libraries(TavrixVJ PRIVATE decoder_mpeg)
endif()

# The decoder core: KVLib's tempo scan and the program's players.
target_link_libraries(KVLib PRIVATE decoder)
target_link_libraries(TavrixVJ PRIVATE decoder)

# dk_dsound_output.dll: the DirectSound output module, loaded by name at run time.
add_library(dk_dsound_output SHARED decoder/dsound_output/dk_dsound_output.cpp
            decoder/dsound_output/dsound_stream.cpp)
target_link_libraries(dk_dsound_output PRIVATE dsound)
target_compile_options(dk_dsound_output PRIVATE ${TAVRIX_WARNINGS})
target_include_directories(dk_dsound_output PRIVATE ${CMAKE_SOURCE_DIR})
set_target_properties(dk_dsound_output PROPERTIES
  PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${TAVRIX_IMAGE_DIR})

# The mingw runtime DLLs that every module imports (one shared unwinder).
set(TAVRIX_RUNTIME_DLLS)
if(TAVRIX_ARCH STREQUAL "x86_64")
  set(libgcc_dll libgcc_s_seh-1.dll)
else()
  set(libgcc_dll libgcc_s_dw2-1.dll)
endif()
foreach(dll ${libgcc_dll} libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
    foreach(dir /usr/lib/gcc/${TAVRIX_ARCH}-w64-mingw32/12-posix /usr/${TAVRIX_ARCH}-w64-mingw32/lib)
      if(EXISTS ${dir}/${dll})
        set(dll_path ${dir}/${dll})
      endif()
    endforeach()
  endif()
  if(NOT EXISTS "${dll_path}")
    message(FATAL_ERROR "mingw runtime ${dll} not found")
  endif()
  list(APPEND TAVRIX_RUNTIME_DLLS ${dll_path})
endforeach()

# The image: deliverables, runtime DLLs and shipped data in one folder. The
# test folder gets the DLLs too, so test programs bound to KVLib start.
add_custom_target(tavrix_image ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRIX_IMAGE_DIR} ${CMAKE_BINARY_DIR}/tests
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TAVRIX_RUNTIME_DLLS} ${TAVRIX_IMAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${TAVRIX_IMAGE_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TAVRIX_RUNTIME_DLLS}
          $<TARGET_FILE:KVLib> $<TARGET_FILE:dk_dsound_output> ${CMAKE_BINARY_DIR}/tests
  DEPENDS TavrixVJ KVLib dk_dsound_output
  COMMENT "Laying out the program folder ${TAVRIX_IMAGE_DIR}")

# The shipped skins, drawn at build time.
include(${CMAKE_CURRENT_LIST_DIR}/Skins.cmake)
# The list controls' program-folder pictures, drawn at build time.
include(${CMAKE_CURRENT_LIST_DIR}/ListPictures.cmake)
