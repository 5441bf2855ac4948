#include "dialog/program_dialog.h"

#include <gtest/gtest.h>

#include <string>

#include "dialog/dialog_fields.h"
#include "dialog_test_support.h"

namespace bendpost::testing {
namespace {

using Outcome = ScriptedUserInterface::Outcome;

// ---- Construction ---------------------------------------------------------

TEST_F(DialogTest, ConstructionTakesTheFirstSetupWithTheProgramsIndex) {
  AddSetup(1, 0, "Other", "M0");
  AddSetup(0, 2, "First", "M1");
  AddSetup(0, 7, "Second", "M2");
  auto header = MakeHeader({}, 0);
  ASSERT_TRUE(header->SetupFound);
  EXPECT_STREQ("First", header->SetupName);
  EXPECT_STREQ("M1", header->MachineModel);
  EXPECT_EQ(2, ControlTypeValue(header->Control));
  EXPECT_STREQ("Operateur", header->ControlTypeName);
  EXPECT_EQ(3, header->SetupCount);
  EXPECT_STREQ("First", header->Setup.GetSetupName());
}

TEST_F(DialogTest, ControlTypeNamesAndTheUnknownDefault) {
  const struct {
    int type;
    const char* name;
  } cases[] = {{0, "EX"},
               {2, "Operateur"},
               {7, "BandR"},
               {5, "B-and-R"},
               {1, "B-and-R"}};
  for (const auto& c : cases) {
    store_->Setups.RemoveAll();
    AddSetup(0, c.type);
    EXPECT_STREQ(c.name, MakeHeader()->ControlTypeName) << c.type;
  }
}

TEST_F(DialogTest, StepListGrowsByOneDefaultStepAndHeaderCountsFollow) {
  AddSetup(0, 7);
  CPPStepInfo first = MakeStep({"P1", "D1"});
  first.SetODC(100, 0);
  CPPStepInfo second = MakeStep({"P1", "D1"});
  second.SetBendAngle(90);
  auto header = MakeHeader({first, second});
  ASSERT_EQ(3, steps_.GetSize());
  EXPECT_EQ(100, steps_[0].GetODC());
  EXPECT_EQ(90, steps_[1].GetBendAngle());
  // The final record is a brand-new step.
  CPPStepInfo last = steps_[2];
  EXPECT_EQ(251, last.GetODC());
  EXPECT_EQ(8, last.GetBendingSpeed());
  EXPECT_STREQ("000000", last.GetAuxFunc());
  EXPECT_EQ(2, header->TotalSteps);
  EXPECT_EQ(3, header->RecordCount);
}

TEST_F(DialogTest, FixedValuesDatesAndContext) {
  AddSetup(0, 7);
  // Near midnight the local date is already the next day.
  clock_.Set(Date{2024, 12, 31}, Date{2025, 1, 1});
  auto header = MakeHeader({}, 0, 4);
  EXPECT_STREQ("01/01/25", header->CreationDate);
  EXPECT_EQ("1231", std::string(header->ProgramName).substr(0, 4));
  EXPECT_STREQ(".NMB", header->FileExtension);
  EXPECT_EQ(2, header->NamePrefixDigit);
  EXPECT_EQ(9999, header->HeaderConstant);
  EXPECT_EQ(0, header->HeaderReserved1);
  EXPECT_EQ(0, header->HeaderReserved2);
  EXPECT_EQ(0, header->HeaderReserved3);
  for (int v : header->HeaderReservedBlock) EXPECT_EQ(0, v);
  EXPECT_EQ(0, header->SetupKey);
  EXPECT_EQ(4, header->GroupNumber);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DialogTest, ProgramWithoutSetupIsReportedNotShown) {
  AddSetup(0, 7);
  auto header = MakeHeader({MakeStep({"P1"})}, 2, 1);
  EXPECT_FALSE(header->SetupFound);
  EXPECT_EQ(
      "The steps of program 2 use setup 3, which the job does not have. The "
      "program is skipped.",
      NoSetupMessage(*header));
  // Nothing of another setup is borrowed, and no program file can follow
  // (only control type 7 gets one).
  EXPECT_STREQ("", header->SetupName);
  EXPECT_STREQ("B-and-R", header->ControlTypeName);
  EXPECT_NE(7, ControlTypeValue(header->Control));
  EXPECT_EQ(1, header->SetupCount);
  EXPECT_TRUE(ui_.messages().empty());
}

// ---- Opening --------------------------------------------------------------

TEST_F(DialogTest, OpeningShowsInchThicknessAndInchHardness) {
  AddSetup(0, 7);
  store_->Unit = 1;
  store_->Thickness = 2.54f;
  auto header = MakeHeader();
  Open(*header);
  EXPECT_EQ("0.1", ui_.Text(IDC_HEADER_THICKNESS));
  EXPECT_EQ("57.84", ui_.Text(IDC_HARDNESS));  // 40 x 1.446
  EXPECT_FLOAT_EQ(57.84f, header->Hardness);
}

TEST_F(DialogTest, OpeningLeavesMillimetreJobsAndTheExHardnessAlone) {
  AddSetup(0, 0);
  store_->Unit = 1;
  store_->Thickness = 25.4f;
  auto header = MakeHeader();
  Open(*header);
  EXPECT_EQ("1", ui_.Text(IDC_HEADER_THICKNESS));
  EXPECT_EQ("32", ui_.Text(IDC_HARDNESS));

  store_->Setups.RemoveAll();
  AddSetup(0, 7);
  store_->Unit = 2;  // anything but 1 is millimetres
  store_->Thickness = 1.5f;
  auto mm = MakeHeader();
  Open(*mm);
  EXPECT_EQ("1.5", ui_.Text(IDC_HEADER_THICKNESS));
  EXPECT_EQ("40", ui_.Text(IDC_HARDNESS));
}

TEST_F(DialogTest, OpeningFillsEveryFieldAndTheBrowseButton) {
  AddSetup(0, 7, "Front", "PB-3");
  AddTool("P88");
  auto header = MakeHeader({MakeStep({"P88"}), MakeStep({"P88"})});
  Open(*header);
  EXPECT_EQ("Front", ui_.Text(IDC_SETUP_NAME));
  EXPECT_EQ("BandR", ui_.Text(IDC_CONTROL_TYPE_NAME));
  EXPECT_EQ("PB-3", ui_.Text(IDC_MACHINE_MODEL));
  EXPECT_EQ(test_support::NativePath("/jobs/2030500.NMB"),
            ui_.Text(IDC_FILE_NAME));
  EXPECT_EQ("030500", ui_.Text(IDC_PROGRAM_NAME));
  EXPECT_EQ("BRACKET", ui_.Text(IDC_PART_REFERENCE));
  EXPECT_EQ("2", ui_.Text(IDC_TOTAL_STEPS));
  EXPECT_EQ("C.R.S.", ui_.Text(IDC_MATERIAL_NAME));
  EXPECT_EQ("1", ui_.Text(IDC_MATERIAL_NUMBER));
  EXPECT_EQ("P88", ui_.Text(IDC_PUNCH_NAME));
  EXPECT_EQ("0", ui_.Text(IDC_PUNCH_REV));
  EXPECT_EQ("03/05/24", ui_.Text(IDC_CREATION_DATE));
  EXPECT_TRUE(ui_.Visible(IDC_BROWSE_FOLDER));

  auto hidden = MakeHeader();
  ui_.ResetFields();
  ProgramDialog(*hidden, Context(), false).OnInitDialog(ui_);
  EXPECT_FALSE(ui_.Visible(IDC_BROWSE_FOLDER));
}

TEST_F(DialogTest, TypingLimitsFollowTheControlType) {
  const struct {
    int type;
    int program, part, die;
  } cases[] = {{7, 6, 13, 6}, {2, 6, 13, 6}, {0, 50, 50, 50}, {5, 0, 0, 6}};
  for (const auto& c : cases) {
    store_->Setups.RemoveAll();
    AddSetup(0, c.type);
    auto header = MakeHeader();
    Open(*header);
    EXPECT_EQ(c.program, ui_.Limit(IDC_PROGRAM_NAME)) << c.type;
    EXPECT_EQ(c.part, ui_.Limit(IDC_PART_REFERENCE)) << c.type;
    EXPECT_EQ(c.die, ui_.Limit(IDC_DIE_TARGET_NAME)) << c.type;
    EXPECT_EQ(6, ui_.Limit(IDC_PUNCH_TARGET_NAME)) << c.type;
    EXPECT_EQ(6, ui_.Limit(IDC_DIE_HOLDER_TARGET_NAME)) << c.type;
    EXPECT_EQ(6, ui_.Limit(IDC_SPACER_TARGET_NAME)) << c.type;
  }
}

// ---- Transfer and validation ----------------------------------------------

TEST_F(DialogTest, CreateTransfersTheEditedValues) {
  AddSetup(0, 7);
  ui_.AddDialog({.edits = {{IDC_PROGRAM_NAME, "ab12"},
                           {IDC_PART_REFERENCE, "Part-7"},
                           {IDC_PUNCH_TARGET_NAME, "K40"},
                           {IDC_HARDNESS, " 123.5 "}}});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  EXPECT_STREQ("ab12", header->ProgramName);
  EXPECT_STREQ("Part-7", header->PartReference);
  EXPECT_STREQ("K40", header->PunchTargetName);
  EXPECT_FLOAT_EQ(123.5f, header->Hardness);
  ASSERT_EQ(1u, ui_.dialogs().size());
  EXPECT_EQ(IDD_PROGRAM_DIALOG, ui_.dialogs()[0].template_id);
  EXPECT_EQ(Outcome::kCreated, ui_.dialogs()[0].outcome);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DialogTest, CancelTransfersNothing) {
  AddSetup(0, 7);
  ui_.AddDialog({.edits = {{IDC_PROGRAM_NAME, "XYZ"}, {IDC_HARDNESS, "77"}},
                 .action = ScriptedAction::kCancel});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kCancel, DialogOn(*header).Run());
  EXPECT_STREQ("030500", header->ProgramName);
  EXPECT_FLOAT_EQ(40, header->Hardness);
  EXPECT_EQ(Outcome::kCancelled, ui_.dialogs()[0].outcome);
}

TEST_F(DialogTest, ProgramNameIsCheckedAfterTheFourTargetNames) {
  AddSetup(0, 7);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetText(IDC_PROGRAM_NAME, "ABCDEFG");
  ui_.SetText(IDC_PUNCH_TARGET_NAME, "K40");
  ui_.SetText(IDC_DIE_TARGET_NAME, "");
  ui_.SetText(IDC_SPACER_TARGET_NAME, "SP1");
  EXPECT_FALSE(DialogOn(*header).OnOk(ui_));
  EXPECT_EQ(std::vector<std::string>{"Program Name: Enter no more than 6 "
                                     "characters."},
            MessageTexts());
  EXPECT_EQ(MessageIcon::kError, ui_.messages()[0].icon);
  EXPECT_EQ(IDC_PROGRAM_NAME, ui_.focus());
  // Transferred before the failing check, so they keep their new contents.
  EXPECT_STREQ("K40", header->PunchTargetName);
  EXPECT_STREQ("SP1", header->SpacerTargetName);
  EXPECT_STREQ("ABCDEFG", header->ProgramName);
}

TEST_F(DialogTest, TransferStopsAtTheFirstFailingField) {
  AddSetup(0, 7);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetText(IDC_PART_REFERENCE, "NEWREF");
  ui_.SetText(IDC_TOTAL_STEPS, "two");
  ui_.SetText(IDC_DIE_TARGET_NAME, "TOOLONG");
  ui_.SetText(IDC_HARDNESS, "55");
  EXPECT_FALSE(DialogOn(*header).OnOk(ui_));
  EXPECT_EQ(std::vector<std::string>{"Total Steps: Please enter an integer."},
            MessageTexts());
  EXPECT_EQ(IDC_TOTAL_STEPS, ui_.focus());
  EXPECT_STREQ("NEWREF", header->PartReference);  // row 6, before the failure
  EXPECT_FLOAT_EQ(40, header->Hardness);          // never reached

  ui_.ClearMessages();
  ui_.SetText(IDC_TOTAL_STEPS, "0");
  EXPECT_FALSE(DialogOn(*header).OnOk(ui_));
  EXPECT_EQ(std::vector<std::string>{"Die target name: Enter no more than 6 "
                                     "characters."},
            MessageTexts());
  EXPECT_EQ(IDC_DIE_TARGET_NAME, ui_.focus());
}

TEST_F(DialogTest, NumericFieldsMustHoldANumberOfTheirType) {
  AddSetup(0, 7);
  const struct {
    int control;
    const char* text;
    const char* message;
  } cases[] = {
      {IDC_TOTAL_STEPS, "1.5", "Total Steps: Please enter an integer."},
      {IDC_HEADER_THICKNESS, "2,5", "Thickness: Please enter a number."},
      {IDC_HEADER_THICKNESS, "1e39", "Thickness: Please enter a number."},
      {IDC_MATERIAL_NUMBER, "40000",
       "Material Number: Please enter an integer."},
      {IDC_HARDNESS, "", "Hardness: Please enter a number."},
      {IDC_HARDNESS, "nan", "Hardness: Please enter a number."},
  };
  for (const auto& c : cases) {
    auto header = MakeHeader();
    Open(*header);
    ui_.ClearMessages();
    ui_.SetText(c.control, c.text);
    EXPECT_FALSE(DialogOn(*header).OnOk(ui_)) << c.text;
    EXPECT_EQ(std::vector<std::string>{c.message}, MessageTexts()) << c.text;
    EXPECT_EQ(c.control, ui_.focus()) << c.text;
  }
}

TEST_F(DialogTest, NameLengthLimitsPerControlType) {
  const struct {
    int type;
    int program_ok, part_ok;  // longest accepted; -1: unlimited
  } cases[] = {{7, 6, 13}, {2, 6, 13}, {0, 50, 50}, {5, -1, -1}};
  for (const auto& c : cases) {
    store_->Setups.RemoveAll();
    AddSetup(0, c.type);
    const int program = c.program_ok < 0 ? 300 : c.program_ok;
    const int part = c.part_ok < 0 ? 300 : c.part_ok;
    auto header = MakeHeader();
    Open(*header);
    ui_.SetText(IDC_PROGRAM_NAME, std::string(program, 'P'));
    ui_.SetText(IDC_PART_REFERENCE, std::string(part, 'R'));
    ui_.SetText(IDC_HARDNESS, "10");
    EXPECT_TRUE(DialogOn(*header).OnOk(ui_)) << c.type;
    if (c.program_ok < 0) continue;
    ui_.ClearMessages();
    ui_.SetText(IDC_PROGRAM_NAME, std::string(program + 1, 'P'));
    EXPECT_FALSE(DialogOn(*header).OnOk(ui_)) << c.type;
    EXPECT_EQ(IDC_PROGRAM_NAME, ui_.focus());
    EXPECT_EQ("Program Name: Enter no more than " + std::to_string(program) +
                  " characters.",
              MessageTexts().at(0));
    ui_.SetText(IDC_PROGRAM_NAME, "P");
    ui_.SetText(IDC_PART_REFERENCE, std::string(part + 1, 'R'));
    EXPECT_FALSE(DialogOn(*header).OnOk(ui_)) << c.type;
    EXPECT_EQ(IDC_PART_REFERENCE, ui_.focus());
  }
}

TEST_F(DialogTest, TargetNamesAreLimitedToSixEvenForTheExControl) {
  AddSetup(0, 0);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetText(IDC_DIE_TARGET_NAME, "DIE4567");  // typing limit 50
  EXPECT_FALSE(DialogOn(*header).OnOk(ui_));
  EXPECT_EQ(IDC_DIE_TARGET_NAME, ui_.focus());
  ui_.SetText(IDC_DIE_TARGET_NAME, "DIE456");
  ui_.SetText(IDC_DIE_HOLDER_TARGET_NAME, "HOLDER7");
  EXPECT_FALSE(DialogOn(*header).OnOk(ui_));
  EXPECT_EQ(IDC_DIE_HOLDER_TARGET_NAME, ui_.focus());
}

TEST_F(DialogTest, HardnessRangeDependsOnControlTypeAndUnit) {
  const struct {
    int type, unit;
    const char* text;
    bool ok;
  } cases[] = {
      {7, 1, "1446", true},    {7, 1, "1446.1", false}, {7, 0, "1000", true},
      {7, 0, "1000.5", false}, {2, 0, "1", true},       {2, 0, "0.99", false},
      {0, 1, "1000", true},    {0, 1, "1001", false},   {0, 0, "-5", false},
      {5, 0, "0", true},       {5, 1, "99999", true},
  };
  for (const auto& c : cases) {
    store_->Setups.RemoveAll();
    AddSetup(0, c.type);
    store_->Unit = c.unit;
    auto header = MakeHeader();
    Open(*header);
    ui_.ClearMessages();
    ui_.SetText(IDC_HARDNESS, c.text);
    EXPECT_EQ(c.ok, DialogOn(*header).OnOk(ui_)) << c.type << " " << c.text;
    if (!c.ok) {
      const char* max = c.type == 7 && c.unit == 1 ? "1446" : "1000";
      EXPECT_EQ(
          std::string("Hardness: Enter a number between 1 and ") + max + ".",
          MessageTexts().at(0));
      EXPECT_EQ(IDC_HARDNESS, ui_.focus());
    }
  }
}

TEST_F(DialogTest, RefusedCreateIsRecordedAsCancelledByTheScript) {
  AddSetup(0, 7);
  ui_.AddDialog({.edits = {{IDC_PROGRAM_NAME, "1234567"}}});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kCancel, DialogOn(*header).Run());
  ASSERT_EQ(1u, ui_.dialogs().size());
  EXPECT_EQ(Outcome::kRefused, ui_.dialogs()[0].outcome);
  EXPECT_EQ(IDC_PROGRAM_NAME, ui_.dialogs()[0].focus);
  EXPECT_EQ(1u, ui_.messages().size());
}

// ---- Field table ----------------------------------------------------------

TEST(DialogFieldsTest, ValueNamesMapToTheirControls) {
  EXPECT_EQ(IDC_PROGRAM_NAME, ControlIdForValueName("ProgramName"));
  EXPECT_EQ(IDC_HARDNESS, ControlIdForValueName("Hardness"));
  EXPECT_EQ(IDC_SPACER_TARGET_NAME, ControlIdForValueName("SpacerTargetName"));
  EXPECT_FALSE(ControlIdForValueName("programname"));
  auto fields = ProgramDialogFields();
  ASSERT_EQ(23u, fields.size());
  EXPECT_STREQ("SetupName", fields.front().value_name);
  EXPECT_STREQ("Hardness", fields.back().value_name);
  int editable = 0;
  for (const auto& f : fields) {
    if (f.kind == FieldKind::kEditable) ++editable;
    EXPECT_EQ(&f, FindFieldByControlId(f.control_id));
  }
  EXPECT_EQ(7, editable);  // name, reference, four targets, hardness
}

}  // namespace
}  // namespace bendpost::testing
