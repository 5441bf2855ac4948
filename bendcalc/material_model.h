// Material models: how a material springs back, where its neutral fibre lies,
// which inner radius it takes and how the ram depth is corrected, each as a
// function of the bend angle and the ratio r = die V width / thickness.
//
// A model is either a polynomial in the normalised angle and ratio, or a
// table over bend angles and ratios. Evaluation is pure; loading a model from
// a material data file is in material_file.h.
//
// Arithmetic: the values the driver has always kept as 32-bit floats are
// rounded to float exactly where they are formed (RoundToF32); everything in
// between is carried out in long double. Decimal constants are the double
// nearest to their text, widened.
#ifndef BENDPOST_BENDCALC_MATERIAL_MODEL_H_
#define BENDPOST_BENDCALC_MATERIAL_MODEL_H_

#include <array>
#include <cstdint>
#include <limits>

namespace bendpost {

static_assert(std::numeric_limits<float>::is_iec559 &&
                  std::numeric_limits<long double>::is_iec559,
              "the calculation relies on IEEE 754 arithmetic");

// Rounds to the nearest 32-bit float. A value beyond the float range becomes
// an infinity, as IEEE 754 rounding gives; NaN stays NaN.
inline float RoundToF32(long double v) { return static_cast<float>(v); }

struct MaterialModel {
  static constexpr int kMaxTerms = 10;
  static constexpr int kTableRows = 17;
  static constexpr int kTableColumns = 11;
  static constexpr int kTableSize = kTableRows * kTableColumns;  // 187

  static constexpr int32_t kPolynomial = 1;
  static constexpr int32_t kTable = 2;

  // Number of polynomial terms, 0 to kMaxTerms.
  int32_t TermCount = 0;
  // Term code of each term, 2 to 21 (see EvaluatePolynomialModel).
  int32_t TermCodes[kMaxTerms] = {};
  // The constant first, then one coefficient per term.
  float Coefficients[kMaxTerms + 1] = {};
  // 17 rows of 11 values, row by row. Row 0, columns 1 to 10: the ascending
  // column ratios h1..h10 (column 0 unused). Rows 1 to 16: column 0 the
  // row's bend angle in degrees (ascending), columns 1 to 10 the values at
  // that angle for h1..h10.
  float ModelTable[kTableSize] = {};
  // kPolynomial, kTable, or anything else for "no model".
  int32_t ModelType = 0;

  float TableAt(int row, int column) const {
    return ModelTable[row * kTableColumns + column];
  }
};

// The four models of one material, in file order.
enum MaterialModelIndex {
  kSpringback = 0,
  kNeutralFactor = 1,
  kInnerRadius = 2,
  kDepthCorrection = 3,
  kMaterialModelCount = 4,
};
using MaterialModelSet = std::array<MaterialModel, kMaterialModelCount>;

// Polynomial model at (angle in degrees, die V width, thickness), whatever
// the model's ModelType says. With x = (angle - 90) / 90 and the ratio
// normalised to w = (r - 10) / 10, the value is
//   Coefficients[0] + sum of Coefficients[i + 1] * term(TermCodes[i], x, w)
// rounded to float after each addition. Term codes: 2..6 x..x^5, 7..11
// w..w^5, 12 xw, 13 xw^2, 14 x^2w, 15 x^2w^2, 16 xw^3, 17 x^3w, 18 x^2w^3,
// 19 x^3w^2, 20 x^4w, 21 xw^4. Another code repeats the term before it; in
// the first position it contributes 0. Outside 4 <= r <= 20 the value is
// extrapolated linearly from w = -0.6 and -0.4 (ratios 4 and 6) or from
// w = 0.6 and 1.0 (ratios 16 and 20).
float EvaluatePolynomialModel(const MaterialModel& model, float angle,
                              float v_width, float thickness);

// Table model at (angle in degrees, die V width, thickness), whatever the
// model's ModelType says: bilinear interpolation in the ratio and the angle,
// extrapolating below h1, above h10 and down to 10 degrees below the first
// row. An angle further below, or at or above the last row's angle, has no
// value: 0. Outside 4 <= r <= 20 the value is extrapolated linearly from the
// table's values at ratios 4 and 6 or 16 and 20. Only the column fraction is
// rounded to float; two equal neighbouring ratios or angles give the
// fraction 0.
float EvaluateTableModel(const MaterialModel& model, float angle, float v_width,
                         float thickness);

}  // namespace bendpost

#endif  // BENDPOST_BENDCALC_MATERIAL_MODEL_H_
