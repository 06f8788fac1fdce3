# Writes a link-time stub (a text-based dylib stub, TAPI format 4) of the host's
# FMWrapper.framework from its export list (one name a line): the macOS plug-in links against it
# instead of the framework, which belongs to the host and is never shipped, and so can import
# only names the real framework exports. Run with -DEXPORTS= -DTBD=.
file(STRINGS "${EXPORTS}" names REGEX "^FM_")
list(LENGTH names count)
if(count EQUAL 0)
  message(FATAL_ERROR "${EXPORTS} lists no FM_ function")
endif()
# Mach-O names carry a leading underscore.
list(TRANSFORM names PREPEND "_")
list(JOIN names ",\n                       " symbols)
file(WRITE "${TBD}" "--- !tapi-tbd
tbd-version:     4
targets:         [ x86_64-macos, arm64-macos ]
install-name:    '@rpath/FMWrapper.framework/Versions/A/FMWrapper'
exports:
  - targets:         [ x86_64-macos, arm64-macos ]
    symbols:         [ ${symbols} ]
...
")
