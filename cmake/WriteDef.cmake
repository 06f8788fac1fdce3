# Writes the module-definition file of FMWrapper.dll from the host's export list (one name a
# line): the input of dlltool for the plug-in's import library. Run with -DEXPORTS= -DDEF=.
file(STRINGS "${EXPORTS}" names REGEX "^FM_")
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "${EXPORTS} lists no FM_ function")
endif()
list(JOIN names "\n    " body)
file(WRITE "${DEF}" "LIBRARY FMWrapper.dll\nEXPORTS\n    ${body}\n")
