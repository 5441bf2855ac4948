#include "bendcalc/material_model.h"

#include <algorithm>

namespace bendpost {
namespace {

// (angle - 90) times this is the normalised angle x: 1/90 as a double.
constexpr long double kOneNinetieth = 0.011111111111111112;
// (r - 10) times this is the normalised ratio w: 0.1 as a 32-bit float.
constexpr long double kTenthF32 = 0.1f;

// The normalised images of the ratios 4, 6, 16 and 20 that anchor the
// polynomial's extrapolation, as 32-bit floats.
constexpr long double kW4 = -0.6f;
constexpr long double kW6 = -0.4f;
constexpr long double kW16 = 0.6f;
constexpr long double kW20 = 1.0f;

// The ratios that anchor the table's extrapolation.
constexpr long double kLowRatio1 = 4, kLowRatio2 = 6;
constexpr long double kHighRatio1 = 16, kHighRatio2 = 20;

// The ratio range evaluated directly.
constexpr long double kMinRatio = 4, kMaxRatio = 20;

struct TermPowers {
  int x;
  int w;
};
constexpr int kFirstTermCode = 2;
constexpr int kLastTermCode = 21;
// Powers of x and w of each term code, indexed by code.
constexpr TermPowers kTermPowers[kLastTermCode + 1] = {
    {0, 0}, {0, 0},                                  // 0, 1: not codes
    {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0},          // 2-6: x .. x^5
    {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5},          // 7-11: w .. w^5
    {1, 1}, {1, 2}, {2, 1}, {2, 2}, {1, 3}, {3, 1},  // 12-17
    {2, 3}, {3, 2}, {4, 1}, {1, 4},                  // 18-21
};

long double Power(long double base, int exponent) {
  long double result = 1;
  for (int i = 0; i < exponent; ++i) result *= base;
  return result;
}

// The polynomial at normalised angle x and normalised ratio w. A count
// outside 0..kMaxTerms (a model not made by the file reader) is clamped so
// that nothing beyond the arrays is read.
float PolynomialAt(const MaterialModel& model, float x, float w) {
  const int count =
      std::clamp<int32_t>(model.TermCount, 0, MaterialModel::kMaxTerms);
  float v = model.Coefficients[0];
  long double previous_term = 0;  // what a code outside 2..21 repeats
  for (int i = 0; i < count; ++i) {
    const int32_t code = model.TermCodes[i];
    long double term = previous_term;
    if (code >= kFirstTermCode && code <= kLastTermCode) {
      term = Power(x, kTermPowers[code].x) * Power(w, kTermPowers[code].w);
    }
    v = RoundToF32(v +
                   static_cast<long double>(model.Coefficients[i + 1]) * term);
    previous_term = term;
  }
  return v;
}

// Linear extrapolation through (x1, y1) and (x2, y2) at x.
long double Extrapolate(long double y1, long double y2, long double x,
                        long double x1, long double x2) {
  return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

}  // namespace

float EvaluatePolynomialModel(const MaterialModel& model, float angle,
                              float v_width, float thickness) {
  const float x = RoundToF32((angle - 90.0L) * kOneNinetieth);
  const long double r = static_cast<long double>(v_width) / thickness;
  const long double z = (r - 10) * kTenthF32;
  if (r >= kMinRatio && r <= kMaxRatio)
    return PolynomialAt(model, x, RoundToF32(z));
  // Below 4, or above 20 (a NaN ratio ends here too and stays NaN).
  const long double w1 = r < kMinRatio ? kW4 : kW16;
  const long double w2 = r < kMinRatio ? kW6 : kW20;
  const float y1 = PolynomialAt(model, x, static_cast<float>(w1));
  const float y2 = PolynomialAt(model, x, static_cast<float>(w2));
  return RoundToF32(Extrapolate(y1, y2, z, w1, w2));
}

float EvaluateTableModel(const MaterialModel& model, float angle, float v_width,
                         float thickness) {
  constexpr int kFirstRow = 1;
  constexpr int kLastRow = MaterialModel::kTableRows - 1;        // 16
  constexpr int kLastColumn = MaterialModel::kTableColumns - 1;  // 10
  auto ratio = [&](int j) -> long double { return model.TableAt(0, j); };
  auto row_angle = [&](int i) -> long double { return model.TableAt(i, 0); };
  auto value = [&](int i, int j) -> long double { return model.TableAt(i, j); };

  const long double a = angle;
  // Angles from 10 degrees below the first row up to (not including) the
  // last row have a value; the rows are extrapolated below the first.
  if (row_angle(kFirstRow) - 10 > a || a >= row_angle(kLastRow)) return 0;
  // Row interval (i, i + 1): the first row whose upper neighbour is at or
  // above the angle. The check above guarantees one unless the angle is NaN.
  int i = kLastRow - 1;
  for (int k = kFirstRow; k < kLastRow; ++k) {
    if (a <= row_angle(k + 1)) {
      i = k;
      break;
    }
  }
  const long double angle_span = row_angle(i + 1) - row_angle(i);
  const long double angle_fraction_numerator = a - row_angle(i);

  // The table's value at ratio g.
  auto value_at_ratio = [&](long double g) -> long double {
    // Column interval (j, j + 1); below h1 and above h10 the outer
    // intervals extrapolate.
    int j = kLastColumn - 1;
    if (g < ratio(1)) {
      j = 1;
    } else {
      for (int k = 1; k < kLastColumn - 1; ++k) {
        if (g <= ratio(k + 1)) {
          j = k;
          break;
        }
      }
    }
    const long double ratio_span = ratio(j + 1) - ratio(j);
    const float d =
        ratio_span == 0 ? 0.0f : RoundToF32((g - ratio(j)) / ratio_span);
    const long double p = value(i, j) + d * (value(i, j + 1) - value(i, j));
    const long double q =
        value(i + 1, j) + d * (value(i + 1, j + 1) - value(i + 1, j));
    if (angle_span == 0) return p;
    return p + (q - p) * angle_fraction_numerator / angle_span;
  };

  const long double r = static_cast<long double>(v_width) / thickness;
  if (r >= kMinRatio && r <= kMaxRatio) return RoundToF32(value_at_ratio(r));
  const long double g1 = r < kMinRatio ? kLowRatio1 : kHighRatio1;
  const long double g2 = r < kMinRatio ? kLowRatio2 : kHighRatio2;
  return RoundToF32(
      Extrapolate(value_at_ratio(g1), value_at_ratio(g2), r, g1, g2));
}

}  // namespace bendpost
