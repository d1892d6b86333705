# Runs the command after `--` and passes only when it fails with output matching EXPECT:
# a check that must stop a violation is shown to stop it, for that reason and no other.
# cmake -DEXPECT=<regex> -P expect_failure.cmake -- <command> <arguments>...

cmake_minimum_required(VERSION 3.25)

set(command "")
set(collecting FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(collecting)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif("${CMAKE_ARGV${i}}" STREQUAL "--")
    set(collecting TRUE)
  endif()
endforeach()

execute_process(COMMAND ${command} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(result EQUAL 0)
  message(FATAL_ERROR "expected to fail, but succeeded: ${command}\n${out}")
endif()
if(NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "failed, but not with \"${EXPECT}\": ${command}\n${out}")
endif()
message(STATUS "failed as expected: ${command}")
