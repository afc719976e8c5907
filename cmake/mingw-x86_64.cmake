# 64-bit Windows: runs where Wine's 32-bit loader cannot.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(FENDRIX_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
