/* The plug-in's strings, by string ID: its name, description, version text and the prototypes
   of the external functions in function-ID order from 101 (each function's name is its
   prototype up to the "("). Read by the C++ sources and by the resource compiler, which builds
   the Windows string table from the same rows, so the texts live here only. C comments and
   plain macros: both preprocessors read this file. */
#ifndef ORBX_PLUGIN_STRING_TABLE_H
#define ORBX_PLUGIN_STRING_TABLE_H

#define ORBX_NAME_TEXT "Orbelantrix"
#define ORBX_DESCRIPTION_TEXT \
    "This plug-in extends FileMaker applications by adding external functions."
#define ORBX_VERSION_TEXT "2013"

/* ORBX_STRING_ROWS(ROW) expands ROW(id, text) once for every string. */
#define ORBX_STRING_ROWS(ROW)                          \
    ROW(1, ORBX_NAME_TEXT)                             \
    ROW(2, ORBX_DESCRIPTION_TEXT)                      \
    ROW(3, ORBX_VERSION_TEXT)                          \
    ROW(101, "Orbx_PluginVersion( parameter )")        \
    ROW(102, "Orbx_Code128( parameter )")              \
    ROW(103, "Orbx_Code128HR( parameter )")            \
    ROW(104, "Orbx_Code128a( parameter )")             \
    ROW(105, "Orbx_Code128b( parameter )")             \
    ROW(106, "Orbx_Code128c( parameter )")             \
    ROW(107, "Orbx_I2of5( parameter )")                \
    ROW(108, "Orbx_I2of5Mod10( parameter )")           \
    ROW(109, "Orbx_Codabar( parameter )")              \
    ROW(110, "Orbx_Code39( parameter )")               \
    ROW(111, "Orbx_Code39Mod43( parameter )")          \
    ROW(112, "Orbx_Postnet( parameter )")              \
    ROW(113, "Orbx_EAN8( parameter )")                 \
    ROW(114, "Orbx_EAN13( parameter )")                \
    ROW(115, "Orbx_UPCa( parameter )")                 \
    ROW(116, "Orbx_MSI( parameter )")                  \
    ROW(117, "Orbx_UPCe( parameter )")                 \
    ROW(118, "Orbx_Uni_C128( parameter )")             \
    ROW(119, "Orbx_Uni_C128A( parameter )")            \
    ROW(120, "Orbx_Uni_C128B( parameter )")            \
    ROW(121, "Orbx_Uni_C128C( parameter )")            \
    ROW(122, "Orbx_Uni_UCC128( parameter )")           \
    ROW(123, "Orbx_Uni_Postnet( parameter )")          \
    ROW(124, "Orbx_Uni_Planet( parameter )")           \
    ROW(125, "Orbx_Uni_C128HR( parameter )")           \
    ROW(126, "Orbx_Uni_C39( parameter )")              \
    ROW(127, "Orbx_Uni_I2of5( parameter )")            \
    ROW(128, "Orbx_Uni_MSI( parameter )")              \
    ROW(129, "Orbx_Uni_Codabar( parameter )")          \
    ROW(130, "Orbx_Uni_OneCode( parameter )")          \
    ROW(131, "Orbx_USPS_IntelligentMail( parameter )") \
    ROW(132, "Orbx_DataBar( parameter )")              \
    ROW(133, "Orbx_DataBarExpanded( parameter )")      \
    ROW(134, "Orbx_DataBarLimited( parameter )")       \
    ROW(135, "Orbx_DataBarStacked( parameter )")       \
    ROW(136, "Orbx_DataBarStackedOmniDirectional( parameter )")

#endif
