// 10^x in extended precision, for the inner radius model of the bend
// calculation.
//
// The C library's general power function is the calculation's slowest
// single step; where the library has a dedicated base-10 exponential it is
// used instead. The two agree to the last bit of a 32-bit float for every
// model value the calculation can meet (they differ at most in the last bit
// of the extended result), so the choice never shows in a depth or a force.
#ifndef BENDPOST_BENDCALC_POWER_OF_TEN_H_
#define BENDPOST_BENDCALC_POWER_OF_TEN_H_

namespace bendpost {

long double PowerOfTen(long double x);

}  // namespace bendpost

#endif  // BENDPOST_BENDCALC_POWER_OF_TEN_H_
