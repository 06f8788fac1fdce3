# Windows x64 with MinGW-w64 (Debian g++-mingw-w64-x86-64-posix): the plug-in Orbelantrix.fmx64,
# the SDK stand-in's DLLs, orbx.exe and the tests, which run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORBX_TARGET_TRIPLE x86_64-w64-mingw32)
# The posix threading model: std::thread and std::mutex need it.
set(CMAKE_C_COMPILER ${ORBX_TARGET_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORBX_TARGET_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORBX_TARGET_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ORBX_TARGET_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Every program and DLL carries its C++ runtime, libgcc and winpthreads, so each needs only
# Windows' own DLLs and the project's.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
# Tests run under Wine; scripts/test gives each build its own WINEPREFIX.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
