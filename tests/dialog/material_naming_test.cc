#include "dialog/material_naming.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_test_support.h"

namespace bendpost::testing {
namespace {

using Entries = std::vector<std::string>;

TEST_F(DialogTest, MaterialTableByControlTypeAndCode) {
  const struct {
    int type, code;
    const char* name;
    float hardness;
    int number;
  } cases[] = {
      {7, 8, "C.R.S.", 40, 1},    {7, 2, "C.R.S.", 40, 1},
      {2, 3, "AL1", 33, 2},       {7, 4, "AL2", 40, 3},
      {7, 6, "S.S.", 60, 4},      {0, 7, "Mild", 32, 0},
      {0, 3, "Aluminium", 15, 0}, {0, 5, "Stainless", 80, 0},
      {2, 9, "", 45, 0},          {7, 0, "", 45, 0},
      {5, 1, "", 45, 0},
  };
  for (const auto& c : cases) {
    store_->Setups.RemoveAll();
    AddSetup(0, c.type);
    store_->MaterialCode = c.code;
    auto header = MakeHeader();
    EXPECT_STREQ(c.name, header->MaterialName) << c.type << "/" << c.code;
    EXPECT_FLOAT_EQ(c.hardness, header->Hardness) << c.type << "/" << c.code;
    EXPECT_EQ(c.number, header->MaterialNumber) << c.type << "/" << c.code;
    EXPECT_FLOAT_EQ(2, header->HeaderThickness);
  }
}

TEST_F(DialogTest, MaterialListAndItsSelectionAtOpening) {
  AddSetup(0, 0);
  store_->MaterialCode = 3;
  auto header = MakeHeader();
  Open(*header);
  const ScriptedField& list = ui_.fields().at(IDC_MATERIAL_LIST);
  EXPECT_EQ((Entries{"Mild", "Stainless", "Aluminium"}), list.entries);
  EXPECT_EQ(2, list.selection);

  store_->Setups[0].SetControlType(7);
  store_->MaterialCode = 6;
  header = MakeHeader();
  Open(*header);
  EXPECT_EQ((Entries{"C.R.S.", "AL1", "AL2", "S.S."}),
            ui_.fields().at(IDC_MATERIAL_LIST).entries);
  EXPECT_EQ(3, ui_.fields().at(IDC_MATERIAL_LIST).selection);

  // No material name: nothing is selected; other control types: no list.
  store_->MaterialCode = 9;
  header = MakeHeader();
  Open(*header);
  EXPECT_EQ(-1, ui_.fields().at(IDC_MATERIAL_LIST).selection);
  store_->Setups[0].SetControlType(5);
  header = MakeHeader();
  Open(*header);
  EXPECT_TRUE(ui_.fields().at(IDC_MATERIAL_LIST).entries.empty());
}

TEST(MaterialListTest, SelectionMatchesAPrefixIgnoringCase) {
  const Entries entries = {"C.R.S.", "AL1", "AL2", "S.S."};
  EXPECT_EQ(1, FindMaterialListEntry(entries, "al"));
  EXPECT_EQ(2, FindMaterialListEntry(entries, "Al2"));
  EXPECT_EQ(0, FindMaterialListEntry(entries, "c.r"));
  EXPECT_EQ(-1, FindMaterialListEntry(entries, "AL12"));
  EXPECT_EQ(-1, FindMaterialListEntry(entries, ""));
}

TEST_F(DialogTest, ChoosingAMaterialInAnInchJobScalesTheHardness) {
  AddSetup(0, 7);
  store_->Unit = 1;
  store_->MaterialCode = 4;
  ui_.AddDialog({.material = "AL1"});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  const auto& record = ui_.dialogs()[0];
  EXPECT_EQ("57.84", record.opened.at(IDC_HARDNESS).text);
  EXPECT_EQ("3", record.opened.at(IDC_MATERIAL_NUMBER).text);
  EXPECT_EQ("47.718", record.closed.at(IDC_HARDNESS).text);
  EXPECT_STREQ("AL1", header->MaterialName);
  EXPECT_EQ(2, header->MaterialNumber);
  EXPECT_FLOAT_EQ(47.718f, header->Hardness);
}

TEST_F(DialogTest, ExControlChoiceSetsHardnessOnlyWithoutTheInchFactor) {
  AddSetup(0, 0);
  store_->Unit = 1;
  ui_.AddDialog({.material = "Stainless"});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  EXPECT_STREQ("Stainless", header->MaterialName);
  EXPECT_FLOAT_EQ(80, header->Hardness);
  EXPECT_EQ(0, header->MaterialNumber);
}

TEST_F(DialogTest, ChoosingAMaterialRedisplaysTheStoredValues) {
  AddSetup(0, 7);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetText(IDC_PROGRAM_NAME, "TYPED");
  ui_.SelectListEntry(IDC_MATERIAL_LIST, 3);
  DialogOn(*header).OnCommand(IDC_MATERIAL_LIST, ui_);
  EXPECT_EQ("030500", ui_.Text(IDC_PROGRAM_NAME));
  EXPECT_EQ("S.S.", ui_.Text(IDC_MATERIAL_NAME));
  EXPECT_EQ("60", ui_.Text(IDC_HARDNESS));
  // The operator may still type another hardness; the last one counts.
  ui_.SetText(IDC_HARDNESS, "52.5");
  EXPECT_TRUE(DialogOn(*header).OnOk(ui_));
  EXPECT_FLOAT_EQ(52.5f, header->Hardness);
  EXPECT_EQ(4, header->MaterialNumber);
}

TEST_F(DialogTest, UnknownMaterialInTheScriptCancelsWithAnError) {
  AddSetup(0, 7);
  ui_.AddDialog({.material = "Mild"});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kCancel, DialogOn(*header).Run());
  EXPECT_EQ(ScriptedUserInterface::Outcome::kScriptError,
            ui_.dialogs()[0].outcome);
  EXPECT_NE(std::string::npos, ui_.dialogs()[0].error.find("Mild"));
}

}  // namespace
}  // namespace bendpost::testing
