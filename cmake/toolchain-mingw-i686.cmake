# Cross toolchain: mingw-w64 for 32-bit Windows (the product), posix threads.
set(TOLVANE_CROSS i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
