#include "dialog/tool_names.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"
#include "testing/fault_file_system.h"

namespace bendpost::testing {
namespace {

// ---- Conversion table -----------------------------------------------------

class ToolTableTest : public DialogTest {
 protected:
  std::string Convert(const char* name, bool sectional) {
    return ConvertToolName(files_, "/tables/tools.txt", name, sectional).str();
  }
};

TEST_F(ToolTableTest, SecondColumnIsForSectionalTools) {
  SetTable("P88 K40 K40S\n");
  EXPECT_EQ("K40", Convert("p88", false));
  EXPECT_EQ("K40S", Convert("P88", true));
}

TEST_F(ToolTableTest, SingleTargetServesBothAndTheRestIsTrimmed) {
  SetTable("P88 K40\nP89\tK41 \t\nP90 K40  S 1  \r\n");
  EXPECT_EQ("K40", Convert("P88", true));
  EXPECT_EQ("K41", Convert("P89", true));
  EXPECT_EQ("K40", Convert("P90", false));
  EXPECT_EQ("S 1", Convert("P90", true));
}

TEST_F(ToolTableTest, LinesWithoutATargetNeverMatch) {
  SetTable("P88\nP88    \n\n   \nP88 K41\nP88 K42\n");
  EXPECT_EQ("K41", Convert("P88", false));
}

TEST_F(ToolTableTest, LeadingWhiteSpaceAndTabsSeparate) {
  SetTable("  \t D12\t\tV12 V12S\n");
  EXPECT_EQ("V12", Convert("d12", false));
  EXPECT_EQ("V12S", Convert("d12", true));
}

TEST_F(ToolTableTest, KeysMustMatchWhole) {
  SetTable("P8 SHORT\nP888 LONG\n");
  EXPECT_EQ("P88", Convert("P88", false));
}

TEST_F(ToolTableTest, EmptyNameIsZeroAndMissingTableKeepsTheName) {
  EXPECT_EQ("0", Convert("", false));  // no table at all
  EXPECT_EQ("P88", Convert("P88", true));
  SetTable("");
  EXPECT_EQ("P88", Convert("P88", false));
}

TEST_F(ToolTableTest, LongLinesAndLongPathsHaveNoLimit) {
  const std::string path = "/tables/" + std::string(600, 'x') + "/tools.txt";
  const std::string key(3000, 'k');
  files_.SetFile(path, std::string(5000, ' ') + key + " " +
                           std::string(4000, 'A') + " " + "SECT\n");
  EXPECT_EQ(std::string(4000, 'A'),
            ConvertToolName(files_, path, key.c_str(), false).str());
  EXPECT_EQ("SECT", ConvertToolName(files_, path, key.c_str(), true).str());
}

TEST(ToolNameFromIdTest, ReadsUpToTheFirstZeroOrAll32Bytes) {
  char entry[32];
  std::memset(entry, 'A', sizeof entry);
  EXPECT_EQ(std::string(32, 'A'), ToolNameFromId(entry).str());
  entry[5] = '\0';
  EXPECT_EQ("AAAAA", ToolNameFromId(entry).str());
  entry[0] = '\0';
  EXPECT_EQ("", ToolNameFromId(entry).str());
}

// ---- Program tools --------------------------------------------------------

TEST_F(DialogTest, LastKnownPunchWinsUnlessOneIsSectional) {
  AddSetup(0, 7);
  AddTool("A");
  AddTool("B");
  auto dialog = MakeDialog({MakeStep({"A"}), MakeStep({"B"})});
  EXPECT_STREQ("B", dialog->PunchName);
  EXPECT_STREQ("B", dialog->PunchTargetName);  // no table: unconverted

  store_->Tools.RemoveAll();
  AddTool("A", 1);
  AddTool("B");
  dialog = MakeDialog({MakeStep({"A"}), MakeStep({"B"})});
  EXPECT_STREQ("A", dialog->PunchName);
}

TEST_F(DialogTest, WalkStopsWhenPunchAndDieAreBothSectional) {
  AddSetup(0, 7);
  AddTool("P1", 1);
  AddTool("D1", 1);
  AddTool("H1");
  AddTool("H2");
  AddTool("S2");
  auto dialog = MakeDialog(
      {MakeStep({"P1", "D1", "H1"}), MakeStep({"P1", "D1", "H2", "S2"})});
  EXPECT_STREQ("H1", dialog->DieHolderName);
  EXPECT_STREQ("", dialog->SpacerName);
  EXPECT_STREQ("0", dialog->SpacerTargetName);

  // Without sectional tools the default final step has no punch and is
  // skipped, so the last real step gives holder and spacer.
  store_->Tools[0].SetSectional(0);
  dialog = MakeDialog(
      {MakeStep({"P1", "D1", "H1"}), MakeStep({"P1", "D1", "H2", "S2"})});
  EXPECT_STREQ("H2", dialog->DieHolderName);
  EXPECT_STREQ("S2", dialog->SpacerName);
}

TEST_F(DialogTest, TargetNamesComeFromTheTableWithTheDieSizeSuffix) {
  AddSetup(0, 7);
  SetTable("P88 K40 K40S\nD12 V12\nH1 HOLD\n");
  AddTool("P88", 1);
  AddTool("D12", 0, "V-12", 2);
  AddTool("H1");
  auto dialog = MakeDialog({MakeStep({"P88", "D12", "H1"})});
  EXPECT_STREQ("K40S", dialog->PunchTargetName);
  EXPECT_STREQ("V122", dialog->DieTargetName);
  EXPECT_STREQ("HOLD", dialog->DieHolderTargetName);
  EXPECT_STREQ("0", dialog->SpacerTargetName);
  EXPECT_STREQ("", dialog->SpacerName);

  store_->Tools[1].SetSmallorLarger(1);
  EXPECT_STREQ("V121", MakeDialog({MakeStep({"P88", "D12"})})->DieTargetName);
  store_->Tools[1].SetSmallorLarger(3);
  EXPECT_STREQ("V12", MakeDialog({MakeStep({"P88", "D12"})})->DieTargetName);
}

TEST_F(DialogTest, OtherControlTypesGetNoTargetNamesAndNoSuffix) {
  AddSetup(0, 0);
  SetTable("P88 K40\nD12 V12\n");
  AddTool("P88");
  AddTool("D12", 0, "", 2);
  auto dialog = MakeDialog({MakeStep({"P88", "D12"})});
  EXPECT_STREQ("P88", dialog->PunchName);
  EXPECT_STREQ("D12", dialog->DieName);
  EXPECT_STREQ("", dialog->PunchTargetName);
  EXPECT_STREQ("", dialog->DieTargetName);
  EXPECT_STREQ("", dialog->SpacerTargetName);
}

TEST_F(DialogTest, RevValuesFollowTheReverseFlagsAndTheDieCategory) {
  AddSetup(0, 7);
  AddTool("P");
  AddTool("D2V", 0, "2V-16");
  AddTool("DV", 0, "V16");
  AddTool("H");
  auto dialog = MakeDialog({MakeStep({.punch = "P",
                                      .die = "D2V",
                                      .holder = "H",
                                      .punch_reverse = true,
                                      .die_reverse = true,
                                      .holder_reverse = true})});
  EXPECT_STREQ("1", dialog->PunchRev);
  EXPECT_STREQ("S", dialog->DieRev);
  EXPECT_STREQ("1", dialog->DieHolderRev);
  dialog = MakeDialog({MakeStep({"P", "D2V", "H"})});
  EXPECT_STREQ("0", dialog->PunchRev);
  EXPECT_STREQ("L", dialog->DieRev);
  EXPECT_STREQ("0", dialog->DieHolderRev);
  dialog =
      MakeDialog({MakeStep({.punch = "P", .die = "DV", .die_reverse = true})});
  EXPECT_STREQ("1", dialog->DieRev);
  store_->Tools[2].SetCategory("2v-16");  // the category test is exact
  dialog =
      MakeDialog({MakeStep({.punch = "P", .die = "DV", .die_reverse = true})});
  EXPECT_STREQ("1", dialog->DieRev);
}

TEST_F(DialogTest, MissingToolsGiveZeroTargetsAndUnknownPunchesNothing) {
  AddSetup(0, 7);
  AddTool("P");
  auto dialog = MakeDialog({MakeStep({"P", "NODIE"})});
  EXPECT_STREQ("", dialog->DieName);
  EXPECT_STREQ("0", dialog->DieTargetName);  // no size suffix
  EXPECT_STREQ("0", dialog->DieRev);

  dialog = MakeDialog({MakeStep({"UNKNOWN", "D"}), MakeStep({"", "D"})});
  EXPECT_STREQ("", dialog->PunchName);
  EXPECT_STREQ("", dialog->PunchTargetName);
  EXPECT_STREQ("", dialog->DieName);
  EXPECT_STREQ("", dialog->DieRev);
  EXPECT_STREQ("", dialog->SpacerTargetName);
}

TEST_F(DialogTest, TheTableIsReadOncePerHeaderAndAfreshForTheNext) {
  AddSetup(0, 7);
  SetTable("P88 K40\nD12 V12\nH1 HOLD\nS1 SPACE\n");
  AddTool("P88");
  AddTool("D12");
  AddTool("H1");
  AddTool("S1");
  FaultInjectingFileSystem counting(&files_);
  ScopedPlatform counted(Platform{&counting, &clock_, &settings_, &ui_});
  const StepTools step{"P88", "D12", "H1", "S1"};
  auto dialog = MakeDialog({MakeStep(step), MakeStep(step), MakeStep(step)});
  EXPECT_EQ(1, counting.Count(FileOp::kOpenForRead));
  EXPECT_STREQ("K40", dialog->PunchTargetName);
  EXPECT_STREQ("SPACE", dialog->SpacerTargetName);

  // The next header reads the table again and sees its new contents.
  SetTable("P88 K41\n");
  dialog = MakeDialog({MakeStep(step)});
  EXPECT_EQ(2, counting.Count(FileOp::kOpenForRead));
  EXPECT_STREQ("K41", dialog->PunchTargetName);
  EXPECT_STREQ("D12", dialog->DieTargetName);
}

TEST_F(DialogTest, NoNameToConvertReadsNoTable) {
  AddSetup(0, 7);
  SetTable("P88 K40\n");
  AddTool("P88");
  FaultInjectingFileSystem counting(&files_);
  ScopedPlatform counted(Platform{&counting, &clock_, &settings_, &ui_});
  auto dialog = MakeDialog({MakeStep({"UNKNOWN"})});
  EXPECT_EQ(0, counting.Count(FileOp::kOpenForRead));
  // A control without target names never reads it either.
  store_->Setups.RemoveAll();
  AddSetup(0, 0);
  dialog = MakeDialog({MakeStep({"P88", "D12"})});
  EXPECT_EQ(0, counting.Count(FileOp::kOpenForRead));
}

TEST_F(DialogTest, ToolIdWithoutTerminatorIsReadAsAll32Bytes) {
  AddSetup(0, 7);
  const std::string name(32, 'N');
  AddTool(name.c_str());
  auto dialog = MakeDialog({MakeStep({name})});
  EXPECT_EQ(name, dialog->PunchName.str());
}

TEST_F(DialogTest, DieSuffixCanBlockCreateUntilShortened) {
  AddSetup(0, 7);
  SetTable("D V12345\n");
  AddTool("P");
  AddTool("D", 0, "", 1);
  auto dialog = MakeDialog({MakeStep({"P", "D"})});
  EXPECT_STREQ("V123451", dialog->DieTargetName);
  Open(*dialog);
  EXPECT_FALSE(dialog->OnOk(ui_));
  EXPECT_EQ(IDC_DIE_TARGET_NAME, ui_.focus());
  ui_.SetText(IDC_DIE_TARGET_NAME, "V1234");
  EXPECT_TRUE(dialog->OnOk(ui_));
  EXPECT_STREQ("V1234", dialog->DieTargetName);
}

}  // namespace
}  // namespace bendpost::testing
