#include "driver/settings.h"

namespace bendpost {

float ThicknessInMillimetres(float thickness, int unit) {
  if (!IsInchUnit(unit)) return thickness;
  return static_cast<float>(static_cast<double>(thickness) * 25.4);
}

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
