# A Python with fontTools, for the fonts (fonts/build_fonts.py) and the pictures' OCR-B letters
# (picture/outlines.py): ORBX_FONT_PYTHON. Debian's python3-fonttools serves /usr/bin/python3,
# which need not be the first python3 on the path.
if(NOT ORBX_FONT_PYTHON)
  find_program(ORBX_PATH_PYTHON python3)
  foreach(candidate /usr/bin/python3 ${ORBX_PATH_PYTHON})
    if(EXISTS "${candidate}")
      execute_process(COMMAND "${candidate}" -c
                              "import fontTools.fontBuilder, fontTools.pens.cu2quPen, fontTools.ttLib, fontTools.pens.basePen"
                      RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
      if(status EQUAL 0)
        set(ORBX_FONT_PYTHON "${candidate}" CACHE FILEPATH "Python with fontTools")
        break()
      endif()
    endif()
  endforeach()
endif()
if(NOT ORBX_FONT_PYTHON)
  message(FATAL_ERROR "fontTools is required for the fonts and the pictures' letters "
                      "(Debian: python3-fonttools)")
endif()
