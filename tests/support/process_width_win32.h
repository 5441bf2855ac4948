// Whether the test process is a 32-bit process on 64-bit Windows, found
// without IsWow64Process, which is what the code under test asks: from the
// width of a pointer and the processor architecture of the system.
#ifndef BENDPOST_TESTS_SUPPORT_PROCESS_WIDTH_WIN32_H_
#define BENDPOST_TESTS_SUPPORT_PROCESS_WIDTH_WIN32_H_

#include <windows.h>

namespace bendpost::test_support {

inline bool ThirtyTwoBitProcessOnSixtyFourBitWindows() {
  if (sizeof(void*) != 4) return false;
  SYSTEM_INFO info;
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_ARM64;
}

}  // namespace bendpost::test_support

#endif  // BENDPOST_TESTS_SUPPORT_PROCESS_WIDTH_WIN32_H_
