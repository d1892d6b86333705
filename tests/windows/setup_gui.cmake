# Setup.exe in the Windows setup folder, driven through its dialogs by setup_driver
# (setup_gui_test.sh), one scenario a test. Each sets the prefix-wide Windows version and
# installs to C:\Varnelle, so they run alone.
add_executable(setup_driver setup_driver.cpp)
foreach(scenario install_uninstall cancel_exit licence_close access_code_editor refusals choose_drive explore)
  add_test(NAME setup_gui_${scenario}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/setup_gui_test.sh ${scenario} ${CMAKE_BINARY_DIR}/setup-folder
            $<TARGET_FILE:setup_driver>)
  set_tests_properties(setup_gui_${scenario} PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
endforeach()
