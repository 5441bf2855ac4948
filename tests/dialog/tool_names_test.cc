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
  auto header = MakeHeader({MakeStep({"A"}), MakeStep({"B"})});
  EXPECT_STREQ("B", header->PunchName);
  EXPECT_STREQ("B", header->PunchTargetName);  // no table: unconverted

  store_->Tools.RemoveAll();
  AddTool("A", 1);
  AddTool("B");
  header = MakeHeader({MakeStep({"A"}), MakeStep({"B"})});
  EXPECT_STREQ("A", header->PunchName);
}

TEST_F(DialogTest, WalkStopsWhenPunchAndDieAreBothSectional) {
  AddSetup(0, 7);
  AddTool("P1", 1);
  AddTool("D1", 1);
  AddTool("H1");
  AddTool("H2");
  AddTool("S2");
  auto header = MakeHeader(
      {MakeStep({"P1", "D1", "H1"}), MakeStep({"P1", "D1", "H2", "S2"})});
  EXPECT_STREQ("H1", header->DieHolderName);
  EXPECT_STREQ("", header->SpacerName);
  EXPECT_STREQ("0", header->SpacerTargetName);

  // Without sectional tools the default final step has no punch and is
  // skipped, so the last real step gives holder and spacer.
  store_->Tools[0].SetSectional(0);
  header = MakeHeader(
      {MakeStep({"P1", "D1", "H1"}), MakeStep({"P1", "D1", "H2", "S2"})});
  EXPECT_STREQ("H2", header->DieHolderName);
  EXPECT_STREQ("S2", header->SpacerName);
}

TEST_F(DialogTest, TargetNamesComeFromTheTableWithTheDieSizeSuffix) {
  AddSetup(0, 7);
  SetTable("P88 K40 K40S\nD12 V12\nH1 HOLD\n");
  AddTool("P88", 1);
  AddTool("D12", 0, "V-12", 2);
  AddTool("H1");
  auto header = MakeHeader({MakeStep({"P88", "D12", "H1"})});
  EXPECT_STREQ("K40S", header->PunchTargetName);
  EXPECT_STREQ("V122", header->DieTargetName);
  EXPECT_STREQ("HOLD", header->DieHolderTargetName);
  EXPECT_STREQ("0", header->SpacerTargetName);
  EXPECT_STREQ("", header->SpacerName);

  store_->Tools[1].SetSmallorLarger(1);
  EXPECT_STREQ("V121", MakeHeader({MakeStep({"P88", "D12"})})->DieTargetName);
  store_->Tools[1].SetSmallorLarger(3);
  EXPECT_STREQ("V12", MakeHeader({MakeStep({"P88", "D12"})})->DieTargetName);
}

TEST_F(DialogTest, OtherControlTypesGetNoTargetNamesAndNoSuffix) {
  AddSetup(0, 0);
  SetTable("P88 K40\nD12 V12\n");
  AddTool("P88");
  AddTool("D12", 0, "", 2);
  auto header = MakeHeader({MakeStep({"P88", "D12"})});
  EXPECT_STREQ("P88", header->PunchName);
  EXPECT_STREQ("D12", header->DieName);
  EXPECT_STREQ("", header->PunchTargetName);
  EXPECT_STREQ("", header->DieTargetName);
  EXPECT_STREQ("", header->SpacerTargetName);
}

TEST_F(DialogTest, RevValuesFollowTheReverseFlagsAndTheDieCategory) {
  AddSetup(0, 7);
  AddTool("P");
  AddTool("D2V", 0, "2V-16");
  AddTool("DV", 0, "V16");
  AddTool("H");
  auto header = MakeHeader({MakeStep({.punch = "P",
                                      .die = "D2V",
                                      .holder = "H",
                                      .punch_reverse = true,
                                      .die_reverse = true,
                                      .holder_reverse = true})});
  EXPECT_STREQ("1", header->PunchRev);
  EXPECT_STREQ("S", header->DieRev);
  EXPECT_STREQ("1", header->DieHolderRev);
  header = MakeHeader({MakeStep({"P", "D2V", "H"})});
  EXPECT_STREQ("0", header->PunchRev);
  EXPECT_STREQ("L", header->DieRev);
  EXPECT_STREQ("0", header->DieHolderRev);
  header =
      MakeHeader({MakeStep({.punch = "P", .die = "DV", .die_reverse = true})});
  EXPECT_STREQ("1", header->DieRev);
  EXPECT_STREQ("0", header->PunchRev);    // each tool has its own flag
  store_->Tools[2].SetCategory("2v-16");  // the category test is exact
  header =
      MakeHeader({MakeStep({.punch = "P", .die = "DV", .die_reverse = true})});
  EXPECT_STREQ("1", header->DieRev);
}

