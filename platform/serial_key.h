// Where the daily serial counter lives in the user's settings store (the
// registry below HKEY_CURRENT_USER on Windows).
//
// A 32-bit process on 64-bit Windows keeps the counter below
// "Software\Wow6432Node\", every other process below "Software\". The test
// is made afresh each time the key is about to be opened, for reading and
// for writing; on Windows a failing test tells the operator (string 51025)
// and the "Software\" branch is used.
#ifndef BENDPOST_PLATFORM_SERIAL_KEY_H_
#define BENDPOST_PLATFORM_SERIAL_KEY_H_

#include <string>

#include "platform/ui.h"

namespace bendpost {

// The key below "Software\" (or "Software\Wow6432Node\").
inline constexpr char kSerialCounterKeyTail[] =
    "Orvanix\\VantorelCommon\\Default";

// True when the process is a 32-bit process running on 64-bit Windows;
// always false elsewhere. `ui` tells the operator when the test fails.
bool IsWow64(UserInterface& ui);

// The counter's key path for a process that is, or is not, a 32-bit
// process on 64-bit Windows.
std::string SerialCounterKeyPathFor(bool wow64);

// The key of the counter for this process: the WOW64 test is made each time
// (on Windows, a failing test tells the operator through `ui` each time);
// the POSIX store always uses "Software\Orvanix\VantorelCommon\Default".
std::string SerialCounterKeyPath(UserInterface& ui);

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_SERIAL_KEY_H_
