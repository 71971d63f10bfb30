# The live and the replay survey of the module test host, built with a sanitizer in a build
# folder of their own and run there. ctest runs it as a script:
#   cmake -DSANITIZER=thread -DSOURCE_DIR=... -DBINARY_DIR=... -DGENERATOR=... [-DBUILD_TYPE=...]
#         [-DLAUNCHER=ccache] -P SanitizedSurvey.cmake
# Only the host, its modules and the simulator are built, so the first run takes a few minutes
# and later runs rebuild what changed.
foreach(required SANITIZER SOURCE_DIR BINARY_DIR GENERATOR)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "SanitizedSurvey.cmake needs -D${required}=...")
  endif()
endforeach()

# Runs a step; its output is shown only when it fails.
function(run_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
endfunction()

set(configure -S ${SOURCE_DIR} -B ${BINARY_DIR} -G ${GENERATOR} -DTIDEVANE_SANITIZE=${SANITIZER})
if(BUILD_TYPE)
  list(APPEND configure -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
endif()
if(LAUNCHER)
  list(APPEND configure -DCMAKE_C_COMPILER_LAUNCHER=${LAUNCHER} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run_step("Configuring the ${SANITIZER} build" ${CMAKE_COMMAND} ${configure})
run_step("Building the ${SANITIZER} build" ${CMAKE_COMMAND} --build ${BINARY_DIR} --target module_test)

set(ENV{QT_QPA_PLATFORM} offscreen)
# Any report fails the run: the sanitizers' own exit codes, and undefined behaviour halts.
set(ENV{TSAN_OPTIONS} "suppressions=${SOURCE_DIR}/tests/module/ThreadSanitizerQt.supp second_deadlock_stack=1")
set(ENV{UBSAN_OPTIONS} "halt_on_error=1 print_stacktrace=1")
set(ENV{ASAN_OPTIONS} "detect_leaks=1")
execute_process(COMMAND ${BINARY_DIR}/bin/module_test "--gtest_filter=LiveModule.*:ReplayModule.*"
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The surveys under the ${SANITIZER} sanitizer failed (${result})")
endif()
