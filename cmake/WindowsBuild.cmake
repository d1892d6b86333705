# The Windows build: the platform's interfaces and its win32 backend, the image library's own
# decoders, the dialog numbers, both programs' cores and the tests that need no Qt and no
# codec library. Qt, Benchmark and the system's codec libraries are not looked for.
set(VARNELLE_WINDOWS_ONLY ON)
set(CMAKE_AUTOMOC OFF)

# GoogleTest from Debian's sources, built by the cross compiler; it names its targets
# GTest::gtest, GTest::gtest_main and GTest::gmock itself.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

enable_testing()

add_subdirectory(platform)
add_subdirectory(gui_common)
add_subdirectory(imagelib)
add_subdirectory(viewer)
add_subdirectory(setup)
add_subdirectory(tests/windows)

varnelle_check_core_links(platform imagelib dialog_numbers viewer_core setup_core)
