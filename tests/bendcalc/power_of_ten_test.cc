#include "bendcalc/power_of_ten.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "bendcalc/material_model.h"

namespace bendpost {
namespace {

TEST(PowerOfTenTest, WholePowersAndTheInnerRadiusRoundingAgreeWithPow) {
  // Whole powers of ten are exact from 1 up; below 1 they are not
  // representable and the two may round their last bit differently.
  for (int e = 0; e <= 8; ++e) {
    EXPECT_EQ(std::pow(10.0L, static_cast<long double>(e)),
              PowerOfTen(static_cast<long double>(e)))
        << e;
  }
  // The calculation uses 10^m3 only as D = 10^m3 * T and then D / T
  // rounded to 32 bits: over a fine grid of model values and a spread of
  // thicknesses that result never differs from the general power's.
  const float thicknesses[] = {0.3f, 0.5f,  1.0f, 1.5f,
                               2.0f, 3.17f, 6.0f, 25.4f};
  int differing = 0;
  for (int i = 0; i <= 200000; ++i) {
    const float m3 = -4.0f + 8.0f * static_cast<float>(i) / 200000.0f;
    const long double ours = PowerOfTen(m3);
    const long double reference = std::pow(10.0L, static_cast<long double>(m3));
    // At most the last bit of the extended result.
    EXPECT_NEAR(1.0L, ours / reference, 4 * LDBL_EPSILON) << m3;
    for (float t : thicknesses) {
      if (RoundToF32(ours * t / t) != RoundToF32(reference * t / t))
        ++differing;
    }
  }
  EXPECT_EQ(0, differing);
}

TEST(PowerOfTenTest, NonFiniteAndOutOfRangeLikePow) {
  EXPECT_TRUE(std::isnan(PowerOfTen(std::nanl(""))));
  EXPECT_EQ(HUGE_VALL, PowerOfTen(1e6L));
  EXPECT_EQ(0.0L, PowerOfTen(-1e6L));
  EXPECT_EQ(HUGE_VALL, PowerOfTen(HUGE_VALL));
  EXPECT_EQ(0.0L, PowerOfTen(-HUGE_VALL));
}

}  // namespace
}  // namespace bendpost
