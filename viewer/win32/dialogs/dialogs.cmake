# The viewer's dialogs: templates written with their texts and pictures by a program built for
# the build machine (as the menu is), and the dialog windows over them.
set(DIALOGS_RC ${CMAKE_CURRENT_BINARY_DIR}/viewer_dialogs.rc)
set(DIALOGS_GEN ${CMAKE_CURRENT_SOURCE_DIR}/dialogs)
add_custom_command(OUTPUT ${DIALOGS_RC}
  COMMAND ${VARNELLE_HOST_CXX} -std=c++20 -I${PROJECT_SOURCE_DIR}
          ${DIALOGS_GEN}/dialogs_rc.cpp ${DIALOGS_GEN}/dialog_pictures.cpp -o ${CMAKE_CURRENT_BINARY_DIR}/dialogs_rc
  COMMAND ${CMAKE_CURRENT_BINARY_DIR}/dialogs_rc ${CMAKE_CURRENT_BINARY_DIR} > ${DIALOGS_RC}
  DEPENDS ${DIALOGS_GEN}/dialogs_rc.cpp ${CMAKE_CURRENT_SOURCE_DIR}/rc_quoted.h ${DIALOGS_GEN}/dialog_pictures.cpp ${DIALOGS_GEN}/dialog_pictures.h
          ${DIALOGS_GEN}/dialog_ids.h ${PROJECT_SOURCE_DIR}/viewer/res/texts.h
  VERBATIM)
add_custom_target(viewer_dialog_resources DEPENDS ${DIALOGS_RC})
set_property(SOURCE viewer.rc APPEND PROPERTY OBJECT_DEPENDS ${DIALOGS_RC} ${CMAKE_CURRENT_SOURCE_DIR}/dialogs.rc)

target_sources(viewer_win32 PRIVATE
  dialogs/win32_dialog.cpp
  dialogs/option_dialogs.cpp
  dialogs/folder_dlg.cpp
  dialogs/viewer_dialogs.cpp
)
add_dependencies(viewer_win32 viewer_dialog_resources)
target_link_libraries(viewer_win32 PUBLIC dialog_numbers)
