# Starts the real viewer in a scratch directory and checks the run log it leaves there.
# The viewer keeps running after start-up; run_viewer_until.sh ends each run as soon as
# start-up is over rather than after a fixed time.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/folder with space")
set(driver "${CMAKE_CURRENT_LIST_DIR}/run_viewer_until.sh")

function(run_viewer mode target)
  execute_process(COMMAND bash "${driver}" ${mode} "${target}" "${VIEWER}" ${ARGN}
    WORKING_DIRECTORY "${WORKDIR}" RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "viewer run (${ARGN}) failed:\n${out}")
  endif()
endfunction()

# Each line starts with a stamp "mm/dd/yy, hh:mm:ss:" (twelve-hour clock) and the
# milliseconds without leading zeros, so blocks differ in length from run to run; they
# are compared with their stamps taken out, and every line must have had one.
set(stamp "[01][0-9]/[0-3][0-9]/[0-9][0-9], [01][0-9]:[0-5][0-9]:[0-5][0-9]:(0|[1-9][0-9]?[0-9]?)- ")
set(block "Check command line...\nParse the command line...\nCommand line: 1 folder|with|space\nLog: 1\nPath: folder with space\n\n")
set(lines_per_block 5)

function(check_log content blocks)
  set(expected "")
  foreach(i RANGE 1 ${blocks})
    string(APPEND expected "${block}")
  endforeach()
  # A leading line break lets one pattern find the stamp of every line, the first included.
  string(REGEX MATCHALL "\n${stamp}" stamps "\n${content}")
  string(REGEX REPLACE "\n${stamp}" "\n" bare "\n${content}")
  string(SUBSTRING "${bare}" 1 -1 bare)
  list(LENGTH stamps stamp_count)
  math(EXPR expected_stamps "${blocks} * ${lines_per_block}")
  if(NOT bare STREQUAL expected OR NOT stamp_count EQUAL expected_stamps)
    message(FATAL_ERROR "expected ${blocks} block(s) of\n${block}each line stamped, found:\n${content}")
  endif()
endfunction()

run_viewer(blocks 1 1 "folder|with|space")
file(READ "${WORKDIR}/Varnelle.log" once)
check_log("${once}" 1)

# A second run appends its block after the first.
run_viewer(blocks 2 1 "folder|with|space")
file(READ "${WORKDIR}/Varnelle.log" twice)
check_log("${twice}" 2)
string(LENGTH "${once}" once_length)
string(SUBSTRING "${twice}" 0 ${once_length} kept)
if(NOT kept STREQUAL once)
  message(FATAL_ERROR "the first block changed:\n${once}became\n${kept}")
endif()

# The switch 0 writes nothing. The run is given a FIFO as its show: by the time the viewer
# opens it, the point where the log would have been written is behind it.
execute_process(COMMAND mkfifo "${WORKDIR}/show.lit" RESULT_VARIABLE fifo_result)
if(NOT fifo_result EQUAL 0)
  message(FATAL_ERROR "mkfifo failed")
endif()
run_viewer(opens "${WORKDIR}/show.lit" 0 show.lit)
file(READ "${WORKDIR}/Varnelle.log" after_silent_run)
if(NOT after_silent_run STREQUAL twice)
  message(FATAL_ERROR "a run with the switch 0 changed the log:\n${after_silent_run}")
endif()
