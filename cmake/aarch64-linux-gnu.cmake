# Linux arm64 (Debian g++-aarch64-linux-gnu): the plug-in Orbelantrix.fmx for aarch64, the SDK
# stand-in, orbx and the tests, which run under qemu-user with the cross sysroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ORBX_TARGET_TRIPLE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${ORBX_TARGET_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${ORBX_TARGET_TRIPLE}-g++)
set(ORBX_SYSROOT /usr/${ORBX_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH ${ORBX_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L ${ORBX_SYSROOT})
