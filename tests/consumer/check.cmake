cmake_minimum_required(VERSION 3.21)
# The installed library as other projects meet it. Run with -P and
#   CHECK=install       install BUILD_DIR into WORK_DIR/prefix and check the
#                       tree: no file outside include/vestrane/, lib/, share/,
#                       the public headers only, and a shared library that
#                       exports exactly the functions they declare;
#   CHECK=cmake_static, cmake_shared, make_static, make_shared
#                       build the consumer against that prefix with CMake or
#                       with its Makefile and pkg-config, linked statically or
#                       to the installed libvestrane_support.so.0;
#   CHECK=subdirectory  build it as C++ with the sources added by
#                       add_subdirectory;
# then run the consumer on a private X server (WITH_X). The consumers are
# compiled with C_COMPILER and CXX_COMPILER, the compilers of the build.
set(prefix "${WORK_DIR}/prefix")
set(scratch "${WORK_DIR}/${CHECK}")
set(compilers "-DCMAKE_C_COMPILER=${C_COMPILER}" "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}")

# run(command...): runs it without the calling make's job server, fails on error.
function(run)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=MAKEFLAGS --unset=MFLAGS --unset=MAKELEVEL ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

function(check_install)
  file(REMOVE_RECURSE "${prefix}")
  run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${prefix}" "${prefix}/*")
  set(headers common.h version.h color/color.h projection/projection.h text/text.h view/view.h)
  list(TRANSFORM headers PREPEND include/vestrane/support/)
  set(required ${headers} lib/libvestrane_support.a lib/cmake/Vestrane/VestraneConfig.cmake
    lib/pkgconfig/vestrane.pc lib/pkgconfig/vestrane-static.pc
    share/doc/vestrane/LICENSE share/doc/vestrane/README.md)
  foreach(file ${required})
    if(NOT file IN_LIST files)
      message(FATAL_ERROR "not installed: ${file}")
    endif()
  endforeach()
  foreach(file ${files})
    if(NOT file IN_LIST required AND NOT file MATCHES
        "^lib/(libvestrane_support\\.so(\\.[0-9]+)*|cmake/Vestrane/[A-Za-z-]+\\.cmake)$")
      message(FATAL_ERROR "installed, but not wanted there: ${file}")
    endif()
  endforeach()

  set(library "${prefix}/lib/libvestrane_support.so")
  if(NOT EXISTS "${library}")
    message(STATUS "installed, static library only")
    return()
  endif()
  run(${OBJDUMP} -p "${library}")
  if(NOT output MATCHES "SONAME +libvestrane_support\\.so\\.0\n")
    message(FATAL_ERROR "the shared library's SONAME is not libvestrane_support.so.0:\n${output}")
  endif()

  # Every function the installed headers mark VESTRANE_API ...
  set(public "")
  foreach(header ${headers})
    file(STRINGS "${prefix}/${header}" lines REGEX "^VESTRANE_API ")
    foreach(line ${lines})
      if(NOT line MATCHES "([A-Za-z_][A-Za-z0-9_]*) *\\(")
        message(FATAL_ERROR "no function name in ${header}: ${line}")
      endif()
      list(APPEND public ${CMAKE_MATCH_1})
    endforeach()
  endforeach()
  # ... and the symbols the library defines and exports, leaving out the
  # three that the linker itself defines in every shared object.
  run(${NM} -D --defined-only --format=posix "${library}")
  string(REGEX REPLACE " [^\n]*" "" names "${output}")
  string(REPLACE "\n" ";" names "${names}")
  list(REMOVE_ITEM names __bss_start _edata _end)
  set(missing ${public})
  list(REMOVE_ITEM missing ${names})
  set(extra ${names})
  list(REMOVE_ITEM extra ${public})
  if(missing OR extra)
    message(FATAL_ERROR "exports differ from the public API\nnot exported: ${missing}\n"
      "exported but not public: ${extra}")
  endif()
  list(LENGTH public count)
  list(REMOVE_DUPLICATES public)
  list(LENGTH public unique)
  if(NOT count EQUAL unique OR count EQUAL 0)
    message(FATAL_ERROR "${count} declarations of ${unique} functions")
  endif()
  message(STATUS "libvestrane_support.so.0 exports ${count} functions, the public API exactly")
endfunction()

# check_and_run(program shared): how the program links the library, then its run.
function(check_and_run program shared)
  run(${OBJDUMP} -p "${program}")
  if(shared)
    if(NOT output MATCHES "NEEDED +libvestrane_support\\.so\\.0\n"
        OR NOT output MATCHES "(RUNPATH|RPATH) +[^\n]*${prefix}/lib")
      message(FATAL_ERROR "not linked to the installed libvestrane_support.so.0:\n${output}")
    endif()
  elseif(output MATCHES "libvestrane_support")
    message(FATAL_ERROR "linked to the shared library:\n${output}")
  endif()
  run("${WITH_X}" 60 "${program}")
  message(STATUS "${output}")
endfunction()

file(REMOVE_RECURSE "${scratch}")
if(CHECK STREQUAL "install")
  check_install()
elseif(CHECK MATCHES "^cmake_(static|shared)$")
  string(COMPARE EQUAL ${CMAKE_MATCH_1} shared shared)
  run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${scratch}" "-DCMAKE_PREFIX_PATH=${prefix}"
    -DCONSUMER_SHARED=${shared} ${compilers})
  run(${CMAKE_COMMAND} --build "${scratch}")
  check_and_run("${scratch}/consumer" ${shared})
elseif(CHECK MATCHES "^make_(static|shared)$")
  string(COMPARE EQUAL ${CMAKE_MATCH_1} shared shared)
  file(COPY "${CONSUMER_DIR}/Makefile" "${CONSUMER_DIR}/consumer.c" DESTINATION "${scratch}")
  if(shared)
    set(arguments PKG=vestrane "LDFLAGS=-Wl,-rpath,${prefix}/lib")
  else()
    set(arguments PKG=vestrane-static)
  endif()
  run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${prefix}/lib/pkgconfig"
    make -C "${scratch}" "CC=${C_COMPILER}" ${arguments})
  check_and_run("${scratch}/consumer" ${shared})
elseif(CHECK STREQUAL "subdirectory")
  run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}/subdirectory" -B "${scratch}"
    "-DVESTRANE_DIR=${PROJECT_DIR}" -DCMAKE_BUILD_TYPE=Debug ${compilers})
  run(${CMAKE_COMMAND} --build "${scratch}" -j 2)
  check_and_run("${scratch}/consumer" OFF)
else()
  message(FATAL_ERROR "unknown CHECK: ${CHECK}")
endif()
