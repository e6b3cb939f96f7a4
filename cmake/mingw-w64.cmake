# Cross build of settle.exe and settle-plot.exe for 64-bit Windows on a Linux
# machine, with Debian's MinGW-w64 compilers (package g++-mingw-w64-x86-64-posix).
# The POSIX thread model gives std::thread; -static links the C++ runtime,
# libgcc and winpthread in, so the executables need no DLL beside them.
# Tests and other target programs run under Wine (packages wine and wine64).
#
#   cmake --preset windows      (or: cmake -S . -B build-win --toolchain cmake/mingw-w64.cmake)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SETTLE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SETTLE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SETTLE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SETTLE_MINGW_TRIPLET}-windres)

# Libraries and headers come from the target's tree only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${SETTLE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# ctest, gtest_discover_tests and add_test run the .exe files through Wine.
find_program(SETTLE_WINE wine)
if(SETTLE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SETTLE_WINE})
endif()
