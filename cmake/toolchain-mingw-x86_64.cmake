# Cross toolchain: mingw-w64 for 64-bit Windows, used to test under 64-bit Wine where
# the kernel cannot run 32-bit Wine.
set(TOLVANE_CROSS x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
