// A crash must fail the test run. MinGW's GoogleTest does not catch
// structured exceptions, and under Wine a crashed program can end with exit
// code 0; this filter ends the process with code 3 instead, after saying
// what happened.
#include <windows.h>

#include <cstdio>

namespace {

LONG WINAPI TerminateOnCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "unhandled exception 0x%08lx at %p\n",
               static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
               info->ExceptionRecord->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

// Installed before main() runs: this file is linked into the test
// executable as an object, so its initialiser always runs.
const bool kInstalled = [] {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(TerminateOnCrash);
  return true;
}();

}  // namespace
