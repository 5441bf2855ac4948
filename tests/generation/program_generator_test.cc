#include "generation/program_generator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats/control_file.h"
#include "resources/dialog_ids.h"
#include "testing/fault_file_system.h"
#include "tests/generation/generation_test_support.h"

namespace bendpost::testing {
namespace {

using Outcome = ScriptedUserInterface::Outcome;

constexpr char kUntouched[] = "untouched";

class ProgramGeneratorTest : public GenerationTest {
 protected:
  ProgramGeneratorTest() {
    AddMachine("PB1");
    AddPunch("P1");
    AddDie("D16");
    std::memset(buffer_, 0x55, sizeof buffer_);
    std::memcpy(buffer_, kUntouched, sizeof kUntouched);
  }

  // Job steps with the setup indexes the host gives (counted from 1).
  void AddJobSteps(std::vector<int> host_setup_indexes) {
    for (int index : host_setup_indexes) {
      CPPStepInfo step = WorkedStep(store_->Steps.GetSize() + 1);
      step.SetSetupIndex(index);
      store_->Steps.Add(step);
    }
  }
  bool Generate() { return GeneratePrograms(Context(), buffer_); }

  std::vector<std::string> OpenedFileNames() const {
    std::vector<std::string> names;
    for (const auto& d : ui_.dialogs())
      names.push_back(d.opened.at(IDC_FILE_NAME).text);
    return names;
  }
  std::vector<std::string> OpenedSetupNames() const {
    std::vector<std::string> names;
    for (const auto& d : ui_.dialogs())
      names.push_back(d.opened.at(IDC_SETUP_NAME).text);
    return names;
  }
  std::vector<std::string> OpenedTotalSteps() const {
    std::vector<std::string> counts;
    for (const auto& d : ui_.dialogs())
      counts.push_back(d.opened.at(IDC_TOTAL_STEPS).text);
    return counts;
  }
  std::vector<int> JobSetupIndexes() const {
    std::vector<int> indexes;
    for (int i = 0; i < store_->Steps.GetSize(); ++i)
      indexes.push_back(store_->Steps[i].GetSetupIndex());
    return indexes;
  }
  std::string Buffer() const { return std::string(buffer_); }

