// GenerateMachineCodeFile end to end: jobs loaded through the exports,
// control files compared byte for byte with the golden files under
// tests/testdata/generation/ (each with its readable listing beside it).
// Regenerate with BENDPOST_UPDATE_GOLDEN=1 only, and review the diff.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "formats/control_file.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"
#include "support/golden_files.h"
#include "testing/fault_file_system.h"
#include "tests/driver/generation_jobs.h"

namespace bendpost::testing {
namespace {

using test_support::ExpectMatchesGoldenFile;

std::string Created() { return LoadString(strings::kProgramCreated); }
std::string Warning(int step, int string_id) {
  return "Please note: [for step number: " + std::to_string(step) + "]\n" +
         LoadString(string_id) + "\n";
}

class GenerationExportsTest : public GenerationJobTest {
 protected:
  GenerationExportsTest() {
    std::memset(buffer_, 0x55, sizeof buffer_);
    buffer_[0] = '\0';
  }

  // Generates the loaded job and ends the session as the host does.
  void Generate() {
    EXPECT_TRUE(GenerateMachineCodeFile(buffer_));
    DestroyPPDBInstance();
  }

  // The control file at `path`, checked against the golden file `name`.
  DecodedControlFile ExpectGolden(const std::string& path,
                                  const std::string& name) {
    DecodedControlFile decoded;
    const std::string* bytes = mem_.GetFile(path);
    EXPECT_NE(nullptr, bytes) << path;
    if (bytes == nullptr) return decoded;
    EXPECT_EQ(12664u, bytes->size());
    ExpectMatchesGoldenFile("generation/" + name + ".nmb", *bytes, false);
    ExpectMatchesGoldenFile("generation/" + name + ".nmb.txt",
                            DumpControlFile(*bytes), true);
    const Status s = DecodeControlFile(*bytes, &decoded);
    EXPECT_TRUE(s.ok()) << s.message();
    return decoded;
  }

