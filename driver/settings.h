// Job-wide settings the host gives through SetUnit, SetMaterial_1,
// SetMaterial_2 and SetPathNames, as pure functions of their inputs.
#ifndef BENDPOST_DRIVER_SETTINGS_H_
#define BENDPOST_DRIVER_SETTINGS_H_

#include "bendpost/cstring.h"

namespace bendpost {

// The job's length unit: exactly 1 is inch, any other value millimetre.
inline bool IsInchUnit(int unit) { return unit == 1; }

// Thickness in millimetres: x 25.4 (in double precision, then stored as a
// 32-bit float) when `unit` is inch, unchanged otherwise.
float ThicknessInMillimetres(float thickness, int unit);

// Material code of a material name, by exact byte-for-byte match of the
// whole name: "Aluminium" 3, "Hot Rolled Steel" 7, "Cold Rolled Steel" 1,
// "Stainless Steel" 5; any other name (letter case or a trailing blank
// included, and the empty name) 1.
int MaterialCodeForName(const CString& name);

}  // namespace bendpost

#endif  // BENDPOST_DRIVER_SETTINGS_H_
