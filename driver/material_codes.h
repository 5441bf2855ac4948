// The material name table: the material code of the name the host gives
// through SetMaterial_2, a pure function of the name. (The unit conversions
// of SetUnit and SetMaterial_* are in base/units.h.)
#ifndef BENDPOST_DRIVER_MATERIAL_CODES_H_
#define BENDPOST_DRIVER_MATERIAL_CODES_H_

#include "base/units.h"
#include "bendpost/cstring.h"

namespace bendpost {

// Material code of a material name, by exact byte-for-byte match of the
// whole name: "Aluminium" 3, "Hot Rolled Steel" 7, "Cold Rolled Steel" 1,
// "Stainless Steel" 5; any other name (letter case or a trailing blank
// included, and the empty name) 1.
int MaterialCodeForName(const CString& name);

}  // namespace bendpost

#endif  // BENDPOST_DRIVER_MATERIAL_CODES_H_
