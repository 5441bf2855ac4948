#include "generation/tooling_lookup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/record_testing.h"
#include "tests/generation/generation_test_support.h"

namespace bendpost::testing {
namespace {

class ToolingLookupTest : public GenerationTest {
 protected:
  BendMachineData Machine(ProgramHeader& header, const CPPStepInfo& step) {
    BendMachineData machine;
    GatherMachineData(header, job_, header.Setup, step, machine);
    return machine;
  }
  BendMaterialData Material(ProgramHeader& header, const CPPStepInfo& step) {
    BendMaterialData material;
    GatherMaterialData(header, job_, step, material);
    return material;
  }
};

TEST_F(ToolingLookupTest, MachineBlockInTableOrder) {
  AddWorkedExampleJob();
  store_->Machines[0].SetFrameTightness(0.25);
  store_->Setups[0].SetBendingCoefficient(1.5f);
  auto header = MakeHeader({WorkedStep(1)});
  const BendMachineData m = Machine(*header, WorkedStep(1));
  float values[8];
  m.ToArray(values);
  const float expected[8] = {0, 0.25f, 1000, 50, 3000, 1.5f, 1000, 1000};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(expected[i], values[i]) << i;
}

TEST_F(ToolingLookupTest, FrameFlagOnlyForControlsOtherThanTwoAndSeven) {
  AddWorkedExampleJob();
  auto header = MakeHeader({WorkedStep(1)});
  const struct {
    int control_type;
    float flag;
  } cases[] = {{7, 0}, {2, 0}, {0, 1}, {5, 1}, {-1, 1}};
  for (const auto& c : cases) {
    header->Control = ControlTypeOf(c.control_type);
    EXPECT_EQ(c.flag, Machine(*header, WorkedStep(1)).FrameFlag)
        << c.control_type;
  }
}

TEST_F(ToolingLookupTest, MaterialBlockInTableOrder) {
  AddWorkedExampleJob();
  auto header = MakeHeader({WorkedStep(1)});
  header->MaterialNumber = 3;
  header->HeaderThickness = 1.5f;
  header->Hardness = 33;
  CPPStepInfo step = WorkedStep(1, 120.5f);
  step.SetBendLength(1500, 0);
  const BendMaterialData m = Material(*header, step);
  float values[8];
  m.ToArray(values);
  const float expected[8] = {3, 1.5f, 16, 88, 2, 1.5f, 33, 120.5f};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(expected[i], values[i]) << i;
}

TEST_F(ToolingLookupTest, BendLengthInMetresIsFormedInDoublePrecision) {
  EXPECT_EQ(1.5f, BendLengthInMetres(1500));
  EXPECT_EQ(static_cast<float>(1234 * 0.001), BendLengthInMetres(1234));
  EXPECT_EQ(-0.001f, BendLengthInMetres(-1));
  EXPECT_EQ(0.0f, BendLengthInMetres(0));
}

TEST_F(ToolingLookupTest, ScaleByTenNarrowsBeforeMultiplying) {
  // 0.01 as a float is 0.00999999977...; times 10 in float arithmetic that
  // is 0.099999994, while the double product would give 0.1.
  EXPECT_EQ(0.099999994f, ScaleByTen(0.01));
  EXPECT_NE(static_cast<float>(0.01 * 10), ScaleByTen(0.01));
  EXPECT_EQ(1000.0f, ScaleByTen(100));
  EXPECT_EQ(-25.0f, ScaleByTen(-2.5));

  AddWorkedExampleJob();
  store_->Machines[0].SetMinTonnage(0.01);
  store_->Tools[0].SetPunchResistance(0.01f);
  auto header = MakeHeader({WorkedStep(1)});
  const BendMachineData m = Machine(*header, WorkedStep(1));
  EXPECT_EQ(0.099999994f, m.MinTonnage);
  EXPECT_EQ(0.099999994f, m.PunchLimit);
}

TEST_F(ToolingLookupTest, UnmatchedNamesGiveTheValuesOfNewRecords) {
  AddWorkedExampleJob();
  // The machine name is exact and case-sensitive; "d16" is not "D16".
  store_->Setups[0].SetUserMachineName("pb1");
  auto header = MakeHeader({WorkedStep(1)});
  CPPStepInfo step = MakeStep(StepTools{"P9", "d16"});
  step.SetBendLength(1000, 0);
  step.SetBendAngle(90);

  const BendMaterialData material = Material(*header, step);
  EXPECT_EQ(0.0f, material.VWidth);
  EXPECT_EQ(0.0f, material.DieAngle);
  EXPECT_EQ(0.0f, material.DieRadius);
  const BendMachineData machine = Machine(*header, step);
  EXPECT_EQ(0.0f, machine.FrameTightness);
  EXPECT_EQ(0.0f, machine.MaxTonnage);
  EXPECT_EQ(0.0f, machine.MinTonnage);
  EXPECT_EQ(0.0f, machine.MaxBendingLength);
  EXPECT_EQ(0.0f, machine.PunchLimit);
  EXPECT_EQ(0.0f, machine.DieLimit);
  // The setup's own value does not depend on a lookup.
  EXPECT_EQ(1.0f, machine.BendingCoefficient);
}

TEST_F(ToolingLookupTest, TheFirstOfTwoRecordsOfOneNameIsUsed) {
  AddWorkedExampleJob();
  AddDie("D16", 24, 30, 4, 55);
  AddMachine("PB1", 400, 40, 4000);
  auto header = MakeHeader({WorkedStep(1)});
  EXPECT_EQ(16.0f, Material(*header, WorkedStep(1)).VWidth);
  const BendMachineData m = Machine(*header, WorkedStep(1));
  EXPECT_EQ(1000.0f, m.DieLimit);
  EXPECT_EQ(3000.0f, m.MaxBendingLength);
}

TEST_F(ToolingLookupTest, ToolNamesAreReadUpToTheirFirstZeroByte) {
  AddWorkedExampleJob();
  const std::string long_name(32, 'W');
  AddDie(long_name.c_str(), 40);
  auto header = MakeHeader({WorkedStep(1)});

  // A name filling all 32 bytes has no terminator: all 32 bytes count.
  char ids[6][32] = {};
  std::memcpy(ids[1], long_name.data(), 32);
  CPPStepInfo step;
  step.SetToolID(ids);
  EXPECT_EQ(40.0f, Material(*header, step).VWidth);

  // Bytes after the first 0 byte are not part of the name.
  char short_ids[6][32] = {};
  std::memcpy(short_ids[1], "D16\0XYZ", 7);
  step.SetToolID(short_ids);
  EXPECT_EQ(16.0f, Material(*header, step).VWidth);
}

TEST_F(ToolingLookupTest, NothingIsChanged) {
  AddWorkedExampleJob();
  auto header = MakeHeader({WorkedStep(1)});
  CPPStepInfo step = WorkedStep(1);
  CPPSetup setup = header->Setup;
  BendMachineData machine;
  GatherMachineData(*header, job_, setup, step, machine);
  BendMaterialData material;
  GatherMaterialData(*header, job_, step, material);
  CPPStepInfo original = WorkedStep(1);
  EXPECT_TRUE(DifferingFields(original, step).empty());
  CPPSetup original_setup = store_->Setups[0];
  EXPECT_TRUE(DifferingFields(original_setup, setup).empty());
  EXPECT_EQ(1, store_->Machines.GetSize());
  EXPECT_EQ(2, store_->Tools.GetSize());
}

}  // namespace
}  // namespace bendpost::testing
