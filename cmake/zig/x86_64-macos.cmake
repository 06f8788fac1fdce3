# macOS on Intel: the x86_64 slice of Orbelantrix.fmplugin (cmake/zig/macos.cmake).
set(ORBX_MACOS_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/macos.cmake)
