/* The 36 external functions, one row each, in the order they are registered, then the picture
   function and the three two-dimensional symbols in rows of their own. Everything the
   project says about a function stands in its row; the plug-in's function table, its adapters,
   the prototypes it serves (strings 101 to 140, in the Linux table and the Windows string table
   alike), the renderer's choice of font, the benchmarks and the tests all expand these rows.
   C comments and plain macros: the resource compiler reads this file too.

   ORBX_FUNCTION_ROWS(ROW) expands, for every function,
     ROW(id, adapter, prototype, limit, out, options, most, kind, call, encoder, fallback, font)
   id        the function ID; the prototype is string 100 + id, the name its text up to "("
   adapter   the adapter the host calls
   limit     the input limit in UTF-16 units: a longer parameter gives the empty text
   out       the encoder's output buffer in bytes
   options   how options are split off: none, single (data|option) or counted
             (data|option1|option2|option3, at most `most` of them read)
   kind      encodes: the common adapter runs the encoder call; keyword: the version function;
             forwards: another name for the function before it, whose adapter it calls
   call      how the encoder is called with the option fields (plugin/function_table.cpp):
             NoOptions, OneNumber (one whole number, `fallback` when empty), RatioAndCheck (the
             wide-to-narrow ratio, 2 when empty, then the check flag, `fallback` when empty),
             CodabarOptions (ratio, start "A", stop "B"), or NoEncoder
   font      the font family that draws the result (render/render.h), none for plain text */
#ifndef ORBX_PLUGIN_FUNCTION_ROWS_H
#define ORBX_PLUGIN_FUNCTION_ROWS_H

