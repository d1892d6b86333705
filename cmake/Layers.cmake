# The layering rule. Core targets (the platform's interfaces, the image library, the dialog
# numbers, viewer_core, setup_core) hold no window system and no operating system: they link
# neither Qt nor a backend (platform_posix, platform_win32, platform_qt, platform_fake) nor a
# face. Only a program's main, the tools, tests, benchmarks and fuzzers link a backend. Two
# checks keep it so: this one at configure time, and the headers' guards (platform/*/backend_guard.h,
# viewer/qt and setup/qt face_guard.h), which stop the build of any file whose target does
# not link that backend or face. tests/layers checks both, and the include lines, in CTest.

set(VARNELLE_NOT_IN_CORE platform_posix platform_win32 platform_qt platform_fake gui_common viewer_qt setup_qt)

# The targets that `target` links, directly: PRIVATE links of our own targets as well as
# what an imported target hands on. Link-only wrappers are unwrapped; other generator
# expressions, flags and paths are left out.
function(varnelle_direct_links target out)
  set(links "")
  get_target_property(imported ${target} IMPORTED)
  set(properties INTERFACE_LINK_LIBRARIES)
  if(NOT imported)
    list(APPEND properties LINK_LIBRARIES)
  endif()
  foreach(property IN LISTS properties)
    get_target_property(items ${target} ${property})
    if(NOT items)
      continue()
    endif()
    foreach(item IN LISTS items)
      if(item MATCHES "^\\$<LINK_ONLY:([^$<>]+)>$")
        set(item ${CMAKE_MATCH_1})
      endif()
      if(TARGET ${item})
        get_target_property(aliased ${item} ALIASED_TARGET)
        if(aliased)
          set(item ${aliased})
        endif()
        list(APPEND links ${item})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES links)
  set(${out} ${links} PARENT_SCOPE)
endfunction()

# Stops configuration when one of the core targets reaches Qt, a backend or a face through
# its links, however many libraries lie in between; the message names the whole path.
function(varnelle_check_core_links)
  foreach(core IN LISTS ARGN)
    set(pending ${core})
    set(seen ${core})
    string(MAKE_C_IDENTIFIER "${core}" key)
    set(path_${key} ${core})
    while(pending)
      list(POP_FRONT pending current)
      string(MAKE_C_IDENTIFIER "${current}" key)
      set(path ${path_${key}})
      varnelle_direct_links(${current} links)
      foreach(link IN LISTS links)
        if(link IN_LIST seen)
          continue()
        endif()
        list(APPEND seen ${link})
        if(link IN_LIST VARNELLE_NOT_IN_CORE OR link MATCHES "^Qt[0-9]*::")
          string(REPLACE ";" " -> " chain "${path};${link}")
          message(FATAL_ERROR "Layering: core target ${core} links ${link} (${chain}). Core code takes "
                              "its services through the interfaces in platform/; only a program's main, "
                              "the tools, tests, benchmarks and fuzzers link Qt or a backend.")
        endif()
        string(MAKE_C_IDENTIFIER "${link}" linkKey)
        set(path_${linkKey} ${path} ${link})
        list(APPEND pending ${link})
      endforeach()
    endwhile()
  endforeach()
endfunction()
