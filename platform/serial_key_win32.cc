#include "platform/serial_key_win32.h"

#include "platform/serial_key.h"
#include "resources/strings.h"

namespace bendpost {

IsWow64ProcessFn LookUpIsWow64Process() {
  HMODULE kernel32 = GetModuleHandleA("kernel32");
  if (kernel32 == nullptr) return nullptr;
  FARPROC proc = GetProcAddress(kernel32, "IsWow64Process");
  // Through the generic function pointer type: GCC accepts that cast to any
  // function pointer type without a warning.
  return reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void (*)()>(proc));
}

bool IsWow64Through(IsWow64ProcessFn is_wow64_process, HANDLE process,
                    UserInterface& ui) {
  if (is_wow64_process == nullptr) return false;
  BOOL wow64 = FALSE;
  if (!is_wow64_process(process, &wow64)) {
    ui.ShowMessage(LoadString(strings::kUpgradeWindows), MessageIcon::kNone);
    return false;
  }
  return wow64 != FALSE;
}

bool IsWow64(UserInterface& ui) {
  return IsWow64Through(LookUpIsWow64Process(), GetCurrentProcess(), ui);
}

}  // namespace bendpost
