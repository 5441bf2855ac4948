// Conversions from real numbers to integers without undefined behaviour.
//
// The driver's rules cut toward zero ("truncate") and then, where a field is
// 16 bits wide, keep the low 16 bits. A value outside the 32-bit range (or a
// NaN) saturates first: to INT32_MIN / INT32_MAX (NaN gives 0), so that the
// later narrowing is always defined.
#ifndef BENDPOST_BASE_NUMERIC_H_
#define BENDPOST_BASE_NUMERIC_H_

#include <cmath>
#include <cstdint>

namespace bendpost {

// Truncation toward zero into 32 bits, saturating outside the range.
inline int32_t TruncToInt32(long double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0L) return INT32_MAX;
  if (v <= -2147483648.0L) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// The low 16 bits of a 32-bit integer, as a signed 16-bit value.
inline int16_t Low16(int32_t v) {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(v)));
}

// Truncation toward zero, then the low 16 bits.
inline int16_t TruncToInt16Bits(long double v) {
  return Low16(TruncToInt32(v));
}

}  // namespace bendpost

#endif  // BENDPOST_BASE_NUMERIC_H_
