// The Windows C runtime has no base-10 exponential: the general power.
#include <cmath>

#include "bendcalc/power_of_ten.h"

namespace bendpost {

long double PowerOfTen(long double x) { return std::pow(10.0L, x); }

}  // namespace bendpost
