# Installs the library from BUILD_DIR into a scratch prefix, then configures
# and builds the consumer project against it.
set(scratch "${WORK_DIR}/consumer-check")
file(REMOVE_RECURSE "${scratch}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                  ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${output}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${scratch}/prefix")
run(${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${scratch}/build"
    "-DCMAKE_PREFIX_PATH=${scratch}/prefix")
run(${CMAKE_COMMAND} --build "${scratch}/build")
message(STATUS "the consumer project built against the installed library")
