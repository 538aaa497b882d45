# The pictures the list controls open from the program folder (the icon
# view, the thumbnail list's basic and genre pictures), drawn at build time
# by skin/res/make-list-pictures.py with Debian's python3 and python3-pil.
find_program(TAVRIX_LIST_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT TAVRIX_LIST_PYTHON)
  message(FATAL_ERROR "/usr/bin/python3 (with python3-pil) is needed for the list pictures: run tools/setup.sh")
endif()
set(TAVRIX_LIST_PICTURES
  ${TAVRIX_IMAGE_DIR}/IconView.bmp
  ${TAVRIX_IMAGE_DIR}/BasicThumbnails.bmp
  ${TAVRIX_IMAGE_DIR}/GenreImages2.bmp)
add_custom_command(
  OUTPUT ${TAVRIX_LIST_PICTURES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVRIX_IMAGE_DIR}
  COMMAND ${TAVRIX_LIST_PYTHON} ${CMAKE_SOURCE_DIR}/skin/res/make-list-pictures.py program ${TAVRIX_IMAGE_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/skin/res/make-list-pictures.py
  COMMENT "Drawing the list pictures")
add_custom_target(tavrix_list_pictures ALL DEPENDS ${TAVRIX_LIST_PICTURES})
add_dependencies(tavrix_image tavrix_list_pictures)
