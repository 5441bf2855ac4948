#include "driver/material_codes.h"

namespace bendpost {

int MaterialCodeForName(const CString& name) {
  struct Entry {
    const char* name;
    int code;
  };
  static constexpr Entry kTable[] = {
      {"Aluminium", 3},
      {"Hot Rolled Steel", 7},
      {"Cold Rolled Steel", 1},
      {"Stainless Steel", 5},
  };
  for (const Entry& entry : kTable) {
    if (name == CString(entry.name)) return entry.code;
  }
  return 1;
}

}  // namespace bendpost