TEST_F(DialogTest, MissingToolsGiveZeroTargetsAndUnknownPunchesNothing) {
  AddSetup(0, 7);
  AddTool("P");
  auto header = MakeHeader({MakeStep({"P", "NODIE"})});
  EXPECT_STREQ("", header->DieName);
  EXPECT_STREQ("0", header->DieTargetName);  // no size suffix
  EXPECT_STREQ("0", header->DieRev);

  header = MakeHeader({MakeStep({"UNKNOWN", "D"}), MakeStep({"", "D"})});
  EXPECT_STREQ("", header->PunchName);
  EXPECT_STREQ("", header->PunchTargetName);
  EXPECT_STREQ("", header->DieName);
  EXPECT_STREQ("", header->DieRev);
  EXPECT_STREQ("", header->SpacerTargetName);
}

TEST_F(DialogTest, TheTableIsReadOncePerHeaderAndAfreshForTheNext) {
  AddSetup(0, 7);
  SetTable("P88 K40\nD12 V12\nH1 HOLD\nS1 SPACE\n");
  AddTool("P88");
  AddTool("D12");
  AddTool("H1");
  AddTool("S1");
  FaultInjectingFileSystem counting(&files_);
  files_used_ = &counting;
  const StepTools step{"P88", "D12", "H1", "S1"};
  auto header = MakeHeader({MakeStep(step), MakeStep(step), MakeStep(step)});
  EXPECT_EQ(1, counting.Count(FileOp::kOpenForRead));
  EXPECT_STREQ("K40", header->PunchTargetName);
  EXPECT_STREQ("SPACE", header->SpacerTargetName);

  // The next header reads the table again and sees its new contents.
  SetTable("P88 K41\n");
  header = MakeHeader({MakeStep(step)});
  EXPECT_EQ(2, counting.Count(FileOp::kOpenForRead));
  EXPECT_STREQ("K41", header->PunchTargetName);
  EXPECT_STREQ("D12", header->DieTargetName);
}

TEST_F(DialogTest, NoNameToConvertReadsNoTable) {
  AddSetup(0, 7);
  SetTable("P88 K40\n");
  AddTool("P88");
  FaultInjectingFileSystem counting(&files_);
  files_used_ = &counting;
  auto header = MakeHeader({MakeStep({"UNKNOWN"})});
  EXPECT_EQ(0, counting.Count(FileOp::kOpenForRead));
  // A control without target names never reads it either.
  store_->Setups.RemoveAll();
  AddSetup(0, 0);
  header = MakeHeader({MakeStep({"P88", "D12"})});
  EXPECT_EQ(0, counting.Count(FileOp::kOpenForRead));
}

TEST_F(DialogTest, ToolIdWithoutTerminatorIsReadAsAll32Bytes) {
  AddSetup(0, 7);
  const std::string name(32, 'N');
  AddTool(name.c_str());
  auto header = MakeHeader({MakeStep({name})});
  EXPECT_EQ(name, header->PunchName.str());
}

TEST_F(DialogTest, DieSuffixCanBlockCreateUntilShortened) {
  AddSetup(0, 7);
  SetTable("D V12345\n");
  AddTool("P");
  AddTool("D", 0, "", 1);
  auto header = MakeHeader({MakeStep({"P", "D"})});
  EXPECT_STREQ("V123451", header->DieTargetName);
  Open(*header);
  EXPECT_FALSE(DialogOn(*header).OnOk(ui_));
  EXPECT_EQ(IDC_DIE_TARGET_NAME, ui_.focus());
  ui_.SetText(IDC_DIE_TARGET_NAME, "V1234");
  EXPECT_TRUE(DialogOn(*header).OnOk(ui_));
  EXPECT_STREQ("V1234", header->DieTargetName);
}

}  // namespace
}  // namespace bendpost::testing
