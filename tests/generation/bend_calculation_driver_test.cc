// CalculateBendData: one step's depth, tonnage and warning.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bendcalc/bend_calculator.h"
#include "testing/fault_file_system.h"
#include "tests/generation/generation_test_support.h"

namespace bendpost::testing {
namespace {

class BendCalculationDriverTest : public GenerationTest {
 protected:
  BendCalculationDriverTest() { AddWorkedExampleJob(); }

  // Calculates `step` with a dialog of the current job.
  CPPStepInfo Calculate(CPPStepInfo step) {
    auto header = MakeHeader({step});
    CalculateBendData(*header, Context(), header->Setup, step);
    return step;
  }
  // What the calculator itself gives for the blocks the dialog gathers.
  BendResult Direct(const CPPStepInfo& step, int* warning = nullptr) {
    auto header = MakeHeader({step});
    BendMaterialData material;
    BendMachineData machine;
    GatherMaterialData(*header, job_, step, material);
    GatherMachineData(*header, job_, header->Setup, step, machine);
    BendCalculator calculator(files_, store_->DataPath);
    BendResult result;
    WarningCodes warnings{};
    calculator.Calculate(material, machine, result, warnings);
    if (warning != nullptr) *warning = warnings[0];
    return result;
  }
  static float Corrected(float force, int s, long double length = 3000) {
    return static_cast<float>(static_cast<long double>(force) * (length + s) /
                              length);
  }
};

TEST_F(BendCalculationDriverTest, NegatedDepthInBothYAndForceAsTonnage) {
  const CPPStepInfo step = Calculate(WorkedStep(1));
  const BendResult direct = Direct(WorkedStep(1));
  EXPECT_NEAR(kWorkedDepth, direct.Depth, 1e-3);
  EXPECT_NEAR(kWorkedForce, direct.Force, 1e-2);
  EXPECT_EQ(-direct.Depth, step.GetY1());
  EXPECT_EQ(-direct.Depth, step.GetY2());
  EXPECT_EQ(direct.Force, step.GetTonnageValue());
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(BendCalculationDriverTest, OffCentreCorrectionUsesTwiceTheOffsetCut) {
  const float force = Direct(WorkedStep(1)).Force;
  const struct {
    float offset;
    int s;
  } cases[] = {{0, 0},    {0.4f, 0}, {-0.4f, 0}, {-3.2f, 6},
               {2.5f, 5}, {10, 20},  {-10, 20}};
  for (const auto& c : cases) {
    CPPStepInfo step = WorkedStep(1);
    step.SetOffset(c.offset, 0);
    EXPECT_EQ(Corrected(force, c.s), Calculate(step).GetTonnageValue())
        << c.offset;
  }
  // 232.36 x 3020 / 3000.
  CPPStepInfo step = WorkedStep(1);
  step.SetOffset(10, 0);
  EXPECT_NEAR(233.91, Calculate(step).GetTonnageValue(), 0.01);
}

TEST_F(BendCalculationDriverTest, CorrectionIsSkippedWithoutALengthToScaleBy) {
  CPPStepInfo step = WorkedStep(1);
  step.SetOffset(10, 0);

  // A maximum bending length of 0: the calculated force stays.
  store_->Machines[0].SetMaxBendingLength(0);
  const float at_zero_length = Calculate(step).GetTonnageValue();
  EXPECT_EQ(Direct(step).Force, at_zero_length);
  EXPECT_TRUE(std::isfinite(at_zero_length));

  // No machine of the setup's name: no division by zero either.
  store_->Machines[0].SetMaxBendingLength(3000);
  store_->Setups[0].SetUserMachineName("PB9");
  const CPPStepInfo without_machine = Calculate(step);
  EXPECT_EQ(Direct(step).Force, without_machine.GetTonnageValue());
  EXPECT_FALSE(std::isnan(without_machine.GetTonnageValue()));
}

TEST_F(BendCalculationDriverTest, DepthZeroIsWrittenAsNegativeZero) {
  // Material 4 (S.S.) has no data file: warning 10, nothing calculated.
  store_->MaterialCode = 5;
  const CPPStepInfo step = Calculate(WorkedStep(3));
  EXPECT_EQ(0.0f, step.GetY1());
  EXPECT_TRUE(std::signbit(step.GetY1()));
  EXPECT_TRUE(std::signbit(step.GetY2()));
  EXPECT_EQ(0.0f, step.GetTonnageValue());
  EXPECT_EQ(
      std::vector<std::string>{WarningText(3, strings::kMaterialNotSupported)},
      MessageTexts());
  EXPECT_EQ(MessageIcon::kNone, ui_.messages()[0].icon);
}

TEST_F(BendCalculationDriverTest, EveryHostValueOfTheStepIsOverwritten) {
  CPPStepInfo step = WorkedStep(1);
  step.SetY1(-99);
  step.SetY2(-98);
  step.SetTonnageValue(77);
  store_->MaterialCode = 5;  // nothing calculated: the zeros are written
  const CPPStepInfo calculated = Calculate(step);
  EXPECT_EQ(0.0f, calculated.GetY1());
  EXPECT_EQ(0.0f, calculated.GetY2());
  EXPECT_EQ(0.0f, calculated.GetTonnageValue());
}

TEST_F(BendCalculationDriverTest, MinimumTonnageWarningIsWithdrawnWhenMet) {
  // Minimum 30 (300 on the force scale) is above the force of 232.36: the
  // calculation warns 51 and raises the force to 300. A correction factor
  // of 1 or more keeps it there, so the warning is withdrawn.
  store_->Machines[0].SetMinTonnage(30);
  int warning = 0;
  EXPECT_EQ(300.0f, Direct(WorkedStep(1), &warning).Force);
  EXPECT_EQ(kWarningBelowMinTonnage, warning);
  CPPStepInfo step = WorkedStep(1);
  step.SetOffset(10, 0);
  const CPPStepInfo calculated = Calculate(step);
  EXPECT_EQ(Corrected(300, 20), calculated.GetTonnageValue());
  EXPECT_TRUE(ui_.messages().empty());

  // Only a factor below 1 (here a negative machine length) leaves the
  // tonnage below the minimum, and then the warning stands.
  store_->Machines[0].SetMaxBendingLength(-3000);
  const CPPStepInfo below = Calculate(step);
  EXPECT_LT(below.GetTonnageValue(), 300.0f);
  EXPECT_EQ(
      std::vector<std::string>{WarningText(1, strings::kForceBelowMachineMin)},
      MessageTexts());
}

TEST_F(BendCalculationDriverTest, EachWarningReachesTheOperatorWithItsText) {
  struct Case {
    const char* what;
    std::function<void(ProgramHeader&)> setup;
    int string_id;
  };
  auto* store = store_;
  const std::vector<Case> cases = {
      {"material number outside 1..4",
       [](ProgramHeader& d) { d.MaterialNumber = 7; },
       strings::kMaterialNotSupported},
      {"material file missing", [](ProgramHeader& d) { d.MaterialNumber = 2; },
       strings::kMaterialNotSupported},
      {"V/T below 4", [store](ProgramHeader&) { store->Tools[1].SetVWidth(6); },
       strings::kVOverTBelow4},
      {"V/T above 20",
       [store](ProgramHeader&) { store->Tools[1].SetVWidth(48); },
       strings::kVOverTAbove20},
      {"above the machine maximum",
       [store](ProgramHeader&) { store->Machines[0].SetTonnage(20); },
       strings::kForceAboveMachineMax},
      {"above the punch limit",
       [store](ProgramHeader&) { store->Tools[0].SetPunchResistance(20); },
       strings::kForceAbovePunchLimit},
      {"above the die limit",
       [store](ProgramHeader&) { store->Tools[1].SetDieResistance(20); },
       strings::kForceAboveDieLimit},
  };
  for (const Case& c : cases) {
    job_ = Job();
    store_->DataPath = NativePath("/data");
    store_->ProgramPath = NativePath("/jobs/bracket.bmf");
    store_->Thickness = 2;
    store_->MaterialCode = 1;
    AddWorkedExampleJob();
    ui_.ClearMessages();
    CPPStepInfo step = WorkedStep(4);
    auto header = MakeHeader({step});
    c.setup(*header);
    CalculateBendData(*header, Context(), header->Setup, step);
    EXPECT_EQ(std::vector<std::string>{WarningText(4, c.string_id)},
              MessageTexts())
        << c.what;
  }
}

TEST_F(BendCalculationDriverTest, ElongationWarningReachesTheOperator) {
  // Inner radius 10^-2 T, neutral factor 0.15, 28 degrees, limits high
  // enough that no force warning replaces it.
  MaterialModelSet set = WorkedExampleModels();
  set[kInnerRadius] = Polynomial(-2);
  set[kNeutralFactor] = Polynomial(0.15f);
  files_.SetFile(NativePath("/data/f_1"), Encode(set));
  store_->Machines[0].SetTonnage(1e4);
  store_->Tools[0].SetPunchResistance(1e4f);
  store_->Tools[1].SetDieResistance(1e4f);
  Calculate(WorkedStep(2, 28));
  EXPECT_EQ(
      std::vector<std::string>{WarningText(2, strings::kElongationAbove50)},
      MessageTexts());
}

TEST_F(BendCalculationDriverTest, StepThatCannotBeCalculatedIsToldAsSuch) {
  // A springback of 90 degrees at a bend of 90: no load angle is left. The
  // step keeps the zeros it always received.
  MaterialModelSet set = WorkedExampleModels();
  set[kSpringback] = Polynomial(90);
  files_.SetFile(NativePath("/data/f_1"), Encode(set));
  const CPPStepInfo step = Calculate(WorkedStep(3));
  EXPECT_EQ(0.0f, step.GetY1());
  EXPECT_TRUE(std::signbit(step.GetY2()));
  EXPECT_EQ(0.0f, step.GetTonnageValue());
  EXPECT_EQ(
      std::vector<std::string>{WarningText(3, strings::kBendDataNotCalculated)},
      MessageTexts());
}

TEST_F(BendCalculationDriverTest, TonnageTheCorrectionOverflowsIsTold) {
  // A machine length next to 0 and a bend off the centre: the correction
  // factor overflows; the tonnage stays as the correction gave it.
  store_->Machines[0].SetMaxBendingLength(1e-300);
  CPPStepInfo step = WorkedStep(2);
  step.SetOffset(10, 0);
  EXPECT_TRUE(std::isinf(Calculate(step).GetTonnageValue()));
  EXPECT_EQ(
      std::vector<std::string>{WarningText(2, strings::kBendDataNotCalculated)},
      MessageTexts());
}

TEST_F(BendCalculationDriverTest, HeadingCarriesTheStepsNumberInSequence) {
  store_->MaterialCode = 5;
  CPPStepInfo step = WorkedStep(1);
  step.SetNumberInSquence(17);
  step.SetSequenceOrder(3);
  Calculate(step);
  ASSERT_EQ(1u, ui_.messages().size());
  EXPECT_EQ(
      0u, ui_.messages()[0].text.find("Please note: [for step number: 17]\n"));
}

TEST_F(BendCalculationDriverTest, EveryStepReadsTheMaterialFileAnew) {
  FaultInjectingFileSystem counting(&files_);
  files_used_ = &counting;
  auto header = MakeHeader({WorkedStep(1), WorkedStep(2)});
  counting.ResetCounts();
  CPPStepInfo first = WorkedStep(1);
  CalculateBendData(*header, Context(), header->Setup, first);
  EXPECT_EQ(1, counting.Count(FileOp::kOpenForRead));

  // A changed file is seen by the next step.
  MaterialModelSet set = WorkedExampleModels();
  set[kSpringback] = Polynomial(4);
  files_.SetFile(NativePath("/data/f_1"), Encode(set));
  CPPStepInfo second = WorkedStep(2);
  CalculateBendData(*header, Context(), header->Setup, second);
  EXPECT_EQ(2, counting.Count(FileOp::kOpenForRead));
  EXPECT_NE(first.GetY1(), second.GetY1());
}

}  // namespace
}  // namespace bendpost::testing
