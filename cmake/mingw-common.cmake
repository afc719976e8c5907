# What both Windows cross-builds share; the architecture's toolchain file sets FENDRIX_TRIPLET
# and CMAKE_SYSTEM_PROCESSOR before including this.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX-threads flavour of mingw-w64: std::thread and its companions need it.
set(CMAKE_C_COMPILER   ${FENDRIX_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FENDRIX_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${FENDRIX_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FENDRIX_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and tools built here run under Wine through this wrapper, with the loader and the
# prefix of their own architecture.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
