# Starts the real viewer in a scratch directory and checks the run log it leaves there.
# The viewer keeps running after start-up, so each run is ended by the time-out.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/folder with space")
set(ENV{QT_QPA_PLATFORM} offscreen)

execute_process(COMMAND "${VIEWER}" 1 "folder|with|space"
  WORKING_DIRECTORY "${WORKDIR}" TIMEOUT 3 RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
file(READ "${WORKDIR}/Varnelle.log" log)
set(stamp "[0-9][0-9]/[0-9][0-9]/[0-9][0-9], [0-9][0-9]:[0-9][0-9]:[0-9][0-9]:[0-9]+- ")
set(expected "^${stamp}Check command line...\n${stamp}Parse the command line...\n${stamp}Command line: 1 folder\\|with\\|space\n${stamp}Log: 1\n${stamp}Path: folder with space\n\n$")
if(NOT log MATCHES "${expected}")
  message(FATAL_ERROR "unexpected run log:\n${log}")
endif()

# A second run appends its block; the switch 0 writes nothing.
execute_process(COMMAND "${VIEWER}" 1 "folder|with|space"
  WORKING_DIRECTORY "${WORKDIR}" TIMEOUT 3 RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${VIEWER}" 0 "${WORKDIR}/folder with space"
  WORKING_DIRECTORY "${WORKDIR}" TIMEOUT 3 RESULT_VARIABLE ignored OUTPUT_QUIET ERROR_QUIET)
file(READ "${WORKDIR}/Varnelle.log" twice)
string(LENGTH "${log}" once_length)
string(LENGTH "${twice}" twice_length)
math(EXPR expected_length "${once_length} * 2")
if(NOT twice_length EQUAL expected_length)
  message(FATAL_ERROR "expected two blocks of ${once_length} bytes, found ${twice_length} bytes:\n${twice}")
endif()
