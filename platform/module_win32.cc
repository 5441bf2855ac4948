#include "platform/module_win32.h"

namespace bendpost {

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  // Any address inside this module names it; the reference count is left
  // alone because the module cannot unload while its code runs.
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                         GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

std::string ThisModuleTitle() {
  char path[MAX_PATH + 1] = {};
  DWORD n = GetModuleFileNameA(ThisModule(), path, MAX_PATH);
  std::string name(path, n < MAX_PATH ? n : MAX_PATH);
  size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace bendpost