  char buffer_[300];
};

TEST_F(GenerationExportsTest, MillimetreJob) {
  WriteJobFiles(mem_, "/");
  LoadJob(0, 2, 1, BracketMm(), 1, "/");
  ui_.AddDialog(ScriptedDialog{.edits = {{IDC_PART_REFERENCE, "bracket-a"}}});
  Generate();

  EXPECT_EQ(std::vector<std::string>{Created()}, MessageTexts());
  EXPECT_STREQ(NativePath("/jobs/bracket.bmf").c_str(), buffer_);
  EXPECT_EQ((std::vector<std::string>{
                NativePath("/data/f_1"), NativePath("/data/f_2"),
                NativePath("/jobs/2030500.NMB"), NativePath("/tools.txt")}),
            mem_.ListFiles());
  const DecodedControlFile control =
      ExpectGolden(NativePath("/jobs/2030500.NMB"), "bracket_mm");
  ASSERT_EQ(5u, control.steps.size());
  EXPECT_EQ("030500", control.header.ProgramName);
  EXPECT_EQ("BRACKET-A", control.header.PartReference);
  EXPECT_EQ("PU01  ", control.header.PunchTargetName);
  EXPECT_EQ(2.0f, control.header.HeaderThickness);
  EXPECT_EQ(40, control.header.Hardness);
  // Step 1: the worked example; finger 1's X is measured the other way.
  EXPECT_NEAR(-7.4055, control.steps[0].Y1, 1e-3);
  EXPECT_EQ(control.steps[0].Y1, control.steps[0].Y2);
  EXPECT_EQ(-120.5f, control.steps[0].Gauge1X);
  EXPECT_EQ(120.5f, control.steps[0].Gauge2X);
  // Step 3 in three hits: the angle of one hit, the value negated.
  EXPECT_EQ(150.0f, control.steps[2].BendAngle);
  EXPECT_EQ(-2.0f, control.steps[2].StepValue);
  // Step 4 is coined with the host's values.
  EXPECT_EQ(-3.5f, control.steps[3].Y1);
  EXPECT_EQ(-3.5f, control.steps[3].Y2);
}

TEST_F(GenerationExportsTest, OffCentreStepCarriesTheCorrectedTonnage) {
  WriteJobFiles(mem_, "/");
  std::vector<HostStep> centred = BracketMm();
  centred.resize(2);
  centred[1].offset = 0;
  LoadJob(0, 2, 1, centred, 1, "/");
  Generate();
  DecodedControlFile at_centre;
  ASSERT_TRUE(DecodeControlFile(*mem_.GetFile(NativePath("/jobs/2030500.NMB")),
                                &at_centre)
                  .ok());

  // The golden job bends step 2 at 10 mm from the centre: s = 20, so the
  // tonnage is that at the centre x 3020 / 3000.
  WriteJobFiles(mem_, "/");
  LoadJob(0, 2, 1, BracketMm(), 1, "/");
  Generate();
  DecodedControlFile off_centre;
  ASSERT_TRUE(DecodeControlFile(*mem_.GetFile(NativePath("/jobs/2030501.NMB")),
                                &off_centre)
                  .ok());
  EXPECT_EQ(at_centre.steps[1].Y1, off_centre.steps[1].Y1);
  EXPECT_GT(off_centre.steps[1].TonnageValue, at_centre.steps[1].TonnageValue);
  EXPECT_NEAR(at_centre.steps[1].TonnageValue * 3020.0 / 3000.0,
              off_centre.steps[1].TonnageValue, 1.0);
}

TEST_F(GenerationExportsTest, InchJob) {
  WriteJobFiles(mem_, "/");
  LoadJob(1, 0.0787f, 3, BracketInch(), 1, "/");
  Generate();

  EXPECT_EQ(std::vector<std::string>{Created()}, MessageTexts());
  ASSERT_EQ(1u, ui_.dialogs().size());
  // The operator saw inches and the inch hardness scale.
  EXPECT_EQ("0.0787", ui_.dialogs()[0].opened.at(IDC_HEADER_THICKNESS).text);
  EXPECT_EQ("AL1", ui_.dialogs()[0].opened.at(IDC_MATERIAL_NAME).text);
  const DecodedControlFile control =
      ExpectGolden(NativePath("/jobs/2030500.NMB"), "bracket_inch");
  ASSERT_EQ(3u, control.steps.size());
  EXPECT_EQ(static_cast<float>(0.078 * 25.4), control.header.HeaderThickness);
  EXPECT_EQ(33, control.header.Hardness);
  EXPECT_EQ(2, control.header.MaterialNumber);
  EXPECT_EQ(static_cast<float>(-47500 * 0.0001 * 25.4),
            control.steps[0].Gauge1X);
  // 0.1 inch became 2.54 mm in the step; the writer only negates it.
  EXPECT_NEAR(-2.54, control.steps[2].StepValue, 1e-6);
  EXPECT_EQ(140.0f, control.steps[2].BendAngle);
}

TEST_F(GenerationExportsTest, TwoSetupsWithoutMaterialData) {
  // Stainless steel (material 4) has no data file: every step is warned
  // about and gets depth -0 and tonnage 0.
  FaultInjectingFileSystem logging(&mem_);
  ScopedPlatform scoped(Platform{&logging, &clock_, &settings_, &ui_});
  WriteJobFiles(mem_, "/");
  LoadJob(0, 2, 5, TwoSetups(), 2, "/");
  Generate();

  EXPECT_EQ((std::vector<std::string>{
                Warning(1, strings::kMaterialNotSupported),
                Warning(2, strings::kMaterialNotSupported), Created(),
                Warning(3, strings::kMaterialNotSupported), Created()}),
            MessageTexts());
  // The record files carry the setup and program ordinals.
  std::vector<std::string> creates;
  for (const std::string& line : logging.Log()) {
    if (line.find(" create ") != std::string::npos &&
        line.find(".kpz") != std::string::npos) {
      creates.push_back(line.substr(line.find("create")));
    }
  }
  EXPECT_EQ(
      (std::vector<std::string>{NativePath("create /jobs/2030500.S1P1.kpz"),
                                NativePath("create /jobs/2030501.S2P2.kpz")}),
      creates);
  const DecodedControlFile first =
      ExpectGolden(NativePath("/jobs/2030500.NMB"), "two_setups_p1");
  const DecodedControlFile second =
      ExpectGolden(NativePath("/jobs/2030501.NMB"), "two_setups_p2");
  ASSERT_EQ(2u, first.steps.size());
  ASSERT_EQ(1u, second.steps.size());
  EXPECT_EQ("S.S.  ", first.header.MaterialName);
  for (const ControlFileStep& step :
       {first.steps[0], first.steps[1], second.steps[0]}) {
    EXPECT_EQ(0.0f, step.Y1);
    EXPECT_TRUE(std::signbit(step.Y1));
    EXPECT_TRUE(std::signbit(step.Y2));
    EXPECT_EQ(0, step.TonnageValue);
  }
  EXPECT_EQ(3, second.steps[0].SequenceOrder);
}

TEST_F(GenerationExportsTest, AJobWithoutStepsLeavesTheBufferAlone) {
  std::strcpy(buffer_, "host text");
  LoadJob(0, 2, 1, {}, 1, "/");
  Generate();
  EXPECT_STREQ("host text", buffer_);
  EXPECT_TRUE(ui_.messages().empty());
  EXPECT_TRUE(ui_.dialogs().empty());
}

TEST_F(GenerationExportsTest, ReturnsTrueEvenWithoutAStore) {
  JobStore::SimulateAllocationFailureForTesting(true);
  std::strcpy(buffer_, "host text");
  EXPECT_TRUE(GenerateMachineCodeFile(buffer_));
  EXPECT_TRUE(GenerateMachineCodeFile(nullptr));
  EXPECT_STREQ("host text", buffer_);
}

TEST_F(GenerationExportsTest, SecondCallLowersTheSetupIndexesAgain) {
  WriteJobFiles(mem_, "/");
  LoadJob(0, 2, 1, BracketMm(), 1, "/");
  EXPECT_TRUE(GenerateMachineCodeFile(buffer_));
  EXPECT_TRUE(GenerateMachineCodeFile(buffer_));
  EXPECT_EQ(1u, ui_.dialogs().size());
  ASSERT_EQ(2u, ui_.messages().size());
  EXPECT_EQ(Created(), ui_.messages()[0].text);
  EXPECT_EQ(MessageIcon::kError, ui_.messages()[1].icon);
  DestroyPPDBInstance();
}

}  // namespace
}  // namespace bendpost::testing
