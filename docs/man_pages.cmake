# Makes the man pages in the current directory: run with -P and
# -DDOXYGEN=<doxygen> -DCONFIG=<Doxyfile-man>. Empties man/ first, so that a
# name taken out of a header leaves no page, and drops the link pages of
# anonymous enums (@0.3, @1.3, ...), which name nothing a reader looks up.
file(REMOVE_RECURSE man)
execute_process(COMMAND ${DOXYGEN} ${CONFIG} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "doxygen failed (${result})")
endif()
file(GLOB anonymous man/man3/@*)
if(anonymous)
  file(REMOVE ${anonymous})
endif()
