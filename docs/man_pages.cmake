# Makes the man pages in the current directory: run with -P and
# -DDOXYGEN=<doxygen> -DCONFIG=<Doxyfile-man>. Empties man/ first, so that a
# name taken out of a header leaves no page, and drops the link pages of
# anonymous enums (@0.3, @1.3, ...), which name nothing a reader looks up.
# Then the pages are made as Debian installs them: every module page
# compressed (gzip -9n, no name or time stamp inside), and every name's page
# that only sources a module page (.so man3/vestrane_text.3) a symbolic link
# to the compressed module page.
file(REMOVE_RECURSE man)
execute_process(COMMAND ${DOXYGEN} ${CONFIG} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${result})")
endif()
file(GLOB anonymous man/man3/@*)
if(anonymous)
  file(REMOVE ${anonymous})
endif()
file(GLOB pages man/man3/*.3)
foreach(page ${pages})
  file(READ ${page} text)
  if(text MATCHES "^\\.so man3/([A-Za-z0-9_]+\\.3)\n?$")
    get_filename_component(name ${page} NAME)
    file(REMOVE ${page})
    file(CREATE_LINK ${CMAKE_MATCH_1}.gz man/man3/${name}.gz SYMBOLIC)
  else()
    execute_process(COMMAND gzip -9nf ${page} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "gzip ${page} failed (${result})")
    endif()
  endif()
endforeach()
