cmake_minimum_required(VERSION 3.21)
# The installed library as other projects meet it. Run with -P and
#   CHECK=install       install BUILD_DIR into WORK_DIR/prefix and check the
#                       tree: no file outside include/vestrane/, lib/, share/,
#                       the public headers only, man pages that man finds
#                       (MAN_PAGES), and a shared library that exports
#                       exactly the functions they declare;
#   CHECK=cmake_static, cmake_shared, make_static, make_shared
#                       build the consumer against that prefix with CMake or
#                       with its Makefile and pkg-config, linked statically or
#                       to the installed libvestrane_support.so.0;
#   CHECK=subdirectory  build it as C++ with the sources added by
#                       add_subdirectory;
#   CHECK=packages      build the Debian packages from a configuration for /usr
#                       (or take those make package built, from the directory
#                       the environment variable VESTRANE_PACKAGE_DIR names),
#                       check what each holds and unpack both into one scratch
#                       root (nothing is installed on the machine);
#   FROM=packages with a consumer CHECK: build it against that root's /usr,
#                       the library in its multiarch directory lib/MULTIARCH;
# then run the consumer on a private X server (WITH_X); it saves a PNG too.
# And, for the build's own static library:
#   CHECK=archive       ARCHIVE defines no global symbol of ours but the
#                       functions that PUBLIC_HEADERS declare and those of
#                       vestrane::detail.
# The consumers are compiled with C_COMPILER and CXX_COMPILER, the compilers
# of the build.
if(FROM STREQUAL "packages")
  set(prefix "${WORK_DIR}/packages/root/usr")
  set(libdir "lib/${MULTIARCH}")
  set(scratch "${WORK_DIR}/packages_${CHECK}")
else()
  set(prefix "${WORK_DIR}/prefix")
  set(libdir lib)
  set(scratch "${WORK_DIR}/${CHECK}")
endif()
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

# public_functions(variable headers...): the names of the functions that the
# headers mark VESTRANE_API, in their order.
function(public_functions variable)
  set(public "")
  foreach(header ${ARGN})
    file(STRINGS "${header}" lines REGEX "^VESTRANE_API ")
    foreach(line ${lines})
      if(NOT line MATCHES "([A-Za-z_][A-Za-z0-9_]*) *\\(")
        message(FATAL_ERROR "no function name in ${header}: ${line}")
      endif()
      list(APPEND public ${CMAKE_MATCH_1})
    endforeach()
  endforeach()
  if(NOT public)
    message(FATAL_ERROR "no public functions in ${ARGN}")
  endif()
  set(${variable} ${public} PARENT_SCOPE)
endfunction()

