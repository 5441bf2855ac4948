#include "records/truncate_decimals.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

// Float arithmetic must round every operation to float, as it does on
// x86-64: the unit conversions cut their products toward zero, and a product
// kept in 80 bits (x87, GCC's default on 32-bit x86) lands one unit lower
// (7.5 inch gives 190 mm instead of 191). On 32-bit x86, build with
// -msse2 -mfpmath=sse (cmake/mingw-w64-i686.cmake).
static_assert(FLT_EVAL_METHOD == 0,
              "float arithmetic with excess precision changes the bytes of "
              "the programs; build with -msse2 -mfpmath=sse");

namespace {

// The decimal value of `value`, cut toward zero after `decimals` places and
// scaled by 10^decimals, saturated to the 32-bit range.
//
// Why the text and not value x 10^decimals: a 32-bit float holds 0.7 as
// 0.699999988..., so multiplying by 10 and truncating gives 6, and an
// operator who typed 0.7 would find 0.6 in the program (0.038 inch would
// become 0.037). The shortest decimal text that reads back as the same float
// (what std::to_chars produces without a precision) is exactly what the
// operator typed, "0.7"; cutting that text's digits never loses a unit in
// the last kept place. Fixed notation keeps every digit before the point, so
// large values come out whole and saturate below.
int32_t CutScaledDecimal(float value, int decimals) {
  if (std::isnan(value)) return 0;
  if (std::isinf(value)) return value > 0 ? INT32_MAX : INT32_MIN;

  // Longest fixed-notation text of a float: the smallest subnormal,
  // "-0." followed by 45 digits.
  char text[64];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  if (written.ec != std::errc()) return 0;  // cannot happen with 64 bytes

  constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
  const char* p = text;
  const bool negative = *p == '-';
  if (negative) ++p;
  int64_t magnitude = 0;
  int fraction_digits = -1;  // -1 before the point
  for (; p != written.ptr && fraction_digits < decimals; ++p) {
    if (*p == '.') {
      fraction_digits = 0;
      continue;
    }
    if (fraction_digits >= 0) ++fraction_digits;
    if (magnitude < kLimit) magnitude = magnitude * 10 + (*p - '0');
  }
  // Fewer fraction digits than asked for: the missing ones are zeros.
  for (int i = fraction_digits < 0 ? 0 : fraction_digits; i < decimals; ++i) {
    if (magnitude < kLimit) magnitude *= 10;
  }
  if (negative) {
    return magnitude >= kLimit ? INT32_MIN : static_cast<int32_t>(-magnitude);
  }
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

}  // namespace

double TruncateDecimals(float value, int decimals) {
  static constexpr double kUnit[] = {1.0, 0.1, 0.01, 0.001, 0.0001};
  if (decimals < 0 || decimals > 4) return value;
  const int32_t units = CutScaledDecimal(value, decimals);
  if (decimals == 0) return units;
  return units * kUnit[decimals];
}
