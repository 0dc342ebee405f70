# Cross toolchain: mingw-w64 for 32-bit Windows (the product), posix threads.
set(TOLVANE_CROSS i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
# SSE rather than x87 floating point: the same results, to the last bit, as the x86_64
# build, so one pixel expectation holds for both.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
