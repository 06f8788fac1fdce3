/* The plug-in's own strings: its name, description and version text. Read by the C++ sources
   and by the resource compiler, which builds the Windows string table from the same rows, so
   the texts live here only. C comments and plain macros: both preprocessors read this file. */
#ifndef ORBX_PLUGIN_STRING_TABLE_H
#define ORBX_PLUGIN_STRING_TABLE_H

#define ORBX_NAME_TEXT "Orbelantrix"
#define ORBX_DESCRIPTION_TEXT \
    "This plug-in extends FileMaker applications by adding external functions."
#define ORBX_VERSION_TEXT "2013"

/* ORBX_STRING_ROWS(ROW) expands ROW(id, text) for the name, the description and the version
   text; the prototypes, strings 101 to 140, are the function rows' (plugin/function_rows.h). */
#define ORBX_STRING_ROWS(ROW)     \
    ROW(1, ORBX_NAME_TEXT)        \
    ROW(2, ORBX_DESCRIPTION_TEXT) \
    ROW(3, ORBX_VERSION_TEXT)

#endif
