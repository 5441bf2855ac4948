# Cross build of the 32-bit Windows DLL with MinGW-w64 (i686) on Linux; the
# tests run under Wine as a 32-bit process on a 64-bit prefix (WOW64).
#
# -msse2 -mfpmath=sse: GCC's default 32-bit floating point (x87) keeps
# intermediate results in 80 bits, so float products such as an inch value
# times 25.4 are not rounded to float and the truncations that follow can
# land one unit lower than on x86-64 (7.5 inch gives 190 mm, not 191). With
# SSE2 arithmetic every float operation rounds to float, and the 32-bit DLL
# writes the same bytes as the 64-bit one and as Linux. Every x86 processor
# a supported Windows runs on has SSE2. records/truncate_decimals.cc refuses
# to compile with excess precision.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(BENDPOST_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
