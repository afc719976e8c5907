# 32-bit Windows: the build to ship, since it runs on every Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(FENDRIX_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