  char buffer_[300];
};

TEST_F(ProgramGeneratorTest, AJobWithoutStepsShowsNothing) {
  AddBandRSetup(0);
  EXPECT_TRUE(Generate());
  EXPECT_TRUE(ui_.dialogs().empty());
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_EQ(kUntouched, Buffer());
}

TEST_F(ProgramGeneratorTest, ProgramsAreRunsOfAdjacentStepsOfOneSetup) {
  AddBandRSetup(0);
  AddBandRSetup(1);
  AddJobSteps({1, 1, 2, 2, 1});
  EXPECT_TRUE(Generate());
  // Setup keys 0, 1, 0; group numbers 0, 1, 2; serial numbers 00, 01, 02.
  EXPECT_EQ((std::vector<std::string>{NativePath("/jobs/2030500.S1P1.NMB"),
                                      NativePath("/jobs/2030501.S2P2.NMB"),
                                      NativePath("/jobs/2030502.S1P3.NMB")}),
            OpenedFileNames());
  EXPECT_EQ((std::vector<std::string>{"Setup 1", "Setup 2", "Setup 1"}),
            OpenedSetupNames());
  EXPECT_EQ((std::vector<std::string>{"2", "2", "1"}), OpenedTotalSteps());
  EXPECT_EQ(std::vector<std::string>(3, Text(strings::kProgramCreated)),
            MessageTexts());
  EXPECT_TRUE(ErrorMessages().empty());
  EXPECT_EQ(
      (std::vector<std::string>{
          NativePath("/data/f_1"), NativePath("/jobs/2030500.NMB"),
          NativePath("/jobs/2030501.NMB"), NativePath("/jobs/2030502.NMB")}),
      files_.ListFiles());
  EXPECT_EQ(NativePath("/jobs/bracket.bmf"), Buffer());
  // The setup indexes stay lowered.
  EXPECT_EQ((std::vector<int>{0, 0, 1, 1, 0}), JobSetupIndexes());
}

TEST_F(ProgramGeneratorTest, EachProgramGetsItsOwnSteps) {
  AddBandRSetup(0);
  AddBandRSetup(1);
  AddJobSteps({1, 2, 2});
  ASSERT_TRUE(Generate());
  DecodedControlFile first, second;
  ASSERT_TRUE(DecodeControlFile(
                  *files_.GetFile(NativePath("/jobs/2030500.NMB")), &first)
                  .ok());
  ASSERT_TRUE(DecodeControlFile(
                  *files_.GetFile(NativePath("/jobs/2030501.NMB")), &second)
                  .ok());
  ASSERT_EQ(1u, first.steps.size());
  ASSERT_EQ(2u, second.steps.size());
  EXPECT_EQ(1, first.steps[0].SequenceOrder);
  EXPECT_EQ(2, second.steps[0].SequenceOrder);
  EXPECT_EQ(3, second.steps[1].SequenceOrder);
}

TEST_F(ProgramGeneratorTest, CancelledProgramStillCounts) {
  AddBandRSetup(0);
  AddBandRSetup(1);
  AddJobSteps({1, 2});
  ui_.AddDialog(ScriptedDialog{.action = ScriptedAction::kCancel});
  EXPECT_TRUE(Generate());
  ASSERT_EQ(2u, ui_.dialogs().size());
  EXPECT_EQ(Outcome::kCancelled, ui_.dialogs()[0].outcome);
  EXPECT_EQ(Outcome::kCreated, ui_.dialogs()[1].outcome);
  // Group number 1; the cancelled program used no serial number.
  EXPECT_EQ(NativePath("/jobs/2030500.S2P2.NMB"), OpenedFileNames()[1]);
  EXPECT_EQ(std::vector<std::string>{Text(strings::kProgramCreated)},
            MessageTexts());
  EXPECT_EQ(NativePath("/jobs/bracket.bmf"), Buffer());
}

TEST_F(ProgramGeneratorTest, OnlyCreatedProgramsFillTheBuffer) {
  AddBandRSetup(0);
  AddJobSteps({1});
  ui_.AddDialog(ScriptedDialog{.action = ScriptedAction::kCancel});
  EXPECT_TRUE(Generate());
  EXPECT_EQ(kUntouched, Buffer());
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(ProgramGeneratorTest, AFailedProgramEndsTheGeneration) {
  AddBandRSetup(0);
  AddBandRSetup(1, "PB1", /*control_type=*/2);  // no program file
  AddJobSteps({1, 2, 1});
  ScriptedDialog first;
  first.folder =
      FolderChoice{FolderChoice::Outcome::kChosen, NativePath("/other")};
  ScriptedDialog second;
  second.folder =
      FolderChoice{FolderChoice::Outcome::kChosen, NativePath("/third")};
  ui_.AddDialog(first);
  ui_.AddDialog(second);
  EXPECT_TRUE(Generate());
  EXPECT_EQ(2u, ui_.dialogs().size());
  ASSERT_EQ(2u, ui_.messages().size());
  EXPECT_EQ(Text(strings::kProgramCreated), ui_.messages()[0].text);
  EXPECT_EQ(MessageIcon::kNone, ui_.messages()[0].icon);
  EXPECT_EQ(Text(strings::kProgramFailed), ui_.messages()[1].text);
  EXPECT_EQ(MessageIcon::kError, ui_.messages()[1].icon);
  // The path handed back after the first program, not the one the second
  // dialog chose.
  EXPECT_EQ(NativePath("/other/bracket.bmf"), Buffer());
  EXPECT_EQ(NativePath("/third/bracket.bmf"), store_->ProgramPath.str());
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/other/2030500.NMB")}),
            files_.ListFiles());
  // All steps were lowered, those of the program never offered too.
  EXPECT_EQ((std::vector<int>{0, 1, 0}), JobSetupIndexes());
}

TEST_F(ProgramGeneratorTest, OpenFailureShowsBothMessages) {
  AddBandRSetup(0);
  AddJobSteps({1, 1});
  FaultInjectingFileSystem faults(&files_);
  faults.FailNth(FileOp::kCreate, 1);
  files_used_ = &faults;
  EXPECT_TRUE(Generate());
  EXPECT_EQ((std::vector<std::string>{Text(strings::kOpenFileFails),
                                      Text(strings::kProgramFailed)}),
            MessageTexts());
  EXPECT_EQ(kUntouched, Buffer());
}

TEST_F(ProgramGeneratorTest, RepeatedCallsLowerTheSetupIndexesAgain) {
  AddBandRSetup(0);
  AddJobSteps({1, 1});
  EXPECT_TRUE(Generate());
  EXPECT_EQ((std::vector<int>{0, 0}), JobSetupIndexes());
  EXPECT_EQ(1u, ui_.dialogs().size());
  // Now the steps name setup -1, which the job does not have.
  EXPECT_TRUE(Generate());
  EXPECT_EQ((std::vector<int>{-1, -1}), JobSetupIndexes());
  EXPECT_EQ(1u, ui_.dialogs().size());
  EXPECT_EQ(std::vector<std::string>{NoSetupMessage(1, 0)}, ErrorMessages());
}

TEST_F(ProgramGeneratorTest, TheLowestSetupIndexWrapsInsteadOfOverflowing) {
  AddBandRSetup(0);
  CPPStepInfo step = WorkedStep(1);
  step.SetSetupIndex(INT32_MIN);
  store_->Steps.Add(step);
  EXPECT_TRUE(Generate());
  EXPECT_EQ(std::vector<int>{INT32_MAX}, JobSetupIndexes());
}

TEST_F(ProgramGeneratorTest, AProgramWithoutSetupIsSkippedAndCounts) {
  AddBandRSetup(0);
  AddBandRSetup(1);
  AddJobSteps({3, 3, 1});
  EXPECT_TRUE(Generate());
  ASSERT_EQ(1u, ui_.dialogs().size());
  EXPECT_EQ(NativePath("/jobs/2030500.S1P2.NMB"), OpenedFileNames()[0]);
  EXPECT_EQ((std::vector<std::string>{
                "The steps of program 1 use setup 3, which the job does not "
                "have. The program is skipped.",
                Text(strings::kProgramCreated)}),
            MessageTexts());
  EXPECT_EQ(MessageIcon::kError, ui_.messages()[0].icon);
}

TEST_F(ProgramGeneratorTest, MoreThanTwentyFiveStepsAreSkippedBeforeTheDialog) {
  AddBandRSetup(0);
  AddBandRSetup(1);
  AddJobSteps(std::vector<int>(26, 1));
  AddJobSteps({2});
  EXPECT_TRUE(Generate());
  // No dialog and no serial number for the long program; the next one
  // keeps its group number.
  ASSERT_EQ(1u, ui_.dialogs().size());
  EXPECT_EQ(NativePath("/jobs/2030500.S2P2.NMB"), OpenedFileNames()[0]);
  EXPECT_EQ((std::vector<std::string>{
                "Program 1 has 26 steps, but the control takes at most 25 "
                "steps per program. The program is skipped.",
                Text(strings::kProgramCreated)}),
            MessageTexts());
  EXPECT_EQ(MessageIcon::kError, ui_.messages()[0].icon);
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            files_.ListFiles());
  EXPECT_EQ(std::string("1\0\0", 3),
            (*settings_.Values(SerialCounterKeyPath(ui_)))[kSerialNumberValue]);
}

TEST_F(ProgramGeneratorTest, TwentyFiveStepsMakeOneProgram) {
  AddBandRSetup(0);
  AddJobSteps(std::vector<int>(25, 1));
  EXPECT_TRUE(Generate());
  DecodedControlFile control;
  ASSERT_TRUE(DecodeControlFile(
                  *files_.GetFile(NativePath("/jobs/2030500.NMB")), &control)
                  .ok());
  EXPECT_EQ(25, control.header.StepCount);
  EXPECT_EQ(std::vector<std::string>{Text(strings::kProgramCreated)},
            MessageTexts());
}

TEST_F(ProgramGeneratorTest, TheBufferReceivesThePathAfterEveryProgram) {
  AddBandRSetup(0);
  AddBandRSetup(1);
  AddJobSteps({1, 2});
  ui_.AddDialog(ScriptedDialog{});
  ui_.AddDialog(
      ScriptedDialog{.folder = FolderChoice{FolderChoice::Outcome::kChosen,
                                            NativePath("/later")}});
  EXPECT_TRUE(Generate());
  EXPECT_EQ(NativePath("/later/bracket.bmf"), Buffer());
}

TEST_F(ProgramGeneratorTest, APathOfTwoHundredFiftyNineCharactersFits) {
  const std::string path = NativePath("/") + std::string(254, 'a') + ".bmf";
  ASSERT_EQ(259u, path.size());
  store_->ProgramPath = path;
  AddBandRSetup(0);
  AddJobSteps({1});
  EXPECT_TRUE(Generate());
  EXPECT_EQ(path, Buffer());
  EXPECT_EQ('\0', buffer_[259]);
  for (size_t i = 260; i < sizeof buffer_; ++i)
    ASSERT_EQ(0x55, static_cast<unsigned char>(buffer_[i])) << i;
  EXPECT_EQ(std::vector<std::string>{Text(strings::kProgramCreated)},
            MessageTexts());
}

TEST_F(ProgramGeneratorTest, ALongerPathLeavesAnEmptyStringAndIsReported) {
  const std::string path = NativePath("/") + std::string(255, 'a') + ".bmf";
  ASSERT_EQ(260u, path.size());
  store_->ProgramPath = path;
  AddBandRSetup(0);
  AddJobSteps({1});
  EXPECT_TRUE(Generate());
  EXPECT_EQ("", Buffer());
  for (size_t i = 1; i < sizeof buffer_; ++i) {
    if (i < sizeof kUntouched) continue;
    ASSERT_EQ(0x55, static_cast<unsigned char>(buffer_[i])) << i;
  }
  EXPECT_EQ((std::vector<std::string>{
                Text(strings::kProgramCreated),
                "The program path has 260 characters; the host can take at "
                "most 259. The program was created, but its path is not "
                "handed back."}),
            MessageTexts());
}

TEST_F(ProgramGeneratorTest, ANullBufferReceivesNothing) {
  AddBandRSetup(0);
  AddJobSteps({1});
  EXPECT_TRUE(GeneratePrograms(Context(), nullptr));
  EXPECT_EQ(std::vector<std::string>{Text(strings::kProgramCreated)},
            MessageTexts());
  store_->ProgramPath = std::string(400, 'a');
  CopyProgramPathToHost(store_->ProgramPath, nullptr, ui_);
  EXPECT_EQ(1u, ui_.messages().size());
}

}  // namespace
}  // namespace bendpost::testing
