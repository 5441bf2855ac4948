# Runs the built `bendpost` once and compares what it produced with a
# committed golden file. Used by golden_tests.cmake through `cmake -P`:
#
#   -D BENDPOST=<executable>
#   -D EMULATOR=<what runs it, for a cross build>  (optional, e.g. wine)
#   -D ARGS=<arguments, separated by ";">   (use "|" where an argument list
#                                            is passed through add_test)
#   -D WORKDIR=<folder to run in>
#   -D EXPECT_RC=<exit code expected>       (default 0)
#   -D INPUT=<file fed to stdin>            (optional)
#   -D PRODUCED=<files the run writes>      (optional; default: its stdout)
#   -D GOLDEN=<committed expected files, one per produced file>
#   -D OUTDIR=<folder for the captured output>
#   -D STREAM=stderr                        (compare stderr, not stdout)
#   -D CLEAN=<folders removed before the run, ";"-separated> (optional)
#
# With the environment variable BENDPOST_UPDATE_GOLDEN=1 the golden file is
# rewritten from this run instead (and the test passes).
string(REPLACE "|" ";" ARGS "${ARGS}")
string(REPLACE "|" ";" CLEAN "${CLEAN}")
if(NOT DEFINED EXPECT_RC)
  set(EXPECT_RC 0)
endif()
foreach(dir IN LISTS CLEAN)
  file(REMOVE_RECURSE "${dir}")
endforeach()

set(input_args)
if(INPUT)
  set(input_args INPUT_FILE "${INPUT}")
endif()
execute_process(
  COMMAND ${EMULATOR} "${BENDPOST}" ${ARGS}
  WORKING_DIRECTORY "${WORKDIR}"
  ${input_args}
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
if(NOT rc EQUAL EXPECT_RC)
  message(FATAL_ERROR "bendpost ${ARGS}: exit code ${rc}, expected ${EXPECT_RC}\n"
                      "stdout:\n${out}\nstderr:\n${err}")
endif()

if(PRODUCED)
  # Files the run writes, paired in order with the golden files.
  string(REPLACE "|" ";" produced_list "${PRODUCED}")
  string(REPLACE "|" ";" golden_list "${GOLDEN}")
else()
  get_filename_component(name "${GOLDEN}" NAME)
  set(produced_list "${OUTDIR}/golden_run_${name}.out")
  set(golden_list "${GOLDEN}")
  if(STREAM STREQUAL "stderr")
    file(WRITE "${produced_list}" "${err}")
  else()
    file(WRITE "${produced_list}" "${out}")
  endif()
endif()

foreach(produced golden IN ZIP_LISTS produced_list golden_list)
  if(NOT EXISTS "${produced}")
    message(FATAL_ERROR "bendpost ${ARGS}: did not write ${produced}\n"
                        "stdout:\n${out}\nstderr:\n${err}")
  endif()
  if("$ENV{BENDPOST_UPDATE_GOLDEN}" STREQUAL "1")
    configure_file("${produced}" "${golden}" COPYONLY)
    message(STATUS "rewrote ${golden}")
    continue()
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${produced}" "${golden}"
                  RESULT_VARIABLE differ)
  if(differ)
    set(got "")
    if(NOT PRODUCED)
      file(READ "${produced}" got)
    endif()
    message(FATAL_ERROR "bendpost ${ARGS}: ${produced} differs from ${golden}\n"
                        "(regenerate on purpose with BENDPOST_UPDATE_GOLDEN=1)\n"
                        "${got}")
  endif()
endforeach()
