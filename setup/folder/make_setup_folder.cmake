# Lays out the folder Setup installs Varnelle from: the programs, config.cfg, the read-me,
# the licence and the sample show. Run with -DOUT, -DSETUP, -DFOLDER_SOURCES (this folder),
# -DSAMPLES and, when the viewer is built, -DVIEWER. -DWINDOWS=ON writes the entries with
# the backslash, as the Windows Setup joins them to its folders.

if(WINDOWS)
  set(sep "\\")
else()
  set(sep "/")
endif()
get_filename_component(setup_name "${SETUP}" NAME)

# Installed entries: source (relative to OUT), link name or "*".
set(entries "")
if(VIEWER)
  get_filename_component(viewer_name "${VIEWER}" NAME)
  list(APPEND entries "${viewer_name}|Varnelle")
endif()
list(APPEND entries
  "${setup_name}|Varnelle Setup"
  "config.cfg|*"
  "Readme.txt|*"
  "License.txt|*"
  "samples${sep}dawn.jpg|*"
  "samples${sep}dusk.bmp|*"
  "samples${sep}night.jpg|*"
  "samples${sep}noon.png|*"
  "samples${sep}show.lit|*")

file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}/samples")
file(COPY "${SETUP}" ${VIEWER} DESTINATION "${OUT}")
file(COPY "${FOLDER_SOURCES}/Readme.txt" "${FOLDER_SOURCES}/License.txt" DESTINATION "${OUT}")
foreach(sample dawn.jpg dusk.bmp night.jpg noon.png show.lit)
  file(COPY "${SAMPLES}/${sample}" DESTINATION "${OUT}/samples")
endforeach()

set(sources "")
set(links "")
set(kilobytes 4)  # config.cfg itself
foreach(entry IN LISTS entries)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 path)
  list(GET parts 1 link)
  string(APPEND sources "${path};\r\n")
  string(APPEND links "${link};\r\n")
  string(REPLACE "\\" "/" file "${path}")
  if(EXISTS "${OUT}/${file}")
    file(SIZE "${OUT}/${file}" bytes)
    math(EXPR kilobytes "${kilobytes} + (${bytes} + 1023) / 1024")
  endif()
endforeach()

# The licence shows in the agreement; Windows line ends, as the editor writes.
file(READ "${FOLDER_SOURCES}/License.txt" licence)
string(REPLACE "\n" "\r\n" licence "${licence}")
file(WRITE "${OUT}/config.cfg"
  "[APPNAME]\r\nVarnelle;\r\n[DELREGKEY]\r\n[INSTSIZE]\r\n${kilobytes};\r\n"
  "[LINKDIR]\r\nVarnelle;\r\n[DIRDEST]\r\nsamples;\r\n"
  "[FILESOURCE]\r\n${sources}[FILEDEST]\r\n${sources}[LINKDEST]\r\n${links}"
  "[LICAGREE]\r\n${licence}")
