# Run by cpack after it has made the packages (CPACK_POST_BUILD_SCRIPTS).
#
# CPack gives a package with a shared library under /usr/lib a postinst and a
# postrm that only call ldconfig; Debian runs ldconfig through the trigger the
# runtime package declares instead. This takes such scripts out of the
# packages again (dpkg-deb -R, then -b), and leaves any other script alone.
foreach(package ${CPACK_PACKAGE_FILES})
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/unpacked)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb -R ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  set(dropped "")
  foreach(script postinst postrm)
    set(file ${tree}/DEBIAN/${script})
    if(EXISTS ${file})
      file(READ ${file} text)
      string(REGEX REPLACE "#![^\n]*|set -e|if [^\n]*; then|ldconfig|fi|[ \t\n]" "" rest "${text}")
      if(rest STREQUAL "")
        file(REMOVE ${file})
        list(APPEND dropped ${script})
      endif()
    endif()
  endforeach()
  if(dropped)
    execute_process(COMMAND dpkg-deb --root-owner-group -Zxz -b ${tree} ${package}
      OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    message(STATUS "${package}: ldconfig left to the trigger, no ${dropped}")
  endif()
  file(REMOVE_RECURSE ${tree})
endforeach()
