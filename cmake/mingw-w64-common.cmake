# What the MinGW-w64 toolchain files share (mingw-w64-x86_64.cmake,
# mingw-w64-i686.cmake), after they set BENDPOST_MINGW_TRIPLE:
#
# The posix thread model gives std::thread and std::mutex (GoogleTest needs
# them). The C and C++ runtimes are linked statically, so bendpost.dll,
# bendpost.exe and the test executables need no MinGW DLLs beside them. The
# tests run under Wine as the cross-compiling emulator.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${BENDPOST_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BENDPOST_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BENDPOST_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BENDPOST_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
