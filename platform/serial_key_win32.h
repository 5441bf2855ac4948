// The WOW64 test of the serial counter's key path, with its entry point
// passed in so that tests can put a failing or missing one in its place.
#ifndef BENDPOST_PLATFORM_SERIAL_KEY_WIN32_H_
#define BENDPOST_PLATFORM_SERIAL_KEY_WIN32_H_

#include <windows.h>

#include "platform/ui.h"

namespace bendpost {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);

// "IsWow64Process" of kernel32, looked up at run time (null when the
// system does not have it).
IsWow64ProcessFn LookUpIsWow64Process();

// No entry point: false, silently. A failing call: the operator gets
// "Please upgrade to Windows XP SP2 or later." (through `ui`) and the
// answer is false. Otherwise the entry point's answer.
bool IsWow64Through(IsWow64ProcessFn is_wow64_process, HANDLE process,
                    UserInterface& ui);

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_SERIAL_KEY_WIN32_H_
