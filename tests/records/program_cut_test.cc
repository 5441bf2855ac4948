// Cutting a job's steps into programs and finding a program's setup.
#include "records/program_cut.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

namespace bendpost {
namespace {

using ::testing::IsEmpty;

CArray<CPPStepInfo> StepsOfSetups(std::initializer_list<int> indexes) {
  CArray<CPPStepInfo> steps;
  for (int i : indexes) {
    CPPStepInfo step;
    step.SetSetupIndex(i);
    steps.Add(step);
  }
  return steps;
}

CPPSetup SetupOf(const char* name, int index) {
  CPPSetup setup;
  setup.SetSetupName(name);
  setup.SetSetupIndex(index);
  return setup;
}

TEST(ProgramCutTest, ProgramsAreRunsOfAdjacentStepsOfOneSetup) {
  const auto cuts = CutIntoPrograms(StepsOfSetups({1, 1, 2, 2, 1}));
  ASSERT_EQ(cuts.size(), 3u);
  EXPECT_EQ(cuts[0].first_step, 0);
  EXPECT_EQ(cuts[0].step_count, 2);
  EXPECT_EQ(cuts[0].setup_index, 1);
  EXPECT_EQ(cuts[1].first_step, 2);
  EXPECT_EQ(cuts[1].step_count, 2);
  EXPECT_EQ(cuts[1].setup_index, 2);
  EXPECT_EQ(cuts[2].first_step, 4);
  EXPECT_EQ(cuts[2].step_count, 1);
  EXPECT_EQ(cuts[2].setup_index, 1);
  EXPECT_THAT(CutIntoPrograms(StepsOfSetups({})), IsEmpty());
}

TEST(ProgramCutTest, TheSetupKeyIsOneLessAndWrapsAtTheBottom) {
  EXPECT_EQ(SetupKeyOf(1), 0);
  EXPECT_EQ(SetupKeyOf(0), -1);
  EXPECT_EQ(SetupKeyOf(INT_MAX), INT_MAX - 1);
  EXPECT_EQ(SetupKeyOf(INT_MIN), INT_MAX);
}

TEST(ProgramCutTest, TheFirstSetupWithTheKeyIsFound) {
  CArray<CPPSetup> setups;
  setups.Add(SetupOf("A", 0));
  setups.Add(SetupOf("B", INT_MAX));
  setups.Add(SetupOf("C", INT_MAX));
  EXPECT_EQ(FindSetupByKey(setups, INT_MAX), &setups[1]);
  EXPECT_EQ(FindSetupByKey(setups, 0), &setups[0]);
  EXPECT_EQ(FindSetupByKey(setups, 1), nullptr);
  EXPECT_EQ(FindSetupByKey(CArray<CPPSetup>(), 0), nullptr);
}

}  // namespace
}  // namespace bendpost
