# macOS on Apple silicon: the arm64 slice of Orbelantrix.fmplugin (cmake/zig/macos.cmake).
set(ORBX_MACOS_ARCH arm64)
include(${CMAKE_CURRENT_LIST_DIR}/macos.cmake)
