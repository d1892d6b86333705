# Runs one fuzzer for SECONDS on a fresh corpus folder seeded from SEEDS. A unit may take
# up to 30 s: some seeds are pictures of tens of megapixels, slow under the sanitizers.
file(REMOVE_RECURSE "${WORKDIR}")
file(MAKE_DIRECTORY "${WORKDIR}/corpus")
set(seeded 0)
foreach(dir IN LISTS SEEDS)
  if(IS_DIRECTORY "${dir}")
    file(GLOB_RECURSE seeds LIST_DIRECTORIES false "${dir}/*")
    foreach(seed IN LISTS seeds)
      file(SIZE "${seed}" size)
      if(size LESS 1000000)
        math(EXPR seeded "${seeded} + 1")
        file(COPY_FILE "${seed}" "${WORKDIR}/corpus/seed${seeded}")
      endif()
    endforeach()
  else()
    message(STATUS "seed folder absent, skipped: ${dir}")
  endif()
endforeach()
message(STATUS "${seeded} seed files")
execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -rss_limit_mb=2560 -timeout=30
          -malloc_limit_mb=2048 -print_final_stats=1 ${ARGS} "${WORKDIR}/corpus"
  WORKING_DIRECTORY "${WORKDIR}"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "fuzzer found a problem (exit ${result}); crash files are in ${WORKDIR}")
endif()
