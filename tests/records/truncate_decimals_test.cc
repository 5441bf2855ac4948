#include "records/truncate_decimals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// The result is n x 0.1, 0.01, ... computed in double precision, so the
// expectations are written the same way and compared exactly.

TEST(TruncateDecimalsTest, CutsTowardZeroAtTheGivenPlace) {
  EXPECT_EQ(102 * 0.1, TruncateDecimals(10.27f, 1));
  EXPECT_EQ(-102 * 0.1, TruncateDecimals(-10.27f, 1));
  EXPECT_EQ(3.0, TruncateDecimals(3.7f, 0));
  EXPECT_EQ(-3.0, TruncateDecimals(-3.7f, 0));
  EXPECT_EQ(123 * 0.001, TruncateDecimals(0.12345f, 3));
  EXPECT_EQ(12345 * 0.0001, TruncateDecimals(1.234567f, 4));
  EXPECT_EQ(1027 * 0.01, TruncateDecimals(10.27f, 2));
}

TEST(TruncateDecimalsTest, ReadsTheDecimalValueTheFloatStandsFor) {
  // 0.7f is 0.699999988...; multiplying by 10 and truncating would give 6.
  EXPECT_EQ(7 * 0.1, TruncateDecimals(0.7f, 1));
  EXPECT_EQ(70 * 0.01, TruncateDecimals(0.7f, 2));
  EXPECT_EQ(38 * 0.001, TruncateDecimals(0.038f, 3));
  EXPECT_EQ(29 * 0.01, TruncateDecimals(0.29f, 2));
  EXPECT_EQ(-7 * 0.1, TruncateDecimals(-0.7f, 1));
  // 4.35f is 4.349999904...
  EXPECT_EQ(435 * 0.01, TruncateDecimals(4.35f, 2));
}

TEST(TruncateDecimalsTest, PadsMissingDecimalsWithZeros) {
  EXPECT_EQ(25000 * 0.0001, TruncateDecimals(2.5f, 4));
  EXPECT_EQ(1200 * 0.01, TruncateDecimals(12.0f, 2));
  EXPECT_EQ(0.0, TruncateDecimals(0.0f, 3));
}

TEST(TruncateDecimalsTest, ValuesBelowTheLastPlaceBecomeZero) {
  EXPECT_EQ(0.0, TruncateDecimals(0.00009f, 4));
  EXPECT_EQ(0.0, TruncateDecimals(-0.00009f, 4));
  EXPECT_EQ(0.0, TruncateDecimals(1e-30f, 4));
  EXPECT_EQ(0.0, TruncateDecimals(std::numeric_limits<float>::denorm_min(), 4));
  EXPECT_EQ(0.0, TruncateDecimals(0.9f, 0));
}

TEST(TruncateDecimalsTest, OtherNumbersOfDecimalsReturnTheValueUnchanged) {
  EXPECT_EQ(static_cast<double>(10.27f), TruncateDecimals(10.27f, 5));
  EXPECT_EQ(static_cast<double>(10.27f), TruncateDecimals(10.27f, -1));
  EXPECT_EQ(static_cast<double>(1e30f), TruncateDecimals(1e30f, 7));
}

TEST(TruncateDecimalsTest, SaturatesOutsideTheThirtyTwoBitRange) {
  // Largest float below 2^31 is still in range.
  EXPECT_EQ(2147483520.0, TruncateDecimals(2147483520.0f, 0));
  EXPECT_EQ(2147483647.0, TruncateDecimals(2147483648.0f, 0));
  EXPECT_EQ(-2147483648.0, TruncateDecimals(-2147483648.0f, 0));
  EXPECT_EQ(-2147483648.0, TruncateDecimals(-3e9f, 0));
  EXPECT_EQ(INT32_MAX * 0.0001, TruncateDecimals(1e30f, 4));
  EXPECT_EQ(INT32_MIN * 0.0001, TruncateDecimals(-1e30f, 4));
  EXPECT_EQ(INT32_MAX * 0.1, TruncateDecimals(214748365.0f, 1));
  EXPECT_EQ(INT32_MAX * 0.01,
            TruncateDecimals(std::numeric_limits<float>::max(), 2));
  EXPECT_EQ(INT32_MAX * 0.001,
            TruncateDecimals(std::numeric_limits<float>::infinity(), 3));
  EXPECT_EQ(INT32_MIN * 0.001,
            TruncateDecimals(-std::numeric_limits<float>::infinity(), 3));
  EXPECT_EQ(0.0, TruncateDecimals(std::nanf(""), 2));
}

}  // namespace
