// Defaults and copy semantics of the tool, setup, machine and back-gauge
// records (the step record has its own file).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "bendpost/bendpost.h"
#include "support/record_testing.h"

namespace {

using ::bendpost::testing::DifferingFields;
using ::bendpost::testing::FillEveryField;
using ::bendpost::testing::NonZeroFields;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

// Number of fields (accessor stems) of each record.
template <typename Record>
struct RecordInfo;
template <>
struct RecordInfo<CPPTool> {
  static constexpr size_t kFields = 38;
};
template <>
struct RecordInfo<CPPSetup> {
  static constexpr size_t kFields = 6;
};
template <>
struct RecordInfo<CPPMachine> {
  static constexpr size_t kFields = 43;
};
template <>
struct RecordInfo<CPPBGauge> {
  static constexpr size_t kFields = 28;
};

template <typename Record>
class RecordCopyTest : public ::testing::Test {};
using RecordTypes = ::testing::Types<CPPTool, CPPSetup, CPPMachine, CPPBGauge>;
TYPED_TEST_SUITE(RecordCopyTest, RecordTypes);

TYPED_TEST(RecordCopyTest, CopyConstructionAndAssignmentCopyEveryField) {
  // Heap-allocated: a machine record is about 100 KB.
  auto source = std::make_unique<TypeParam>();
  FillEveryField(*source, 1);
  auto fresh = std::make_unique<TypeParam>();
  EXPECT_EQ(RecordInfo<TypeParam>::kFields,
            DifferingFields(*source, *fresh).size());

  auto constructed = std::make_unique<TypeParam>(*source);
  EXPECT_THAT(DifferingFields(*constructed, *source), IsEmpty());

  auto assigned = std::make_unique<TypeParam>();
  FillEveryField(*assigned, 2);
  EXPECT_THAT(DifferingFields(*assigned, *source), Not(IsEmpty()));
  TypeParam& result = (*assigned = *source);
  EXPECT_EQ(assigned.get(), &result);
  EXPECT_THAT(DifferingFields(*assigned, *source), IsEmpty());
}

TYPED_TEST(RecordCopyTest, SelfAssignmentChangesNothing) {
  auto record = std::make_unique<TypeParam>();
  FillEveryField(*record, 3);
  auto expected = std::make_unique<TypeParam>(*record);
  TypeParam& alias = *record;
  TypeParam& result = (*record = alias);
  EXPECT_EQ(record.get(), &result);
  EXPECT_THAT(DifferingFields(*record, *expected), IsEmpty());
}

TEST(RecordDefaultsTest, NewToolIsAllZeroAndEmpty) {
  CPPTool tool;
  EXPECT_THAT(NonZeroFields(tool), IsEmpty());
  EXPECT_STREQ("", tool.GetToolName());
}

TEST(RecordDefaultsTest, NewSetupHasControlTypeSevenAndNothingElse) {
  CPPSetup setup;
  EXPECT_EQ(7, setup.GetControlType());
  EXPECT_THAT(NonZeroFields(setup), ElementsAre("ControlType"));
}

TEST(RecordDefaultsTest, NewMachineHasOnlyItsTwoFlagsSet) {
  auto machine = std::make_unique<CPPMachine>();
  EXPECT_TRUE(machine->GetLengthUnit());
  EXPECT_TRUE(machine->GetclampAtCerter());
  EXPECT_THAT(NonZeroFields(*machine),
              ElementsAre("LengthUnit", "clampAtCerter"));
}

TEST(RecordDefaultsTest, NewBackGaugeIsAllZeroAndEmpty) {
  CPPBGauge gauge;
  EXPECT_THAT(NonZeroFields(gauge), IsEmpty());
}

TEST(ToolProfileTest, ProfileCopiesAllSixtyFourPointsWhateverTheCount) {
  double points[64][2];
  for (int i = 0; i < 64; ++i) {
    points[i][0] = i + 0.25;
    points[i][1] = -i - 0.5;
  }
  CPPTool tool;
  tool.SetNumProfilePoint(3);
  tool.SetProfile(points);
  double out[64][2] = {};
  tool.GetProfile(out);
  EXPECT_EQ(63.25, out[63][0]);
  EXPECT_EQ(-63.5, out[63][1]);
  EXPECT_EQ(0, std::memcmp(points, out, sizeof points));
}

TEST(MachineProfileTest, BeamProfilesRoundTripAllBlocksAndPoints) {
  auto machine = std::make_unique<CPPMachine>();
  auto profile = std::make_unique<double[][64][3]>(32);
  for (int b = 0; b < 32; ++b)
    for (int p = 0; p < 64; ++p)
      for (int c = 0; c < 3; ++c)
        profile[b][p][c] = b * 1000 + p * 10 + c + 0.5;
  machine->SetBlockInUpBeam(2);
  machine->SetUpBeamProfile(profile.get());
  auto out = std::make_unique<double[][64][3]>(32);
  machine->GetUpBeamProfile(out.get());
  EXPECT_EQ(31 * 1000 + 63 * 10 + 2 + 0.5, out[31][63][2]);
  EXPECT_EQ(
      0, std::memcmp(profile.get(), out.get(), sizeof(double) * 32 * 64 * 3));
  // The lower beam is a separate field.
  machine->GetLowBeamProfile(out.get());
  EXPECT_EQ(0.0, out[31][63][2]);
}

TEST(BackGaugeTest, FingerHeightsTakeIntegersAndReturnDoubles) {
  CPPBGauge gauge;
  gauge.SetFingerHLeft(12);
  gauge.SetFingerHRight(-7);
  EXPECT_EQ(12.0, gauge.GetFingerHLeft());
  EXPECT_EQ(-7.0, gauge.GetFingerHRight());
}

}  // namespace
