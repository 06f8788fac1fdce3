# zlib for the pictures' PNG streams, linked into the plug-in statically: target orbx_zlib.
#
# The source is Debian's zlib source package, pinned to one version: scripts/install-deps fetches
# it with apt-get source (apt checks it against the archive's signed index), and this file checks
# the upstream tarball's SHA-256 before unpacking it into the build folder at configure time. The
# same sources are compiled by whatever C compiler the toolchain names, with no configure checks
# of zlib's own, so that every system the plug-in is built for gets the same zlib unchanged.
# Debian's patches to the package touch only its build scripts, so none is applied.
set(ORBX_ZLIB_VERSION 1.2.13.dfsg)
set(ORBX_ZLIB_SHA256 71feb7947e3c00ef125f83b79a4e529bde31171e5babe48b391f06758d1ab0a1)
set(ORBX_ZLIB_ARCHIVE "/usr/local/src/orbelantrix/zlib_${ORBX_ZLIB_VERSION}.orig.tar.bz2"
    CACHE FILEPATH "Debian's zlib source tarball (scripts/install-deps fetches it)")

if(NOT EXISTS "${ORBX_ZLIB_ARCHIVE}")
  message(FATAL_ERROR "zlib's source is missing: ${ORBX_ZLIB_ARCHIVE} (scripts/install-deps "
                      "fetches Debian's source package)")
endif()
file(SHA256 "${ORBX_ZLIB_ARCHIVE}" _orbx_zlib_sha256)
if(NOT _orbx_zlib_sha256 STREQUAL ORBX_ZLIB_SHA256)
  message(FATAL_ERROR "${ORBX_ZLIB_ARCHIVE} has SHA-256 ${_orbx_zlib_sha256}, not the pinned "
                      "${ORBX_ZLIB_SHA256}")
endif()

set(ORBX_ZLIB_SOURCE_DIR "${CMAKE_BINARY_DIR}/_deps/zlib-${ORBX_ZLIB_VERSION}")
if(NOT EXISTS "${ORBX_ZLIB_SOURCE_DIR}/zlib.h")
  file(ARCHIVE_EXTRACT INPUT "${ORBX_ZLIB_ARCHIVE}" DESTINATION "${CMAKE_BINARY_DIR}/_deps")
endif()

enable_language(C)
# Compression only: the plug-in deflates and never inflates.
set(_orbx_zlib_files adler32.c crc32.c deflate.c trees.c zutil.c)
list(TRANSFORM _orbx_zlib_files PREPEND "${ORBX_ZLIB_SOURCE_DIR}/")
add_library(orbx_zlib STATIC ${_orbx_zlib_files})
set_target_properties(orbx_zlib PROPERTIES C_VISIBILITY_PRESET hidden POSITION_INDEPENDENT_CODE ON)
# Its headers as system headers: the project's warnings do not apply to them.
target_include_directories(orbx_zlib SYSTEM PUBLIC "${ORBX_ZLIB_SOURCE_DIR}")
# Its own code is not held to the project's warnings: some compilers warn at its old-style C.
target_compile_options(orbx_zlib PRIVATE -w)
