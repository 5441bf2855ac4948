#include "bendpost/step_info.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "support/record_testing.h"

namespace {

using ::bendpost::testing::DifferingFields;
using ::bendpost::testing::FillEveryField;
using ::bendpost::testing::NonZeroFields;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr float kInch = 25.4f;  // the 32-bit factor of the step setters

// Reaches the protected getter.
class StepProbe : public CPPStepInfo {
 public:
  using CPPStepInfo::GetBendInnerRadius;
};

TEST(StepInfoDefaultsTest, NewStepHasTheDocumentedDefaultsAndZeroElsewhere) {
  CPPStepInfo step;
  EXPECT_EQ(7, step.GetControlType());
  EXPECT_EQ(251, step.GetODC());
  EXPECT_EQ(8, step.GetBendingSpeed());
  EXPECT_EQ(0.2f, step.GetDwellEndBend());
  EXPECT_STREQ("000000", step.GetAuxFunc());
  // Everything else, BendLength and RayID included, starts at 0.
  EXPECT_THAT(NonZeroFields(step),
              ElementsAre("AuxFunc", "ControlType", "DwellEndBend", "ODC",
                          "BendingSpeed"));
  EXPECT_EQ(0.0f, StepProbe().GetBendInnerRadius());
}

TEST(StepInfoBendTypeTest, CoiningTypesSetCoiningFlagAndModeOthersClearOrKeep) {
  CPPStepInfo step;
  step.SetBendType(2);
  EXPECT_EQ(1, step.GetCoiningFlag());
  EXPECT_EQ(1, step.GetMode());
  step.SetBendType(3);
  EXPECT_EQ(0, step.GetCoiningFlag());
  EXPECT_EQ(0, step.GetMode());
  for (int type : {4, 6}) {
    step.SetBendType(0);
    step.SetBendType(type);
    EXPECT_EQ(1, step.GetMode()) << type;
    EXPECT_EQ(1, step.GetCoiningFlag()) << type;
  }
  for (int type : {0, 1, 5}) {
    step.SetBendType(2);
    step.SetBendType(type);
    EXPECT_EQ(0, step.GetMode()) << type;
    EXPECT_EQ(0, step.GetCoiningFlag()) << type;
  }
  // Types outside the table keep what was there, even mixed values.
  step.SetCoiningFlag(1);
  step.SetMode(0);
  for (int type : {9, 7, -1}) {
    step.SetBendType(type);
    EXPECT_EQ(type, step.GetBendType());
    EXPECT_EQ(1, step.GetCoiningFlag()) << type;
    EXPECT_EQ(0, step.GetMode()) << type;
  }
}

TEST(StepInfoConversionTest, StepValueIsWholeMillimetresOrCutInchesTimes254) {
  CPPStepInfo step;
  step.SetStepValue(3.7f, 0);
  EXPECT_EQ(3.0f, step.GetStepValue());
  step.SetStepValue(-3.7f, 0);
  EXPECT_EQ(-3.0f, step.GetStepValue());
  step.SetStepValue(0.12345f, 1);
  EXPECT_EQ(static_cast<float>(123 * 0.001 * kInch), step.GetStepValue());
  EXPECT_NEAR(3.1242, step.GetStepValue(), 1e-5);
  // 0.7 inch keeps its 0.700 (not 0.699).
  step.SetStepValue(0.7f, 1);
  EXPECT_EQ(static_cast<float>(700 * 0.001 * kInch), step.GetStepValue());
}

TEST(StepInfoConversionTest, BendLengthRoundsHalfUpToWholeMillimetres) {
  CPPStepInfo step;
  step.SetBendLength(12.5f, 0);
  EXPECT_EQ(13, step.GetBendLength());
  step.SetBendLength(12.49f, 0);
  EXPECT_EQ(12, step.GetBendLength());
  step.SetBendLength(1.0f, 1);
  EXPECT_EQ(25, step.GetBendLength());
  // 7.5 inch: the 32-bit product is 190.5 mm, which rounds up.
  step.SetBendLength(7.5f, 1);
  EXPECT_EQ(191, step.GetBendLength());
  // Inch values are cut to tenths first: 7.59 is 7.5.
  step.SetBendLength(7.59f, 1);
  EXPECT_EQ(191, step.GetBendLength());
  step.SetBendLength(0.09f, 1);
  EXPECT_EQ(0, step.GetBendLength());
}

TEST(StepInfoConversionTest, BendLengthKeepsTheLowSixteenBitsAndSaturates) {
  CPPStepInfo step;
  step.SetBendLength(40000.0f, 0);
  EXPECT_EQ(static_cast<short>(40000 - 65536), step.GetBendLength());
  step.SetBendLength(70000.0f, 0);
  EXPECT_EQ(70000 - 65536, step.GetBendLength());
  // Beyond the 32-bit range the integer is INT32_MAX, whose low bits are -1.
  step.SetBendLength(1e10f, 0);
  EXPECT_EQ(-1, step.GetBendLength());
  step.SetBendLength(-1e10f, 0);
  EXPECT_EQ(0, step.GetBendLength());  // low 16 bits of INT32_MIN
  // Negative values are cut toward zero after adding 0.5.
  step.SetBendLength(-12.7f, 0);
  EXPECT_EQ(-12, step.GetBendLength());
}

TEST(StepInfoConversionTest, OdcRoundsHalfUpToWholeMillimetres) {
  CPPStepInfo step;
  step.SetODC(250.5f, 0);
  EXPECT_EQ(251, step.GetODC());
  step.SetODC(250.49f, 0);
  EXPECT_EQ(250, step.GetODC());
  step.SetODC(10.0f, 1);
  EXPECT_EQ(254, step.GetODC());
  step.SetODC(7.5f, 1);
  EXPECT_EQ(191, step.GetODC());
  // No cut to tenths for the ODC: 0.02 inch is 0.508 mm.
  step.SetODC(0.02f, 1);
  EXPECT_EQ(1, step.GetODC());
  step.SetODC(1e10f, 0);  // defined: saturated, then low 16 bits
  EXPECT_EQ(0, step.GetODC());
}

TEST(StepInfoConversionTest,
     RetractStrokeAndOffsetKeepTenthsOrHundredthsOfInch) {
  CPPStepInfo step;
  step.SetRetractStroke(10.27f, 0);
  EXPECT_EQ(static_cast<float>(102 * 0.1), step.GetRetractStroke());
  step.SetOffset(1.239f, 1);
  EXPECT_EQ(static_cast<float>(123 * 0.01 * kInch), step.GetOffset());
  EXPECT_NEAR(31.242, step.GetOffset(), 1e-4);
  step.SetRetractStroke(1.239f, 1);
  EXPECT_EQ(step.GetOffset(), step.GetRetractStroke());
  step.SetOffset(-10.27f, 0);
  EXPECT_EQ(static_cast<float>(-102 * 0.1), step.GetOffset());
  // The decimal value is cut, not the float's binary neighbour below it.
  step.SetOffset(0.7f, 0);
  EXPECT_EQ(0.7f, step.GetOffset());
  step.SetRetractStroke(0.29f, 1);
  EXPECT_EQ(static_cast<float>(29 * 0.01 * kInch), step.GetRetractStroke());
}

TEST(StepInfoConversionTest, BendingSpeedDependsOnControlType) {
  CPPStepInfo step;
  step.SetControlType(0);
  step.SetBendingSpeed(10.0, 1);
  EXPECT_EQ(10, step.GetBendingSpeed());
  step.SetBendingSpeed(10.9, 0);
  EXPECT_EQ(10, step.GetBendingSpeed());
  step.SetControlType(7);
  step.SetBendingSpeed(10.0, 1);
  EXPECT_EQ(254, step.GetBendingSpeed());
  step.SetBendingSpeed(12.5, 0);
  EXPECT_EQ(13, step.GetBendingSpeed());
  step.SetBendingSpeed(12.4, 0);
  EXPECT_EQ(12, step.GetBendingSpeed());
  // The 0.00001 nudge lifts values just below the half.
  step.SetBendingSpeed(12.499995, 0);
  EXPECT_EQ(13, step.GetBendingSpeed());
  step.SetControlType(2);
  step.SetBendingSpeed(0.5, 1);  // 12.7 mm
  EXPECT_EQ(13, step.GetBendingSpeed());
}

TEST(StepInfoConversionTest, AnyUnitFlagButOneIsMillimetres) {
  for (int unit : {0, 2, -1}) {
    CPPStepInfo step;
    step.SetStepValue(3.7f, unit);
    EXPECT_EQ(3.0f, step.GetStepValue()) << unit;
    step.SetBendLength(7.5f, unit);
    EXPECT_EQ(8, step.GetBendLength()) << unit;
    step.SetODC(10.0f, unit);
    EXPECT_EQ(10, step.GetODC()) << unit;
    step.SetRetractStroke(10.27f, unit);
    EXPECT_EQ(static_cast<float>(102 * 0.1), step.GetRetractStroke()) << unit;
    step.SetOffset(1.239f, unit);
    EXPECT_EQ(static_cast<float>(12 * 0.1), step.GetOffset()) << unit;
    step.SetBendingSpeed(10.0, unit);
    EXPECT_EQ(10, step.GetBendingSpeed()) << unit;
  }
}

TEST(StepInfoBendingDepthTest, ClearsBothDepthsAndIgnoresItsArgument) {
  CPPStepInfo step;
  step.SetY1(-4.5f);
  step.SetY2(-4.25f);
  step.SetBendingDepth(5.0f);
  EXPECT_EQ(0.0f, step.GetY1());
  EXPECT_EQ(0.0f, step.GetY2());
}

TEST(StepInfoArrayTest, ToolIdsCopyAllBytesWithoutAddingTerminators) {
  char ids[6][32];
  std::memset(ids, 'x', sizeof ids);  // no terminator anywhere
  std::memcpy(ids[0], "P88\0junk", 8);
  CPPStepInfo step;
  step.SetToolID(ids);
  char out[6][32] = {};
  step.GetToolID(out);
  EXPECT_EQ(0, std::memcmp(ids, out, sizeof ids));
}

TEST(StepInfoArrayTest, NullArrayPointersCopyNothing) {
  CPPStepInfo step;
  FillEveryField(step, 3);
  CPPStepInfo before(step);
  step.SetXX(nullptr);
  step.SetToolID(nullptr);
  step.SetTollReverse(nullptr);
  step.SetRayID(nullptr);
  step.GetYY(nullptr);
  step.GetToolID(nullptr);
  EXPECT_THAT(DifferingFields(step, before), IsEmpty());
}

TEST(StepInfoCopyTest, CopiesEveryFieldAndSurvivesSelfAssignment) {
  CPPStepInfo source;
  FillEveryField(source, 4);
  CPPStepInfo fresh;
  // Every field was changed by the fill (46 accessor stems).
  EXPECT_EQ(46u, DifferingFields(source, fresh).size());

  CPPStepInfo constructed(source);
  EXPECT_THAT(DifferingFields(constructed, source), IsEmpty());

  CPPStepInfo assigned;
  FillEveryField(assigned, 5);
  CPPStepInfo& result = (assigned = source);
  EXPECT_EQ(&assigned, &result);
  EXPECT_THAT(DifferingFields(assigned, source), IsEmpty());

  CPPStepInfo& alias = assigned;
  assigned = alias;
  EXPECT_THAT(DifferingFields(assigned, source), IsEmpty());

  // Copies are independent.
  constructed.SetAuxFunc("123456");
  double xx[4] = {9, 9, 9, 9};
  constructed.SetXX(xx);
  EXPECT_THAT(DifferingFields(constructed, source),
              ElementsAre("AuxFunc", "XX"));
}

}  // namespace
