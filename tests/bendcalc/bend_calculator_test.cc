#include "bendcalc/bend_calculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "base/le_bytes.h"
#include "platform/path.h"
#include "platform/platform.h"
#include "testing/mem_file_system.h"
#include "tests/bendcalc/bendcalc_fixtures.h"

namespace bendpost {
namespace {

using testing::Encode;
using testing::Polynomial;
using testing::WorkedExampleMachine;
using testing::WorkedExampleMaterial;
using testing::WorkedExampleModels;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::string FileOf(const std::string& folder, int material) {
  return folder + PathSeparator() + "f_" + std::to_string(material);
}

struct Outcome {
  float depth = 0;
  float force = 0;
  int warning = 0;
  WarningCodes warnings{};
};

class BendCalculatorTest : public ::testing::Test {
 protected:
  BendCalculatorTest() {
    fs_.SetFile(FileOf("data", 1), Encode(WorkedExampleModels()));
  }

  void SetModels(int material, const MaterialModelSet& models) {
    fs_.SetFile(FileOf("data", material), Encode(models));
  }

  static Outcome Run(BendCalculator& calculator, const BendMaterialData& m,
                     const BendMachineData& k) {
    Outcome o;
    BendResult result;
    o.warnings.fill(0);
    calculator.Calculate(m, k, result, o.warnings);
    o.depth = result.Depth;
    o.force = result.Force;
    o.warning = o.warnings[0];
    return o;
  }
  Outcome Run(const BendMaterialData& m, const BendMachineData& k) {
    BendCalculator calculator(fs_, "data");
    return Run(calculator, m, k);
  }
  Outcome Run(const BendMaterialData& m) {
    return Run(m, WorkedExampleMachine());
  }

  // The worked example's depth less the bending coefficient term: the
  // punch travel to 88 degrees as a float.
  static float WorkedPunchTravel() {
    return RoundToF32(PunchTravel(DieHalfWidth(16, 88, 2), 2, 2, 88));
  }

