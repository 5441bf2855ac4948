// The GNU C library's exp10l (declared with _GNU_SOURCE, which g++ defines).
#include <math.h>

#include "bendcalc/power_of_ten.h"

namespace bendpost {

long double PowerOfTen(long double x) { return ::exp10l(x); }

}  // namespace bendpost
