// Redirects a function a module imports, for the lifetime of an object: the
// module's import address table entry of that function is pointed at a
// replacement and put back afterwards. Tests use it to hand bendpost.dll a
// fixed clock without any hook in the DLL itself (it reads the date with
// GetSystemTime / GetLocalTime of kernel32).
#ifndef BENDPOST_TESTS_SUPPORT_IMPORT_PATCH_WIN32_H_
#define BENDPOST_TESTS_SUPPORT_IMPORT_PATCH_WIN32_H_

#include <windows.h>

namespace bendpost::test_support {

class ScopedImportPatch {
 public:
  // `from` is the exporting DLL's name as the import table spells it
  // (compared without case, e.g. "kernel32.dll"); `function` an import by
  // name.
  ScopedImportPatch(HMODULE module, const char* from, const char* function,
                    void* replacement);
  ~ScopedImportPatch();
  ScopedImportPatch(const ScopedImportPatch&) = delete;
  ScopedImportPatch& operator=(const ScopedImportPatch&) = delete;

  // False when `module` does not import `function` by name from `from`
  // (nothing was changed then).
  bool found() const { return slot_ != nullptr; }

 private:
  void* Exchange(void* value);

  ULONG_PTR* slot_ = nullptr;
  void* previous_ = nullptr;
};

// A clock fixed on `date` for `module`: its GetSystemTime and GetLocalTime
// both answer noon of that day. ok() is false unless both were found.
class ScopedFixedDate {
 public:
  ScopedFixedDate(HMODULE module, WORD year, WORD month, WORD day);
  ~ScopedFixedDate();
  ScopedFixedDate(const ScopedFixedDate&) = delete;
  ScopedFixedDate& operator=(const ScopedFixedDate&) = delete;

  bool ok() const { return utc_.found() && local_.found(); }

 private:
  ScopedImportPatch utc_;
  ScopedImportPatch local_;
};

}  // namespace bendpost::test_support

#endif  // BENDPOST_TESTS_SUPPORT_IMPORT_PATCH_WIN32_H_