function(check_install)
  file(REMOVE_RECURSE "${prefix}")
  run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${prefix}" "${prefix}/*")
  set(headers common.h version.h color/color.h image/image.h projection/projection.h text/text.h
    view/view.h)
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
        "^lib/(libvestrane_support\\.so(\\.[0-9]+)*|cmake/Vestrane/[A-Za-z-]+\\.cmake)$"
        AND NOT (MAN_PAGES AND file MATCHES "^share/man/man3/[A-Za-z][A-Za-z0-9_]*\\.3\\.gz$"))
      message(FATAL_ERROR "installed, but not wanted there: ${file}")
    endif()
  endforeach()

  # Section 3: man finds each name's page, a link that leads it to the
  # module's page; the pattern above leaves no room for pages of files
  # (text.h.3) or anonymous names.
  if(MAN_PAGES)
    find_program(MAN man REQUIRED)
    foreach(name drawText setTextScale loadFont freeFont fontLineHeight colorWhite resetView
        reshapeOrtho windowToScene saveWindowImage VESTRANE_VERSION_STRING)
      run(${CMAKE_COMMAND} -E env "MANPATH=${prefix}/share/man" ${MAN} -w ${name})
      string(REPLACE "${prefix}/share/man/man3/" "" page "${output}")
      if(NOT page MATCHES "^vestrane_[a-z]+\\.3\\.gz\n$")
        message(FATAL_ERROR "man -w ${name} finds no module page in ${prefix}: ${output}")
      endif()
    endforeach()
  endif()

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
  list(TRANSFORM headers PREPEND "${prefix}/" OUTPUT_VARIABLE header_files)
  public_functions(public ${header_files})
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

# The archive's objects define, as global symbols, the public functions and
# the C++ of vestrane::detail (mangled _ZN8vestrane6detail..., with its
# typeinfo, vtables and the guard variables of its statics); nothing else of
# ours. What the compiler emits on its own is let through: out-of-line
# instantiations of the standard library's templates (std:: and __gnu_cxx::)
# with their typeinfo, vtables and guards, the references to the personality
# routine and typeinfo that unwinding uses (DW.ref.*), clang's
# __clang_call_terminate, and the placement new and delete of <new>, which
# an unoptimised build emits out of line.
function(check_archive)
  public_functions(public ${PUBLIC_HEADERS})
  run(${NM} --defined-only --extern-only --format=posix "${ARCHIVE}")
  # Lines "name type value [size]"; an archive's member headers end in ':'.
  string(REGEX MATCHALL "[^\n]+ [A-Za-z] [^\n]*" lines "${output}")
  set(prefixes "_Z(GV|TH|TW|TI|TS|TV|TT|TC)?Z?N?[rVK]*[RO]?")
  set(missing ${public})
  set(foreign "")
  set(detail 0)
  foreach(line ${lines})
    string(REGEX REPLACE " .*" "" name "${line}")
    if(name IN_LIST public)
      list(REMOVE_ITEM missing ${name})
    elseif(name MATCHES "^${prefixes}8vestrane6detail")
      math(EXPR detail "${detail} + 1")
    elseif(NOT name MATCHES "^${prefixes}(S[tabsiod]|9__gnu_cxx)"
        AND NOT name MATCHES "^DW\\.ref\\." AND NOT name STREQUAL "__clang_call_terminate"
        AND NOT name MATCHES "^_Z(nw|na)mPv$|^_Zd[la]PvS_$")
      list(APPEND foreign "${name}")
    endif()
  endforeach()
  if(missing)
    message(FATAL_ERROR "public functions that ${ARCHIVE} does not define: ${missing}")
  endif()
  if(foreign)
    list(REMOVE_DUPLICATES foreign)
    string(REPLACE ";" "\n" names "${foreign}")
    find_program(CXXFILT NAMES c++filt llvm-cxxfilt)
    if(CXXFILT)  # the names as the sources write them
      file(WRITE "${scratch}/foreign" "${names}\n")
      execute_process(COMMAND ${CXXFILT} INPUT_FILE "${scratch}/foreign" OUTPUT_VARIABLE names)
    endif()
    message(FATAL_ERROR "${ARCHIVE} defines global symbols that are neither public functions "
      "nor in vestrane::detail:\n${names}")
  endif()
  list(LENGTH public count)
  message(STATUS "${ARCHIVE} defines ${count} public functions and ${detail} global symbols "
    "of vestrane::detail, nothing else of ours")
endfunction()

# check_package_files(name regex): every file of the package (without the
# leading usr/) matches regex or is the package's own documentation, which
# holds its copyright and changelog.
function(check_package_files name regex)
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${scratch}/${name}/usr"
    "${scratch}/${name}/usr/*")
  foreach(file ${files})
    if(NOT file MATCHES "^(${regex}|share/doc/${name}/[^/]+|share/lintian/overrides/${name})$")
      message(FATAL_ERROR "${name} holds ${file}, which belongs elsewhere")
    endif()
  endforeach()
  if(NOT "share/doc/${name}/copyright" IN_LIST files
      OR NOT "share/doc/${name}/changelog.Debian.gz" IN_LIST files)
    message(FATAL_ERROR "${name} lacks its copyright or changelog: ${files}")
  endif()
endfunction()

# The two packages, those make package built (make test hands them over) or
# made here as make package makes them but without lintian; the consumers
# built against them show that nothing they need is missing.
function(check_packages)
  file(MAKE_DIRECTORY "${scratch}")
  if(NOT "$ENV{VESTRANE_PACKAGE_DIR}" STREQUAL "")
    set(debs "$ENV{VESTRANE_PACKAGE_DIR}")
    message(STATUS "the packages of ${debs}")
  else()
    set(debs "${scratch}")
    set(build "${scratch}/build")
    run(${CMAKE_COMMAND} -S "${PROJECT_DIR}" -B "${build}" -DCMAKE_INSTALL_PREFIX=/usr
      -DCMAKE_BUILD_TYPE=Release -DVESTRANE_SHARED=ON -DVESTRANE_BUILD_DEMO=OFF
      -DVESTRANE_BUILD_TESTS=OFF "-DCMAKE_C_COMPILER=${C_COMPILER}"
      "-DCMAKE_CXX_COMPILER=${CXX_COMPILER}")
    run(${CMAKE_COMMAND} --build "${build}" -j 2)
    run(${CMAKE_CPACK_COMMAND} --config "${build}/CPackConfig.cmake" -G DEB -B "${scratch}")
  endif()
  foreach(name libvestrane-dev libvestrane-support0)  # deb: the runtime one, after
    file(GLOB deb "${debs}/${name}_*.deb")
    list(LENGTH deb count)
    if(NOT count EQUAL 1)
      message(FATAL_ERROR "not one ${name} package in ${debs}: ${deb}")
    endif()
    run(dpkg-deb -x "${deb}" "${scratch}/${name}")
    run(dpkg-deb -x "${deb}" "${scratch}/root")
  endforeach()
  set(lib "lib/${MULTIARCH}/libvestrane_support")
  check_package_files(libvestrane-dev "include/vestrane/.*|${lib}\\.(so|a)|lib/${MULTIARCH}/\
(cmake/Vestrane/[A-Za-z-]+\\.cmake|pkgconfig/vestrane(-static)?\\.pc)|share/man/.*")
  check_package_files(libvestrane-support0 "${lib}\\.so\\.0(\\.[0-9]+)*")
  # The runtime package declares its library (shlibs, symbols) and leaves
  # ldconfig to the trigger, without maintainer scripts.
  run(dpkg-deb -e "${deb}" "${scratch}/control")
  file(GLOB control RELATIVE "${scratch}/control" "${scratch}/control/*")
  list(SORT control)
  if(NOT control STREQUAL "control;md5sums;shlibs;symbols;triggers")
    message(FATAL_ERROR "libvestrane-support0's control files: ${control}")
  endif()
  message(STATUS "both packages hold what they should, unpacked in ${scratch}/root")
endfunction()

# check_and_run(program shared): how the program links the library (linked
# statically, the archive's own libraries came along with it), then its run,
# which saves a picture into the check's scratch folder.
function(check_and_run program shared)
  run(${OBJDUMP} -p "${program}")
  if(shared)
    if(NOT output MATCHES "NEEDED +libvestrane_support\\.so\\.0\n"
        OR NOT output MATCHES "(RUNPATH|RPATH) +[^\n]*${prefix}/${libdir}")
      message(FATAL_ERROR "not linked to the installed libvestrane_support.so.0:\n${output}")
    endif()
  elseif(output MATCHES "libvestrane_support")
    message(FATAL_ERROR "linked to the shared library:\n${output}")
  else()
    foreach(library png freetype harfbuzz fribidi fontconfig X11)
      if(NOT output MATCHES "NEEDED +lib${library}[.0-9]*\\.so")
        message(FATAL_ERROR "linked statically without lib${library}:\n${output}")
      endif()
    endforeach()
  endif()
  run("${WITH_X}" 60 "${program}" "${scratch}/consumer.png")
  message(STATUS "${output}")
endfunction()

file(REMOVE_RECURSE "${scratch}")
if(CHECK STREQUAL "install")
  check_install()
elseif(CHECK STREQUAL "archive")
  check_archive()
elseif(CHECK STREQUAL "packages")
  check_packages()
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
    set(arguments PKG=vestrane "LDFLAGS=-Wl,-rpath,${prefix}/${libdir}")
  else()
    set(arguments PKG=vestrane-static)
  endif()
  run(${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${prefix}/${libdir}/pkgconfig"
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
