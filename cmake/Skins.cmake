# The skins the program ships, made from their sources in skins/NAME/NAME.py
# by tools/make-skin.py into the program folder's Skins/ (NAME.xml and the
# folder NAME/ of its pictures). Debian's python3 with python3-pil.
find_program(TAVRIX_SKIN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT TAVRIX_SKIN_PYTHON)
  message(FATAL_ERROR "/usr/bin/python3 (with python3-pil) is needed for the skins: run tools/setup.sh")
endif()

set(TAVRIX_SKINS_DIR ${TAVRIX_IMAGE_DIR}/Skins)
set(TAVRIX_SKIN_OUTPUTS)
# skins/skinkit.py (the drawing kit) and skins/skinparts.py (the shared
# panels) are imported by every skin's source.
set(TAVRIX_SKIN_KIT ${CMAKE_SOURCE_DIR}/skins/skinkit.py ${CMAKE_SOURCE_DIR}/skins/skinparts.py
  ${CMAKE_SOURCE_DIR}/tools/make-skin.py)
foreach(skin Default Jukebox Thumbnails)
  set(source ${CMAKE_SOURCE_DIR}/skins/${skin}/${skin}.py)
  add_custom_command(
    OUTPUT ${TAVRIX_SKINS_DIR}/${skin}.xml
    COMMAND ${TAVRIX_SKIN_PYTHON} ${CMAKE_SOURCE_DIR}/tools/make-skin.py ${source} ${TAVRIX_SKINS_DIR}
    DEPENDS ${source} ${TAVRIX_SKIN_KIT}
    COMMENT "Drawing the ${skin} skin")
  list(APPEND TAVRIX_SKIN_OUTPUTS ${TAVRIX_SKINS_DIR}/${skin}.xml)
endforeach()
add_custom_target(tavrix_skins ALL DEPENDS ${TAVRIX_SKIN_OUTPUTS})
if(TARGET tavrix_image)   # the cross builds' program folder
  add_dependencies(tavrix_image tavrix_skins)
endif()
