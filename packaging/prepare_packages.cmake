# Run by cpack over the installed trees of the packages, before it packs them
# (CPACK_PRE_BUILD_SCRIPTS).
#
# Strips what CPACK_STRIP_FILES leaves, as dh_strip does: the .comment and
# .note sections of the shared library, debugging information and those
# sections from the archive's objects. Then writes the runtime package's
# symbols file from packaging/libvestrane-support0.symbols, which names the
# version that brought each exported function: new functions are added with
# this version, and a function gone from the library fails the packaging
# (that needs a new SONAME).
file(GLOB_RECURSE libraries LIST_DIRECTORIES false
  ${CPACK_TEMPORARY_DIRECTORY}/*.so.* ${CPACK_TEMPORARY_DIRECTORY}/*.a)
foreach(library ${libraries})
  if(IS_SYMLINK ${library})
    continue()
  elseif(library MATCHES "\\.a$")
    set(options --strip-debug --enable-deterministic-archives)
  else()
    set(options --strip-unneeded)
  endif()
  execute_process(COMMAND ${CPACK_VESTRANE_STRIP} ${options}
    --remove-section=.comment --remove-section=.note ${library} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

set(runtime ${CPACK_TEMPORARY_DIRECTORY}/Runtime)
file(GLOB_RECURSE shared ${runtime}/*.so.*.*)
file(REMOVE ${CPACK_VESTRANE_SYMBOLS})
execute_process(COMMAND dpkg-gensymbols -p${CPACK_DEBIAN_RUNTIME_PACKAGE_NAME}
  -v${CPACK_PACKAGE_VERSION} -P${runtime} -e${shared} -I${CPACK_VESTRANE_SYMBOLS_TEMPLATE}
  -O${CPACK_VESTRANE_SYMBOLS} -c1 COMMAND_ERROR_IS_FATAL ANY)
