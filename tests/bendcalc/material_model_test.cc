#include "bendcalc/material_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/bendcalc/bendcalc_fixtures.h"

namespace bendpost {
namespace {

using testing::Polynomial;

constexpr float kT = 2;  // thickness of every case; V = ratio x 2

float Poly(const MaterialModel& m, float angle, float ratio) {
  return EvaluatePolynomialModel(m, angle, ratio * kT, kT);
}

// 1 + 0.5 x + 0.25 w + 0.1 x w: linear in w.
MaterialModel LinearInW() {
  return Polynomial(1, {{2, 0.5f}, {7, 0.25f}, {12, 0.1f}});
}

TEST(PolynomialModelTest, ConstantOnlyModelIsTheConstantEverywhere) {
  const MaterialModel m = Polynomial(0.4f);
  for (float angle : {20.0f, 90.0f, 180.0f})
    for (float ratio : {1.0f, 4.0f, 12.0f, 20.0f, 50.0f})
      EXPECT_EQ(0.4f, Poly(m, angle, ratio)) << angle << " " << ratio;
}

TEST(PolynomialModelTest, WorkedTermsInsideAndOutsideTheRatioRange) {
  const MaterialModel m = LinearInW();
  // x = 0.5 at 135 degrees; w = 0.2 at ratio 12.
  EXPECT_NEAR(1.31, Poly(m, 135, 12), 1e-6);
  // Linear in w, so the extrapolation agrees with the polynomial.
  EXPECT_NEAR(1.04, Poly(m, 135, 3), 1e-6);
  EXPECT_NEAR(1.85, Poly(m, 135, 30), 1e-6);
}

TEST(PolynomialModelTest, OutsideFourToTwentyExtrapolatesLinearly) {
  const MaterialModel m = Polynomial(0, {{8, 1}});  // w^2
  EXPECT_NEAR(0.46, Poly(m, 90, 3), 1e-6);          // not 0.49
  EXPECT_NEAR(1.80, Poly(m, 90, 25), 1e-6);         // not 2.25
  // The bounds themselves are evaluated directly ...
  EXPECT_FLOAT_EQ(0.36f, Poly(m, 90, 4));
  EXPECT_FLOAT_EQ(1.0f, Poly(m, 90, 20));
  EXPECT_FLOAT_EQ(0.04f, Poly(m, 90, 12));
  // ... just outside them the line through the anchors is used:
  // 3.9 gives 0.37 (w^2 would be 0.3721), 20.1 gives 1.016 (not 1.0201).
  EXPECT_NEAR(0.37, EvaluatePolynomialModel(m, 90, 7.8f, 2), 1e-6);
  EXPECT_NEAR(1.016, EvaluatePolynomialModel(m, 90, 40.2f, 2), 1e-6);
}

TEST(PolynomialModelTest, EveryTermCodeHasItsPowersOfXAndW) {
  // x = 0.5 (135 degrees), w = -0.25 (ratio 7.5); each code alone, with
  // coefficient 1 and constant 0, gives x^a w^b.
  struct Case {
    int code;
    int x_power;
    int w_power;
  };
  const Case cases[] = {{2, 1, 0},  {3, 2, 0},  {4, 3, 0},  {5, 4, 0},
                        {6, 5, 0},  {7, 0, 1},  {8, 0, 2},  {9, 0, 3},
                        {10, 0, 4}, {11, 0, 5}, {12, 1, 1}, {13, 1, 2},
                        {14, 2, 1}, {15, 2, 2}, {16, 1, 3}, {17, 3, 1},
                        {18, 2, 3}, {19, 3, 2}, {20, 4, 1}, {21, 1, 4}};
  for (const Case& c : cases) {
    const MaterialModel m = Polynomial(0, {{c.code, 1}});
    EXPECT_EQ(std::pow(0.5f, c.x_power) * std::pow(-0.25f, c.w_power),
              Poly(m, 135, 7.5f))
        << "code " << c.code;
  }
}

TEST(PolynomialModelTest, UnknownCodeRepeatsThePreviousTermAndIsZeroFirst) {
  // x = 0.5: code 2 then 99 gives 1 + 2 x + 3 x = 3.5.
  EXPECT_FLOAT_EQ(3.5f, Poly(Polynomial(1, {{2, 2}, {99, 3}}), 135, 10));
  // A chain of unknown codes keeps repeating: x + x + x.
  EXPECT_FLOAT_EQ(1.5f, Poly(Polynomial(0, {{2, 1}, {0, 1}, {1, 1}}), 135, 10));
  // First position: contributes 0; the next known code is evaluated.
  EXPECT_FLOAT_EQ(1.0f, Poly(Polynomial(1, {{22, 5}}), 135, 10));
  EXPECT_FLOAT_EQ(1.5f, Poly(Polynomial(1, {{-1, 5}, {2, 1}}), 135, 10));
}

TEST(PolynomialModelTest, SumIsRoundedToFloatAfterEachTerm) {
  // 1 + 2^-24 + 2^-24: each addition rounds back to 1 (ties to even), so
  // the sum is 1; summed in long double it would be 1 + 2^-23.
  const float tiny = std::ldexp(1.0f, -24);
  const MaterialModel m = Polynomial(1, {{2, tiny}, {2, tiny}});
  EXPECT_EQ(1.0f, Poly(m, 180, 10));  // x = 1
}

TEST(PolynomialModelTest, NormalisedAngleIsRoundedToFloatBeforeThePowers) {
  // x = (angle - 90) / 90 is rounded to float before x^5 is formed; at
  // some angles that changes the float result.
  const MaterialModel m = Polynomial(0, {{6, 1}});
  int distinguishing = 0;
  for (float angle = 20; angle <= 180; angle += 0.25f) {
    const long double exact_x =
        (angle - 90.0L) * static_cast<long double>(0.011111111111111112);
    const long double x = static_cast<float>(exact_x);
    const float expected = static_cast<float>(x * x * x * x * x);
    if (expected != static_cast<float>(std::pow(exact_x, 5))) ++distinguishing;
    EXPECT_EQ(expected, Poly(m, angle, 10)) << angle;
  }
  EXPECT_GT(distinguishing, 0);
}

TEST(PolynomialModelTest, OutOfRangeTermCountIsClampedNotOverread) {
  MaterialModel m = Polynomial(1, {{2, 1}});
  m.TermCount = -3;
  EXPECT_EQ(1.0f, Poly(m, 135, 10));
  m.TermCount = 1000;  // reads the 10 terms there are: x + 0 ...
  EXPECT_FLOAT_EQ(1.5f, Poly(m, 135, 10));
}

// A table with column ratios h = 5, 6, ..., 14 and row angles 40, 50, ...,
// 190 whose value is a^2 / 100 + h^2: bilinear interpolation is exact along
// each axis' grid lines, so every case can be checked by hand.
MaterialModel SeparableTable() {
  MaterialModel m;
  m.ModelType = MaterialModel::kTable;
  for (int j = 1; j <= 10; ++j) m.ModelTable[j] = static_cast<float>(j + 4);
  for (int i = 1; i <= 16; ++i) {
    const float a = static_cast<float>(30 + 10 * i);
    m.ModelTable[i * 11] = a;
    for (int j = 1; j <= 10; ++j) {
      const float h = static_cast<float>(j + 4);
      m.ModelTable[i * 11 + j] = a * a / 100 + h * h;
    }
  }
  return m;
}

float Table(const MaterialModel& m, float angle, float ratio) {
  return EvaluateTableModel(m, angle, ratio * kT, kT);
}

TEST(TableModelTest, GridPointsAndInterpolation) {
  const MaterialModel m = SeparableTable();
  EXPECT_FLOAT_EQ(100 + 100, Table(m, 100, 10));
  // Between the columns of ratios 10 and 11: 100 + 0.5 x (121 - 100).
  EXPECT_FLOAT_EQ(100 + 110.5f, Table(m, 100, 10.5f));
  // Between rows 100 and 110 degrees: 100 + 0.5 x (121 - 100).
  EXPECT_FLOAT_EQ(110.5f + 100, Table(m, 105, 10));
}

TEST(TableModelTest, RatioBelowFirstColumnAndAboveLastExtrapolate) {
  const MaterialModel m = SeparableTable();
  // 4.5 < h1 = 5: columns 1 and 2 (25, 36) with d = -0.5: 19.5.
  EXPECT_FLOAT_EQ(16 + 19.5f, Table(m, 40, 4.5f));
  // 16 > h10 = 14: columns 9 and 10 (169, 196) with d = 3: 250.
  EXPECT_FLOAT_EQ(16 + 250, Table(m, 40, 16));
}

TEST(TableModelTest, RatioOutsideFourToTwentyExtrapolatesFromAnchors) {
  const MaterialModel m = SeparableTable();
  // Ratio 3: values at 4 (14) and 6 (36) give 14 + 22 x (3 - 4) / 2 = 3.
  EXPECT_FLOAT_EQ(16 + 3, Table(m, 40, 3));
  // Ratio 25: values at 16 (250) and 20 (358) give 250 + 108 x 9 / 4.
  EXPECT_FLOAT_EQ(16 + 493, Table(m, 40, 25));
  // Ratio exactly 4 and 20 are looked up directly.
  EXPECT_FLOAT_EQ(16 + 14, Table(m, 40, 4));
  EXPECT_FLOAT_EQ(16 + 358, Table(m, 40, 20));
}

TEST(TableModelTest, AnglesBelowFirstRowUpToTenDegreesExtrapolate) {
  const MaterialModel m = SeparableTable();
  // 5 degrees below 40: rows 40 (16) and 50 (25), fraction -0.5: 11.5.
  EXPECT_FLOAT_EQ(11.5f + 100, Table(m, 35, 10));
  // Exactly 10 below still has a value: 16 - 9 = 7.
  EXPECT_FLOAT_EQ(7 + 100, Table(m, 30, 10));
  // 11 below, or 10.5 below: no value.
  EXPECT_EQ(0.0f, Table(m, 29, 10));
  EXPECT_EQ(0.0f, Table(m, 29.5f, 10));
  // The last row's angle and above: no value; just below it: a value.
  EXPECT_EQ(0.0f, Table(m, 190, 10));
  EXPECT_EQ(0.0f, Table(m, 200, 10));
  EXPECT_NEAR(361 * 0.9 + 324 * 0.1 + 100, Table(m, 189, 10), 1e-4);
  // With the ratio extrapolated too, the cut-off still gives 0.
  EXPECT_EQ(0.0f, Table(m, 29, 3));
}

TEST(TableModelTest, EqualNeighbouringRatiosOrAnglesGiveFractionZero) {
  MaterialModel m = SeparableTable();
  // Columns 1 and 2 both at ratio 5: a lookup below 5 takes column 1.
  m.ModelTable[2] = 5;
  EXPECT_FLOAT_EQ(16 + 25, Table(m, 40, 4.5f));
  // Rows 1 and 2 both at 40 degrees: an angle below takes row 1's value.
  MaterialModel n = SeparableTable();
  n.ModelTable[2 * 11] = 40;
  EXPECT_FLOAT_EQ(16 + 100, Table(n, 35, 10));
}

TEST(TableModelTest, OnlyTheColumnFractionIsRoundedToFloat) {
  // Columns at ratios 4 and 4 + 3 x 2^-20, looked up at 4 + 2^-20: the
  // fraction 1/3 becomes the float 1/3 + 2^-25 / 3. With the values -2^24
  // and 2^25 the exact fraction would give 0; the float one gives 0.5.
  MaterialModel m;
  m.ModelType = MaterialModel::kTable;
  const float step = 3 * std::ldexp(1.0f, -20);
  for (int j = 1; j <= 10; ++j) m.ModelTable[j] = 4 + (j - 1) * step;
  m.ModelTable[1 * 11] = 40;
  for (int i = 2; i <= 16; ++i) m.ModelTable[i * 11] = 40 + 10.0f * i;
  const float two24 = std::ldexp(1.0f, 24);
  for (int i = 1; i <= 2; ++i) {
    m.ModelTable[i * 11 + 1] = -two24;
    m.ModelTable[i * 11 + 2] = 2 * two24;
  }
  const float v_width = 4 + std::ldexp(1.0f, -20);
  EXPECT_EQ(0.5f, EvaluateTableModel(m, 40, v_width, 1));
}

}  // namespace
}  // namespace bendpost