/* clang-format off */
#define ORBX_FUNCTION_ROWS(ROW)                                                                 \
    ROW(1, Do_Orbx_Version, "Orbx_PluginVersion( parameter )", 0, 0, none, 0,                  \
        keyword, NoEncoder, 0, 0, none)                                                         \
    ROW(2, Do_Orbx_FCode128, "Orbx_Code128( parameter )", 2048, 2048, single, 1,               \
        encodes, OneNumber, Orbelantrix_Code128, 1, code128)                                    \
    ROW(3, Do_Orbx_FCode128HR, "Orbx_Code128HR( parameter )", 2048, 2048, single, 1,           \
        encodes, OneNumber, Orbelantrix_Code128HumanReadable, 1, none)                          \
    ROW(4, Do_Orbx_FCode128a, "Orbx_Code128a( parameter )", 2048, 2048, none, 0,               \
        encodes, NoOptions, Orbelantrix_Code128a, 0, code128)                                   \
    ROW(5, Do_Orbx_FCode128b, "Orbx_Code128b( parameter )", 2048, 2048, none, 0,               \
        encodes, NoOptions, Orbelantrix_Code128b, 0, code128)                                   \
    ROW(6, Do_Orbx_FCode128c, "Orbx_Code128c( parameter )", 2048, 2048, none, 0,               \
        encodes, NoOptions, Orbelantrix_Code128c, 0, code128)                                   \
    ROW(7, Do_Orbx_I2of5, "Orbx_I2of5( parameter )", 2048, 2048, none, 0,                      \
        encodes, NoOptions, Orbelantrix_Interleaved2of5, 0, i2of5)                              \
    ROW(8, Do_Orbx_I2of5Mod10, "Orbx_I2of5Mod10( parameter )", 2048, 2048, none, 0,            \
        encodes, NoOptions, Orbelantrix_Interleaved2of5Mod10, 0, i2of5)                         \
    ROW(9, Do_Orbx_Codabar, "Orbx_Codabar( parameter )", 2048, 2048, none, 0,                  \
        encodes, NoOptions, Orbelantrix_Codabar, 0, codabar)                                    \
    ROW(10, Do_Orbx_Code39, "Orbx_Code39( parameter )", 512, 1024, none, 0,                    \
        encodes, NoOptions, Orbelantrix_Code39, 0, code39)                                      \
    ROW(11, Do_Orbx_Code39Mod43, "Orbx_Code39Mod43( parameter )", 512, 1024, none, 0,          \
        encodes, NoOptions, Orbelantrix_Code39Mod43, 0, code39)                                 \
    ROW(12, Do_Orbx_Postnet, "Orbx_Postnet( parameter )", 512, 1024, none, 0,                  \
        encodes, NoOptions, Orbelantrix_Postnet, 0, postnet)                                    \
    ROW(13, Do_Orbx_EAN8, "Orbx_EAN8( parameter )", 512, 1024, none, 0,                        \
        encodes, NoOptions, Orbelantrix_EAN8, 0, upc_ean)                                       \
    ROW(14, Do_Orbx_EAN13, "Orbx_EAN13( parameter )", 512, 1024, none, 0,                      \
        encodes, NoOptions, Orbelantrix_EAN13, 0, upc_ean)                                      \
    ROW(15, Do_Orbx_UPCa, "Orbx_UPCa( parameter )", 512, 1024, none, 0,                        \
        encodes, NoOptions, Orbelantrix_UPCa, 0, upc_ean)                                       \
    ROW(16, Do_Orbx_MSI, "Orbx_MSI( parameter )", 512, 1024, none, 0,                          \
        encodes, NoOptions, Orbelantrix_MSI, 0, msi)                                            \
    ROW(17, Do_Orbx_UPCe, "Orbx_UPCe( parameter )", 512, 1024, none, 0,                        \
        encodes, NoOptions, Orbelantrix_UPCe, 0, upc_ean)                                       \
    ROW(18, Do_Orbx_Uni_C128, "Orbx_Uni_C128( parameter )", 2048, 2048, counted, 1,            \
        encodes, OneNumber, Orbelantrix_Universal_C128, 1, universal)                           \
    ROW(19, Do_Orbx_Uni_C128A, "Orbx_Uni_C128A( parameter )", 2048, 2048, none, 0,             \
        encodes, NoOptions, Orbelantrix_Universal_C128A, 0, universal)                          \
    ROW(20, Do_Orbx_Uni_C128B, "Orbx_Uni_C128B( parameter )", 2048, 2048, none, 0,             \
        encodes, NoOptions, Orbelantrix_Universal_C128B, 0, universal)                          \
    ROW(21, Do_Orbx_Uni_C128C, "Orbx_Uni_C128C( parameter )", 2048, 2048, none, 0,             \
        encodes, NoOptions, Orbelantrix_Universal_C128C, 0, universal)                          \
    ROW(22, Do_Orbx_Uni_UCC128, "Orbx_Uni_UCC128( parameter )", 2048, 2048, none, 0,           \
        encodes, NoOptions, Orbelantrix_Universal_UCC128, 0, universal)                         \
    ROW(23, Do_Orbx_Uni_Postnet, "Orbx_Uni_Postnet( parameter )", 2048, 2048, counted, 1,      \
        encodes, OneNumber, Orbelantrix_Universal_Postnet, 1, universal)                        \
    ROW(24, Do_Orbx_Uni_Planet, "Orbx_Uni_Planet( parameter )", 2048, 2048, counted, 1,        \
        encodes, OneNumber, Orbelantrix_Universal_Planet, 1, universal)                         \
    ROW(25, Do_Orbx_Uni_C128HR, "Orbx_Uni_C128HR( parameter )", 2048, 2048, counted, 1,        \
        encodes, OneNumber, Orbelantrix_Universal_C128HR, 1, none)                              \
    ROW(26, Do_Orbx_Uni_C39, "Orbx_Uni_C39( parameter )", 2048, 2048, counted, 2,              \
        encodes, RatioAndCheck, Orbelantrix_Universal_C39, 0, universal)                        \
    ROW(27, Do_Orbx_Uni_I2of5, "Orbx_Uni_I2of5( parameter )", 2048, 2048, counted, 2,          \
        encodes, RatioAndCheck, Orbelantrix_Universal_I2of5, 0, universal)                      \
    ROW(28, Do_Orbx_Uni_MSI, "Orbx_Uni_MSI( parameter )", 2048, 2048, counted, 2,              \
        encodes, RatioAndCheck, Orbelantrix_Universal_MSI, 1, universal)                        \
    ROW(29, Do_Orbx_Uni_Codabar, "Orbx_Uni_Codabar( parameter )", 2048, 2048, counted, 3,      \
        encodes, CodabarOptions, Orbelantrix_Universal_Codabar, 0, universal)                   \
    ROW(30, Do_Orbx_Uni_OneCode, "Orbx_Uni_OneCode( parameter )", 2048, 2048, none, 0,         \
        encodes, NoOptions, Orbelantrix_IntelligentMail, 0, intelligent_mail)                   \
    ROW(31, Do_Orbx_USPS_IntelligentMail, "Orbx_USPS_IntelligentMail( parameter )", 2048, 2048, \
        none, 0, forwards, NoOptions, Orbelantrix_IntelligentMail, 0, intelligent_mail)         \
    ROW(32, Do_Orbx_DataBar_DataBar, "Orbx_DataBar( parameter )", 2048, 2048, none, 0,         \
        encodes, NoOptions, Orbelantrix_DataBar_DataBar, 0, databar)                            \
    ROW(33, Do_Orbx_DataBar_DataBarExpanded, "Orbx_DataBarExpanded( parameter )", 2048, 20480, \
        single, 1, encodes, OneNumber, Orbelantrix_DataBar_DataBarExpanded, 0, databar_rows)    \
    ROW(34, Do_Orbx_DataBar_DataBarLimited, "Orbx_DataBarLimited( parameter )", 2048, 2048,    \
        none, 0, encodes, NoOptions, Orbelantrix_DataBar_DataBarLimited, 0, databar)            \
    ROW(35, Do_Orbx_DataBar_DataBarStacked, "Orbx_DataBarStacked( parameter )", 2048, 2048,    \
        none, 0, encodes, NoOptions, Orbelantrix_DataBar_DataBarStacked, 0, databar_stacked)    \
    ROW(36, Do_Orbx_DataBarStackedOmniDirectional,                                              \
        "Orbx_DataBarStackedOmniDirectional( parameter )", 2048, 2048, none, 0, encodes,        \
        NoOptions, Orbelantrix_DataBar_DataBarStackedOmniDirectional, 0, databar_rows)

