# Reads the product code's include lines and fails on any that breaks the layering rule:
#  - a backend header (platform/posix, platform/win32, platform/qt, platform/fake) outside the
#    backends and the two programs' main files;
#  - in core code, a face's header (viewer/qt, viewer/win32, setup/qt, setup/win32), a Qt-based gui_common header or a
#    Qt header.
# cmake -DSOURCE_DIR=<repository> -P check_includes.cmake

cmake_minimum_required(VERSION 3.25)

set(composition_roots viewer/qt/main.cpp viewer/win32/main.cpp setup/qt/main.cpp setup/win32/main.cpp)
# What core code may take from gui_common: the dialogs' number form and the framework's texts.
set(core_gui_common gui_common/dialog_numbers.h gui_common/framework_texts.h)

file(GLOB_RECURSE product RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/viewer/*.h ${SOURCE_DIR}/viewer/*.cpp ${SOURCE_DIR}/setup/*.h ${SOURCE_DIR}/setup/*.cpp
     ${SOURCE_DIR}/gui_common/*.h ${SOURCE_DIR}/gui_common/*.cpp ${SOURCE_DIR}/imagelib/*.h ${SOURCE_DIR}/imagelib/*.cpp)
file(GLOB interfaces RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
list(APPEND product ${interfaces})

set(violations "")
foreach(file IN LISTS product)
  if(file MATCHES "^(viewer|setup)/(qt|win32)/" OR (file MATCHES "^gui_common/" AND NOT file MATCHES "^gui_common/(dialog_numbers|framework_texts)\\."))
    set(core FALSE)
  else()
    set(core TRUE)
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*" "" target "${line}")
    if(target MATCHES "^\"platform/(posix|win32|qt|fake)/" AND NOT file IN_LIST composition_roots)
      list(APPEND violations "${file}: ${target}: a backend header outside a main")
    endif()
    if(core)
      if(target MATCHES "^\"(viewer|setup)/(qt|win32)/")
        list(APPEND violations "${file}: ${target}: core code includes a face")
      elseif(target MATCHES "^\"(gui_common/[^\"]+)\"" AND NOT CMAKE_MATCH_1 IN_LIST core_gui_common)
        list(APPEND violations "${file}: ${target}: core code includes a Qt dialog block")
      elseif(target MATCHES "^<Q")
        list(APPEND violations "${file}: ${target}: core code includes Qt")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH product checked)
if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Layering broken:\n  ${text}")
endif()
message(STATUS "${checked} product files keep to the layers")
