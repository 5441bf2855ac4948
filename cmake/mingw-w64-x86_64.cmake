# Cross build of the 64-bit Windows DLL with MinGW-w64 (x86-64) on Linux;
# the tests run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BENDPOST_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
