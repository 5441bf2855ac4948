#include "support/import_patch_win32.h"

#include <cstring>

namespace bendpost::test_support {
namespace {

ULONG_PTR* FindImportSlot(HMODULE module, const char* from,
                          const char* function) {
  auto* base = reinterpret_cast<BYTE*>(module);
  if (base == nullptr) return nullptr;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt =
      reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return nullptr;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
           base + imports.VirtualAddress);
       d->Name != 0; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), from) != 0)
      continue;
    // The lookup table names the functions; the address table beside it
    // holds what the loader bound them to, entry for entry.
    if (d->OriginalFirstThunk == 0) return nullptr;
    auto* names =
        reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* by_name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(
          base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), function) ==
          0)
        return &slots->u1.Function;
    }
  }
  return nullptr;
}

SYSTEMTIME fixed_now = {};

void WINAPI FixedTime(LPSYSTEMTIME now) { *now = fixed_now; }

// Noon of the given day (the day of the week is not read); returns the
// function that answers it.
void* FixedTimeOn(WORD year, WORD month, WORD day) {
  fixed_now = SYSTEMTIME{year, month, 0, day, 12, 0, 0, 0};
  return reinterpret_cast<void*>(&FixedTime);
}

}  // namespace

ScopedImportPatch::ScopedImportPatch(HMODULE module, const char* from,
                                     const char* function, void* replacement)
    : slot_(FindImportSlot(module, from, function)) {
  if (slot_ != nullptr) previous_ = Exchange(replacement);
}

ScopedImportPatch::~ScopedImportPatch() {
  if (slot_ != nullptr) Exchange(previous_);
}

void* ScopedImportPatch::Exchange(void* value) {
  DWORD protection = 0;
  VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
  void* old = reinterpret_cast<void*>(*slot_);
  *slot_ = reinterpret_cast<ULONG_PTR>(value);
  VirtualProtect(slot_, sizeof *slot_, protection, &protection);
  return old;
}

ScopedFixedDate::ScopedFixedDate(HMODULE module, WORD year, WORD month,
                                 WORD day)
    : utc_(module, "kernel32.dll", "GetSystemTime",
           FixedTimeOn(year, month, day)),
      local_(module, "kernel32.dll", "GetLocalTime",
             reinterpret_cast<void*>(&FixedTime)) {}

ScopedFixedDate::~ScopedFixedDate() = default;

}  // namespace bendpost::test_support