/* The picture function, registered after the 36 with the next ID (its prototype is string 137):
     IMAGE(id, adapter, prototype, fewest, most)
   fewest and most are the numbers of parameters the host accepts. */
#define ORBX_IMAGE_ROW(IMAGE)                                                                   \
    IMAGE(37, Do_Orbx_Image, "Orbx_Image( symbology ; data {; settings } )", 2, 3)

/* The two-dimensional symbols, registered after the picture function with the next IDs (their
   prototypes are strings 138 to 140):
     MATRIX(id, adapter, prototype, fewest, most, limit, symbol)
   fewest, most  the numbers of parameters the host accepts: the data, then the settings
   limit         the data's input limit in UTF-16 units: longer data gives the empty text
   symbol        the symbol drawn (picture/matrix.h); the result is text for the 2D font */
#define ORBX_MATRIX_ROWS(MATRIX)                                                                \
    MATRIX(38, Do_Orbx_QRCode, "Orbx_QRCode( data {; settings } )", 1, 2, 8192, qr_code)        \
    MATRIX(39, Do_Orbx_DataMatrix, "Orbx_DataMatrix( data {; settings } )", 1, 2, 8192,         \
           data_matrix)                                                                         \
    MATRIX(40, Do_Orbx_PDF417, "Orbx_PDF417( data {; settings } )", 1, 2, 8192, pdf417)
/* clang-format on */

#ifdef __cplusplus
#include <string_view>

namespace orbx {

/* A function's name: its prototype up to the "(" ("Orbx_Code128" of "Orbx_Code128( parameter )").
 */
constexpr std::string_view FunctionName(std::string_view prototype) {
    return prototype.substr(0, prototype.find('('));
}

}  // namespace orbx
#endif

#endif
