# Shared part of the two MinGW-w64 toolchain files; WAVORO_TRIPLE is set by the includer.
set(CMAKE_C_COMPILER ${WAVORO_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${WAVORO_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${WAVORO_TRIPLE}-windres)
set(CMAKE_AR ${WAVORO_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${WAVORO_TRIPLE}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${WAVORO_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Every binary is self-contained: no libgcc/libstdc++/winpthread DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows-side tests run under wine64; 32-bit binaries cannot run on this kernel.
if(WAVORO_TRIPLE STREQUAL "x86_64-w64-mingw32")
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine/run)
endif()

# Small binaries: unused functions and data are dropped, symbols stripped.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-Wl,--gc-sections -s")
set(CMAKE_SHARED_LINKER_FLAGS_MINSIZEREL_INIT "-Wl,--gc-sections -s")