  MemFileSystem fs_;
};

TEST(BendPiecesTest, ForceFactorInterpolatesAndHoldsItsEnds) {
  EXPECT_NEAR(1.324, ForceFactor(8), 1e-7);
  EXPECT_EQ(1.59f, ForceFactor(2.5));
  EXPECT_EQ(1.44f, ForceFactor(5));
  EXPECT_EQ(1.4f, ForceFactor(6.2f));
  EXPECT_EQ(1.19f, ForceFactor(20));
  EXPECT_NEAR((1.18 + 1.165) / 2, ForceFactor(27.5), 1e-7);
  // Outside the table: the factor of its end, no extrapolation.
  for (long double r : {2.4L, 1.0L, 0.0L, -5.0L, -1e30L})
    EXPECT_EQ(1.59f, ForceFactor(r)) << static_cast<double>(r);
  for (long double r : {30.0L, 31.0L, 1e30L, static_cast<long double>(kInf)})
    EXPECT_EQ(1.165f, ForceFactor(r)) << static_cast<double>(r);
}

TEST(BendPiecesTest, DieHalfWidthAndPunchTravelOfTheWorkedExample) {
  const float w = DieHalfWidth(16, 88, 2);
  EXPECT_NEAR(8.849, w, 5e-4);
  EXPECT_NEAR(7.405, PunchTravel(w, 2, 2, 88), 5e-4);
  // A square die (Ad 180) adds nothing to V/2.
  EXPECT_EQ(8.0f, DieHalfWidth(16, 180, 2));
  // At 180 degrees the travel is exactly 0, not a tiny rest of the 3.14159.
  EXPECT_EQ(0.0L, PunchTravel(w, 2, 2, 180));
  EXPECT_NE(0.0L, PunchTravel(w, 2, 2, 179.99f));
}

TEST(BendPiecesTest, DegreesBecomeRadiansWithTheDriversPi) {
  EXPECT_EQ(static_cast<long double>(3.14159 / 180), DegreesToRadians(1));
  EXPECT_EQ(static_cast<long double>(0.017453277777777776),
            DegreesToRadians(1));
}

TEST(BendGeometryTest, StatusesOfItsChecks) {
  struct Case {
    float rho, k, alpha;
    int status;
  };
  const Case cases[] = {
      {1, 0.4f, 90, 0},         // the worked example: all balances hold
      {0.01f, 0.15f, 176, 0},   // above 175 degrees: nothing is checked
      {0.5f, 0.5f, 90, 1},      // t < 0: rho replaced
      {1, 0.4f, 175, 1},        // 175 itself is checked
      {-2, 0.7f, 115, 2},       // u < 0
      {3e38f, 3.4e38f, 20, 3},  // w overflows to -inf; later checks see NaN
      {-2, 3, 43, 4},           // A < 0 (after status 1)
      {-3, -0.7f, 74, 5},       // h < 0 or B < 0
      {1000, 0.8f, 55, 6},      // area balance off by more than 0.001
      {4.3f, -3, 40, 7},        // elongation above 50 %
      {0.32f, 0.45f, 66, 7},    // status 1, then 7 replaces it
      {20000, 0.003f, 140, 8},  // length balance off by more than 0.001
  };
  for (const Case& c : cases) {
    const BendGeometryResult g = BendGeometry(c.rho, c.k, c.alpha);
    EXPECT_EQ(c.status, g.status)
        << "rho " << c.rho << " k " << c.k << " alpha " << c.alpha;
  }
}

TEST(BendGeometryTest, OnlyTheNegativeTCaseReplacesRho) {
  EXPECT_EQ(1.0f, BendGeometry(1, 0.4f, 90).rho);
  EXPECT_EQ(0.01f, BendGeometry(0.01f, 0.15f, 176).rho);
  // rho = sqrt(m) k, with m = beta co / (si - beta co) of beta = 45 degrees.
  EXPECT_NEAR(0.9565302, BendGeometry(0.5f, 0.5f, 90).rho, 1e-6);
  EXPECT_NEAR(0.7652242, BendGeometry(0, 0.4f, 90).rho, 1e-6);
  EXPECT_EQ(1, BendGeometry(0, 0.4f, 90).status);
  EXPECT_NEAR(0.6079672, BendGeometry(0.32f, 0.45f, 66).rho, 1e-6);
  EXPECT_EQ(4.3f, BendGeometry(4.3f, -3, 40).rho);
}

TEST(BendGeometryTest, NaNFailsEveryComparison) {
  const BendGeometryResult g = BendGeometry(kNaN, 0.4f, 90);
  EXPECT_EQ(0, g.status);
  EXPECT_TRUE(std::isnan(g.rho));
  EXPECT_EQ(0, BendGeometry(1, 0.4f, kNaN).status);
}

TEST_F(BendCalculatorTest, WorkedExample) {
  const Outcome o = Run(WorkedExampleMaterial());
  EXPECT_NEAR(7.4055, o.depth, 1e-4);
  EXPECT_NEAR(232.36, o.force, 0.01);
  EXPECT_EQ(0, o.warning);
  // The bending coefficient term is about 0.0003.
  EXPECT_NEAR(0.0003, o.depth - WorkedPunchTravel(), 0.00003);
  for (int i = 1; i < 16; ++i) EXPECT_EQ(0, o.warnings[i]);
}

TEST_F(BendCalculatorTest, WorkedExampleWithFrameTerm) {
  BendMachineData k = WorkedExampleMachine();
  k.FrameFlag = 1;
  k.FrameTightness = 0.001f;
  EXPECT_NEAR(7.6378, Run(WorkedExampleMaterial(), k).depth, 1e-4);
  // Only a flag of exactly 1 adds the term.
  const float plain = Run(WorkedExampleMaterial()).depth;
  for (float flag : {0.0f, 0.5f, 2.0f, -1.0f}) {
    k.FrameFlag = flag;
    EXPECT_EQ(plain, Run(WorkedExampleMaterial(), k).depth) << flag;
  }
}

TEST_F(BendCalculatorTest, WorkedExampleAtEightySevenDegrees) {
  BendMaterialData m = WorkedExampleMaterial();
  m.BendAngle = 87;  // theta 85, f 1.65
  const Outcome o = Run(m);
  EXPECT_NEAR(284.00, o.force, 0.01);
  EXPECT_EQ(0, o.warning);
}

TEST_F(BendCalculatorTest, DieAngleFactorAppliesUpToHalfADegreeAboveTheDie) {
  // theta 93 > Ad + 0.5: the force stays 1.3 F0, x 10 = 172.12.
  BendMaterialData m = WorkedExampleMaterial();
  m.BendAngle = 95;
  EXPECT_NEAR(172.12, Run(m).force, 0.01);
  // theta exactly Ad + 0.5: f = 0 x 0.1 + 1.3, and the force is multiplied
  // by it: 1.3 F0 x 1.3 x 10 = 223.756.
  m.BendAngle = 90.5f;  // theta 88.5
  EXPECT_NEAR(223.756, Run(m).force, 0.01);
  m.BendAngle = 90.51f;
  EXPECT_NEAR(172.12, Run(m).force, 0.01);
}

TEST_F(BendCalculatorTest, MaterialNumberZeroDoesNothing) {
  for (float n : {0.0f, 0.9f, -0.9f, kNaN}) {
    BendMaterialData m = WorkedExampleMaterial();
    m.MaterialNumber = n;
    const Outcome o = Run(m);
    EXPECT_EQ(0, o.warning) << n;
    EXPECT_EQ(0.0f, o.depth);
    EXPECT_EQ(0.0f, o.force);
  }
}

TEST_F(BendCalculatorTest, MaterialNumberOutsideOneToFourIsWarningThree) {
  for (float n : {5.0f, -1.0f, 4e9f, -kInf}) {
    BendMaterialData m = WorkedExampleMaterial();
    m.MaterialNumber = n;
    const Outcome o = Run(m);
    EXPECT_EQ(kWarningMaterialNumber, o.warning) << n;
    EXPECT_EQ(0.0f, o.depth);
    EXPECT_EQ(0.0f, o.force);
  }
}

TEST_F(BendCalculatorTest, EarlyStopsAndWhatTheyLeave) {
  BendMaterialData m = WorkedExampleMaterial();
  m.Thickness = 0;
  Outcome o = Run(m);
  EXPECT_EQ(0, o.warning);
  EXPECT_EQ(0.0f, o.depth);
  EXPECT_EQ(0.0f, o.force);

  // A die that was not found (V 0) or a negative V: warning 23, 0 and 0.
  for (float v : {0.0f, -0.0f, -16.0f}) {
    m = WorkedExampleMaterial();
    m.VWidth = v;
    o = Run(m);
    EXPECT_EQ(kWarningOpeningSmall, o.warning) << v;
    EXPECT_EQ(0.0f, o.depth);
    EXPECT_EQ(0.0f, o.force);
  }

  // Bend angle outside 20..180: depth 0, force 1.3 F0 = 17.212, unlimited
  // (the machine minimum of 50 is not applied).
  for (float alpha : {19.9f, 180.1f, 0.0f, -90.0f}) {
    m = WorkedExampleMaterial();
    m.BendAngle = alpha;
    o = Run(m);
    EXPECT_EQ(0, o.warning) << alpha;
    EXPECT_EQ(0.0f, o.depth) << alpha;
    EXPECT_NEAR(17.212, o.force, 1e-4) << alpha;
  }
  // The die opening warning set before the stop stays.
  m = WorkedExampleMaterial();
  m.BendAngle = 19.9f;
  m.VWidth = 6;
  EXPECT_EQ(kWarningOpeningSmall, Run(m).warning);
}

TEST_F(BendCalculatorTest, AnglesTwentyAndOneEightyAreCalculated) {
  BendMaterialData m = WorkedExampleMaterial();
  BendMachineData k = WorkedExampleMachine();
  k.PunchLimit = k.DieLimit = k.MaxTonnage = 1e6f;
  m.BendAngle = 20;
  EXPECT_GT(Run(m, k).depth, 0.0f);
  m.BendAngle = 180;
  EXPECT_NE(0.0f, Run(m, k).depth);
}

TEST_F(BendCalculatorTest, AtOneEightyTheCorrectionUsesFiftyTimesThickness) {
  // Springback 0 puts theta at 180: the punch travel is exactly 0, and a
  // depth correction polynomial limited to 1 gives y = 1 x 50 T x K2, not
  // 1 x rho T x K2. With Cb 0 the depth is exactly -y.
  MaterialModelSet set = WorkedExampleModels();
  set[kSpringback] = Polynomial(0);
  set[kDepthCorrection] = Polynomial(3);
  SetModels(1, set);
  BendMaterialData m = WorkedExampleMaterial();
  m.BendAngle = 180;
  BendMachineData k = WorkedExampleMachine();
  k.BendingCoefficient = 0;
  const float k2 = RoundToF32(1 / std::sin(DegreesToRadians(90)) - 1);
  ASSERT_GT(k2, 0.0f);  // the 3.14159 leaves K2 tiny but not 0
  const float y = RoundToF32(100.0L * k2);
  EXPECT_EQ(-y, Run(m, k).depth);
}

TEST_F(BendCalculatorTest, DieOpeningWarnings) {
  BendMaterialData m = WorkedExampleMaterial();
  m.VWidth = 6;  // ratio 3
  Outcome o = Run(m);
  EXPECT_EQ(kWarningOpeningSmall, o.warning);
  EXPECT_GT(o.depth, 0.0f);  // the calculation goes on
  // Ratio exactly 4 and exactly 20: no warning.
  BendMachineData k = WorkedExampleMachine();
  k.MinTonnage = 0;
  m.VWidth = 8;
  EXPECT_EQ(0, Run(m, k).warning);
  m.VWidth = 40;
  EXPECT_EQ(0, Run(m, k).warning);
  m.Thickness = 1;
  m.VWidth = 25;
  o = Run(m, k);
  EXPECT_EQ(kWarningOpeningLarge, o.warning);
  EXPECT_GT(o.force, 0.0f);
  // A negative thickness makes the ratio negative: below 4.
  m = WorkedExampleMaterial();
  m.Thickness = -2;
  EXPECT_EQ(kWarningOpeningSmall, Run(m, k).warning);
}

TEST_F(BendCalculatorTest, ForceLimitsAndTheirWarnings) {
  const BendMaterialData m = WorkedExampleMaterial();  // force 232.36
  BendMachineData k = WorkedExampleMachine();
  k.PunchLimit = 200;
  Outcome o = Run(m, k);
  EXPECT_EQ(kWarningAbovePunchLimit, o.warning);
  EXPECT_EQ(200.0f, o.force);

  k = WorkedExampleMachine();
  k.DieLimit = 200;
  o = Run(m, k);
  EXPECT_EQ(kWarningAboveDieLimit, o.warning);
  EXPECT_EQ(200.0f, o.force);

  // Above both: the smaller limit, with the code of the smaller one.
  k.PunchLimit = 200;
  k.DieLimit = 150;
  o = Run(m, k);
  EXPECT_EQ(kWarningAboveDieLimit, o.warning);
  EXPECT_EQ(150.0f, o.force);
  k.PunchLimit = 150;
  k.DieLimit = 200;
  o = Run(m, k);
  EXPECT_EQ(kWarningAbovePunchLimit, o.warning);
  EXPECT_EQ(150.0f, o.force);

  // The limits scale with the bend length in metres.
  k = WorkedExampleMachine();
  BendMaterialData half = m;
  half.BendLength = 0.5f;  // force 116.18, punch limit 0.5 x 200
  k.PunchLimit = 200;
  o = Run(half, k);
  EXPECT_EQ(kWarningAbovePunchLimit, o.warning);
  EXPECT_EQ(100.0f, o.force);

  k = WorkedExampleMachine();
  k.MaxTonnage = 200;
  o = Run(m, k);
  EXPECT_EQ(kWarningAboveMaxTonnage, o.warning);
  EXPECT_EQ(200.0f, o.force);

  k = WorkedExampleMachine();
  k.MinTonnage = 300;
  o = Run(m, k);
  EXPECT_EQ(kWarningBelowMinTonnage, o.warning);
  EXPECT_EQ(300.0f, o.force);
}

TEST_F(BendCalculatorTest, LastWarningSetWins) {
  BendMaterialData m = WorkedExampleMaterial();
  BendMachineData k = WorkedExampleMachine();
  // 23 from the opening is lost when the punch limit sets 53.
  m.VWidth = 6;
  k.PunchLimit = 200;
  EXPECT_EQ(kWarningAbovePunchLimit, Run(m, k).warning);
  // 24 is lost when the force falls below the minimum: 51.
  m = WorkedExampleMaterial();
  m.Thickness = 1;
  m.VWidth = 25;
  k = WorkedExampleMachine();
  Outcome o = Run(m, k);
  EXPECT_EQ(kWarningBelowMinTonnage, o.warning);
  EXPECT_EQ(50.0f, o.force);
  // 53, then the machine maximum: 52 with the maximum.
  m = WorkedExampleMaterial();
  k.PunchLimit = 200;
  k.MaxTonnage = 100;
  o = Run(m, k);
  EXPECT_EQ(kWarningAboveMaxTonnage, o.warning);
  EXPECT_EQ(100.0f, o.force);
  // 53, then below the minimum: 51 with the minimum.
  k = WorkedExampleMachine();
  k.PunchLimit = 40;
  o = Run(m, k);
  EXPECT_EQ(kWarningBelowMinTonnage, o.warning);
  EXPECT_EQ(50.0f, o.force);
  // Below the minimum ends the calculation: a minimum above the maximum
  // stays, without 52.
  k = WorkedExampleMachine();
  k.MinTonnage = 500;
  k.MaxTonnage = 400;
  o = Run(m, k);
  EXPECT_EQ(kWarningBelowMinTonnage, o.warning);
  EXPECT_EQ(500.0f, o.force);
}

TEST_F(BendCalculatorTest, ElongationAboveFiftyPercentIsWarningTwentyTwo) {
  // Inner radius 10^-2 T (rho 0.01), neutral factor 0.15, 28 degrees.
  MaterialModelSet set = WorkedExampleModels();
  set[kInnerRadius] = Polynomial(-2);
  set[kNeutralFactor] = Polynomial(0.15f);
  SetModels(1, set);
  ASSERT_EQ(7, BendGeometry(0.01f, 0.15f, 28).status);
  BendMaterialData m = WorkedExampleMaterial();
  m.BendAngle = 28;
  BendMachineData k = WorkedExampleMachine();
  k.PunchLimit = k.DieLimit = k.MaxTonnage = 1e5f;
  EXPECT_EQ(kWarningElongation, Run(m, k).warning);
  // Replaced by a later code: the punch limit of the worked example.
  EXPECT_EQ(kWarningAbovePunchLimit, Run(m).warning);
  // Above 175 degrees the check is skipped.
  m.BendAngle = 176;
  EXPECT_EQ(0, Run(m, k).warning);
}

TEST_F(BendCalculatorTest, ZeroDivisorsLeaveTheBendingCoefficientTermOut) {
  const float y = WorkedPunchTravel();
  BendMachineData k = WorkedExampleMachine();
  k.MaxTonnage = 0;
  Outcome o = Run(WorkedExampleMaterial(), k);
  EXPECT_EQ(y, o.depth);
  EXPECT_EQ(kWarningAboveMaxTonnage, o.warning);
  EXPECT_EQ(0.0f, o.force);

  k = WorkedExampleMachine();
  k.MaxBendingLength = 0;
  o = Run(WorkedExampleMaterial(), k);
  EXPECT_EQ(y, o.depth);
  EXPECT_NEAR(232.36, o.force, 0.01);

  BendMaterialData m = WorkedExampleMaterial();
  m.BendLength = 0;  // no force either: the machine minimum
  o = Run(m);
  EXPECT_EQ(y, o.depth);
  EXPECT_EQ(kWarningBelowMinTonnage, o.warning);
  EXPECT_EQ(50.0f, o.force);
}

TEST_F(BendCalculatorTest, NonFiniteResultBecomesZeroWithItsOwnWarning) {
  // A springback equal to the bend angle: the load angle is 0, the punch
  // travel infinite less infinite.
  MaterialModelSet set = WorkedExampleModels();
  set[kSpringback] = Polynomial(90);
  SetModels(1, set);
  Outcome o = Run(WorkedExampleMaterial());
  EXPECT_EQ(0.0f, o.depth);
  EXPECT_EQ(0.0f, o.force);
  EXPECT_EQ(kWarningNotCalculated, o.warning);
  SetModels(1, WorkedExampleModels());

  // An infinite strength makes F0 infinite; the early stop at 19.9 degrees
  // leaves the infinite 1.3 F0: the opening warning 24 set before is
  // replaced.
  BendMaterialData m = WorkedExampleMaterial();
  m.TensileStrength = kInf;
  m.BendAngle = 19.9f;
  m.Thickness = 1;
  m.VWidth = 25;
  o = Run(m);
  EXPECT_EQ(0.0f, o.depth);
  EXPECT_EQ(0.0f, o.force);
  EXPECT_EQ(kWarningNotCalculated, o.warning);
  // Infinite limits let an infinite force through to the end.
  m = WorkedExampleMaterial();
  m.TensileStrength = 3e38f;
  BendMachineData k = WorkedExampleMachine();
  k.PunchLimit = k.DieLimit = k.MaxTonnage = kInf;
  o = Run(m, k);
  EXPECT_EQ(0.0f, o.depth);
  EXPECT_EQ(0.0f, o.force);
  EXPECT_EQ(kWarningNotCalculated, o.warning);
  // The same strength with finite limits is clamped: finite, warning 53.
  o = Run(m);
  EXPECT_EQ(kWarningAbovePunchLimit, o.warning);
  EXPECT_EQ(1000.0f, o.force);
  EXPECT_TRUE(std::isfinite(o.depth));
}

TEST_F(BendCalculatorTest, DepthCorrectionPolynomialAtBendAngleLimitedToOne) {
  const float plain = Run(WorkedExampleMaterial()).depth;
  const float k2 = RoundToF32(1 / std::sin(DegreesToRadians(44)) - 1);
  MaterialModelSet set = WorkedExampleModels();
  // m4 = 0.5 + x: 0.5 at the bend angle 90 (x 0); D' = rho T = 2.
  set[kDepthCorrection] = Polynomial(0.5f, {{2, 1}});
  SetModels(1, set);
  EXPECT_NEAR(plain - 0.5 * 2 * k2, Run(WorkedExampleMaterial()).depth, 2e-6);
  // Any value above 1 counts as 1.
  set[kDepthCorrection] = Polynomial(7);
  SetModels(1, set);
  EXPECT_NEAR(plain - 2 * k2, Run(WorkedExampleMaterial()).depth, 2e-6);
}

TEST_F(BendCalculatorTest, DepthCorrectionTableAtTheLoadAngle) {
  const float plain = Run(WorkedExampleMaterial()).depth;
  // Value 0.5 everywhere; the last row at 89 degrees: the load angle 88
  // has a value (y = 0.5 T = 1), the bend angle 90 would not.
  MaterialModelSet set = WorkedExampleModels();
  MaterialModel& table = set[kDepthCorrection];
  table.ModelType = MaterialModel::kTable;
  for (int j = 1; j <= 10; ++j) table.ModelTable[j] = 2.0f * j;
  for (int i = 1; i <= 16; ++i) {
    table.ModelTable[i * 11] = 29.0f + 4 * i;  // 33 .. 93
    for (int j = 1; j <= 10; ++j) table.ModelTable[i * 11 + j] = 0.5f;
  }
  table.ModelTable[16 * 11] = 89;
  SetModels(1, set);
  EXPECT_NEAR(plain - 1, Run(WorkedExampleMaterial()).depth, 2e-6);
}

TEST_F(BendCalculatorTest, InnerRadiusModelTypes) {
  // A depth correction of 1 makes the depth show D' = rho T: y = D' K2.
  const float k2 = RoundToF32(1 / std::sin(DegreesToRadians(44)) - 1);
  const float k1 = RoundToF32(1 / std::sin(DegreesToRadians(45)) - 1);
  MaterialModelSet set = WorkedExampleModels();
  set[kDepthCorrection] = Polynomial(1);
  BendMachineData k = WorkedExampleMachine();
  k.BendingCoefficient = 0;
  const float travel = WorkedPunchTravel();

  // Polynomial: D = 10^v T; v = log10(1.5): rho 1.5.
  set[kInnerRadius] = Polynomial(static_cast<float>(std::log10(1.5)));
  SetModels(1, set);
  EXPECT_NEAR(travel - 1.5 * 2 * k2, Run(WorkedExampleMaterial(), k).depth,
              1e-5);

  // Table: D = value T / K1; value 0.5: rho = 0.5 / K1.
  MaterialModel& table = set[kInnerRadius];
  table = MaterialModel();
  table.ModelType = MaterialModel::kTable;
  for (int j = 1; j <= 10; ++j) table.ModelTable[j] = 2.0f * j;
  for (int i = 1; i <= 16; ++i) {
    table.ModelTable[i * 11] = 10.0f * i + 20;
    for (int j = 1; j <= 10; ++j) table.ModelTable[i * 11 + j] = 0.5f;
  }
  SetModels(1, set);
  const float rho = RoundToF32(0.5L / k1);
  ASSERT_NE(1, BendGeometry(rho, 0.4f, 90).status);  // rho is kept
  EXPECT_NEAR(travel - rho * 2 * k2, Run(WorkedExampleMaterial(), k).depth,
              1e-5);

  // No model: D = 0, rho = 0, which the bend zone check replaces
  // (status 1) by sqrt(m) k.
  set[kInnerRadius] = MaterialModel();
  SetModels(1, set);
  const float replaced = BendGeometry(0, 0.4f, 90).rho;
  EXPECT_NEAR(travel - replaced * 2 * k2, Run(WorkedExampleMaterial(), k).depth,
              1e-5);
}

TEST_F(BendCalculatorTest, NeutralFactorWithoutModelIsZero) {
  // With k = 0 the bend zone check sees t = 1 and keeps rho; the depth of
  // the worked example does not depend on k otherwise.
  MaterialModelSet set = WorkedExampleModels();
  set[kNeutralFactor] = MaterialModel();
  SetModels(1, set);
  const Outcome o = Run(WorkedExampleMaterial());
  EXPECT_NEAR(7.4055, o.depth, 1e-4);
  EXPECT_EQ(0, o.warning);
}

// Loading.

TEST(BendCalculatorNamesTest, FourNamesFromTheDataFolder) {
  MemFileSystem files;
  BendCalculator calculator(files, "C:\\jobs\\data");
  const std::string base = std::string("C:\\jobs\\data") + PathSeparator();
  for (int n = 1; n <= 4; ++n)
    EXPECT_EQ(base + "f_" + std::to_string(n), calculator.FileName(n).str());
  EXPECT_EQ("", calculator.FileName(0).str());
  EXPECT_EQ("", calculator.FileName(5).str());
  // No length limit.
  const std::string longer(300, 'd');
  BendCalculator long_path(files, longer.c_str());
  EXPECT_EQ(longer + PathSeparator() + "f_3", long_path.FileName(3).str());
  EXPECT_EQ(0, long_path.LoadedMaterial());
}

TEST_F(BendCalculatorTest, MaterialNumberIsTruncated) {
  ASSERT_TRUE(fs_.Remove(FileOf("data", 1)).ok());
  SetModels(2, WorkedExampleModels());
  SetModels(4, WorkedExampleModels());
  BendCalculator calculator(fs_, "data");
  BendMaterialData m = WorkedExampleMaterial();
  m.MaterialNumber = 2.9f;
  Outcome o = Run(calculator, m, WorkedExampleMachine());
  EXPECT_EQ(0, o.warning);
  EXPECT_NEAR(7.4055, o.depth, 1e-4);
  EXPECT_EQ(2, calculator.LoadedMaterial());
  m.MaterialNumber = 4.99f;
  EXPECT_EQ(0, Run(calculator, m, WorkedExampleMachine()).warning);
  EXPECT_EQ(4, calculator.LoadedMaterial());
  m.MaterialNumber = 1.5f;  // f_1 is missing
  EXPECT_EQ(kWarningMaterialFile,
            Run(calculator, m, WorkedExampleMachine()).warning);
}

TEST_F(BendCalculatorTest, MissingFileIsWarningTen) {
  BendMaterialData m = WorkedExampleMaterial();
  m.MaterialNumber = 3;
  BendCalculator calculator(fs_, "data");
  const Outcome o = Run(calculator, m, WorkedExampleMachine());
  EXPECT_EQ(kWarningMaterialFile, o.warning);
  EXPECT_EQ(0.0f, o.depth);
  EXPECT_EQ(0.0f, o.force);
  EXPECT_EQ(0, calculator.LoadedMaterial());
}

// A file system whose files exist but cannot be opened.
class UnopenableFileSystem : public MemFileSystem {
 public:
  Status OpenForRead(const std::string& path, std::unique_ptr<File>*) override {
    return Status::Error("cannot open " + path + ": Permission denied");
  }
};

TEST(BendCalculatorLoadTest, FileThatCannotBeOpenedIsWarningTen) {
  UnopenableFileSystem fs;
  fs.SetFile(FileOf("data", 1), Encode(WorkedExampleModels()));
  BendCalculator calculator(fs, "data");
  BendResult result;
  WarningCodes warnings{};
  calculator.Calculate(WorkedExampleMaterial(), WorkedExampleMachine(), result,
                       warnings);
  EXPECT_EQ(kWarningMaterialFile, warnings[0]);
  EXPECT_EQ(0.0f, result.Depth);
  EXPECT_EQ(0.0f, result.Force);
}

TEST_F(BendCalculatorTest, FileTruncatedAnywhereIsWarningTen) {
  const std::string bytes = Encode(testing::MixedModels());
  for (size_t length = 0; length < bytes.size(); ++length) {
    fs_.SetFile(FileOf("data", 1), bytes.substr(0, length));
    BendCalculator calculator(fs_, "data");
    const Outcome o =
        Run(calculator, WorkedExampleMaterial(), WorkedExampleMachine());
    ASSERT_EQ(kWarningMaterialFile, o.warning) << "length " << length;
    EXPECT_EQ(0.0f, o.depth);
    EXPECT_EQ(0.0f, o.force);
    EXPECT_EQ(0, calculator.LoadedMaterial());
  }
  fs_.SetFile(FileOf("data", 1), bytes);
  EXPECT_NE(kWarningMaterialFile, Run(WorkedExampleMaterial()).warning);
}

TEST_F(BendCalculatorTest, BadTermCountIsWarningTen) {
  for (int count : {-1, 11, 32767}) {
    std::string bytes = Encode(WorkedExampleModels()) + std::string(100, '\0');
    PutI16(reinterpret_cast<uint8_t*>(bytes.data()) + 6,
           static_cast<int16_t>(count));  // Springback's TermCount
    fs_.SetFile(FileOf("data", 1), bytes);
    EXPECT_EQ(kWarningMaterialFile, Run(WorkedExampleMaterial()).warning)
        << count;
  }
}

TEST_F(BendCalculatorTest, SameMaterialIsNotReloaded) {
  BendCalculator calculator(fs_, "data");
  const Outcome first =
      Run(calculator, WorkedExampleMaterial(), WorkedExampleMachine());
  EXPECT_EQ(1, calculator.LoadedMaterial());
  // Another springback in the file, then no file at all: the loaded models
  // are used as they are.
  MaterialModelSet set = WorkedExampleModels();
  set[kSpringback] = Polynomial(5);
  SetModels(1, set);
  EXPECT_EQ(
      first.depth,
      Run(calculator, WorkedExampleMaterial(), WorkedExampleMachine()).depth);
  ASSERT_TRUE(fs_.Remove(FileOf("data", 1)).ok());
  const Outcome again =
      Run(calculator, WorkedExampleMaterial(), WorkedExampleMachine());
  EXPECT_EQ(0, again.warning);
  EXPECT_EQ(first.depth, again.depth);
  EXPECT_EQ(first.force, again.force);
}

TEST_F(BendCalculatorTest, FailedLoadKeepsThePreviousMaterial) {
  MaterialModelSet other = WorkedExampleModels();
  other[kSpringback] = Polynomial(5);
  SetModels(2, other);
  BendCalculator calculator(fs_, "data");
  BendMaterialData m = WorkedExampleMaterial();
  const float depth1 = Run(calculator, m, WorkedExampleMachine()).depth;
  m.MaterialNumber = 3;  // missing
  EXPECT_EQ(kWarningMaterialFile,
            Run(calculator, m, WorkedExampleMachine()).warning);
  m.MaterialNumber = 7;
  EXPECT_EQ(kWarningMaterialNumber,
            Run(calculator, m, WorkedExampleMachine()).warning);
  EXPECT_EQ(1, calculator.LoadedMaterial());
  ASSERT_TRUE(fs_.Remove(FileOf("data", 1)).ok());
  m.MaterialNumber = 1;
  EXPECT_EQ(depth1, Run(calculator, m, WorkedExampleMachine()).depth);
  // Another material is read from its own file.
  m.MaterialNumber = 2;
  const Outcome o = Run(calculator, m, WorkedExampleMachine());
  EXPECT_EQ(2, calculator.LoadedMaterial());
  EXPECT_NE(depth1, o.depth);
}

TEST_F(BendCalculatorTest, CalculateClearsTheResultAndOnlyElementZero) {
  BendCalculator calculator(fs_, "data");
  BendResult result;
  result.Depth = 99;
  result.Force = 99;
  WarningCodes warnings;
  warnings.fill(77);
  BendMaterialData m = WorkedExampleMaterial();
  m.MaterialNumber = 0;
  calculator.Calculate(m, WorkedExampleMachine(), result, warnings);
  EXPECT_EQ(0.0f, result.Depth);
  EXPECT_EQ(0.0f, result.Force);
  EXPECT_EQ(0, warnings[0]);
  for (int i = 1; i < 16; ++i) EXPECT_EQ(77, warnings[i]);
}

TEST(BendDataTest, BlocksConvertToAndFromEightFloatsInOrder) {
  const float in[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const BendMaterialData m = BendMaterialData::FromArray(in);
  EXPECT_EQ(1, m.MaterialNumber);
  EXPECT_EQ(2, m.Thickness);
  EXPECT_EQ(3, m.VWidth);
  EXPECT_EQ(4, m.DieAngle);
  EXPECT_EQ(5, m.DieRadius);
  EXPECT_EQ(6, m.BendLength);
  EXPECT_EQ(7, m.TensileStrength);
  EXPECT_EQ(8, m.BendAngle);
  const BendMachineData k = BendMachineData::FromArray(in);
  EXPECT_EQ(1, k.FrameFlag);
  EXPECT_EQ(2, k.FrameTightness);
  EXPECT_EQ(3, k.MaxTonnage);
  EXPECT_EQ(4, k.MinTonnage);
  EXPECT_EQ(5, k.MaxBendingLength);
  EXPECT_EQ(6, k.BendingCoefficient);
  EXPECT_EQ(7, k.PunchLimit);
  EXPECT_EQ(8, k.DieLimit);
  float out[8] = {};
  m.ToArray(out);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(in[i], out[i]);
  k.ToArray(out);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(in[i], out[i]);
}

}  // namespace
}  // namespace bendpost
