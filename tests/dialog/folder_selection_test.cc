#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"

namespace bendpost::testing {
namespace {

FolderChoice Chosen(const std::string& path) {
  return FolderChoice{FolderChoice::Outcome::kChosen, path};
}

TEST_F(DialogTest, ChosenFolderReplacesTheFolderOfFileAndProgramPath) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = Chosen("/out")});
  auto dialog = MakeDialog();
  EXPECT_EQ(DialogResult::kOk, dialog->Run());
  ASSERT_EQ(1u, ui_.browses().size());
  EXPECT_EQ("Select Folder:", ui_.browses()[0].title);
  EXPECT_EQ("/jobs/", ui_.browses()[0].initial_folder);
  EXPECT_STREQ("/out/bracket.NMB", dialog->FileName);
  EXPECT_STREQ("/jobs/", dialog->OutputFolder);  // the folder browsed from
  EXPECT_STREQ("/out/bracket.bmf", store_->ProgramPath);
  EXPECT_EQ("/out/bracket.NMB", ui_.dialogs()[0].closed.at(IDC_FILE_NAME).text);
}

TEST_F(DialogTest, BandRFileKeepsItsLeafInTheNewFolder) {
  AddSetup(0, 7);
  AddSetup(1, 7);
  ui_.AddDialog({.folder = Chosen("/mnt/press")});
  auto dialog = MakeDialog({}, 1, 3);
  EXPECT_EQ(DialogResult::kOk, dialog->Run());
  EXPECT_STREQ("/mnt/press/2030500.S2P4.NMB", dialog->FileName);
  EXPECT_STREQ("/mnt/press/bracket.bmf", store_->ProgramPath);
}

TEST_F(DialogTest, CancelledBrowserChangesNothing) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = FolderChoice{}});
  auto dialog = MakeDialog();
  EXPECT_EQ(DialogResult::kOk, dialog->Run());
  EXPECT_STREQ("/jobs/bracket.NMB", dialog->FileName);
  EXPECT_STREQ("/jobs/bracket.bmf", store_->ProgramPath);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DialogTest, ItemWithoutAPathIsNotAValidFolder) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = FolderChoice{FolderChoice::Outcome::kNoPath, ""}});
  auto dialog = MakeDialog();
  EXPECT_EQ(DialogResult::kOk, dialog->Run());
  ASSERT_EQ(1u, ui_.messages().size());
  EXPECT_EQ("Folder name chosen is not valid.", ui_.messages()[0].text);
  EXPECT_EQ(MessageIcon::kNone, ui_.messages()[0].icon);
  EXPECT_STREQ("/jobs/bracket.NMB", dialog->FileName);
  EXPECT_STREQ("/jobs/bracket.bmf", store_->ProgramPath);
}

TEST_F(DialogTest, RootFolderGivesADoubledSeparator) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = Chosen("/")});
  auto dialog = MakeDialog();
  dialog->Run();
  EXPECT_STREQ("//bracket.NMB", dialog->FileName);
  EXPECT_STREQ("//bracket.bmf", store_->ProgramPath);
}

TEST_F(DialogTest, NameTypedBeforeBrowsingSurvives) {
  AddSetup(0, 7);
  auto dialog = MakeDialog();
  Open(*dialog);
  ui_.SetText(IDC_PROGRAM_NAME, "NEW1");
  ui_.SetFolderAnswer(Chosen("/out"));
  dialog->OnCommand(IDC_BROWSE_FOLDER, ui_);
  EXPECT_EQ("NEW1", ui_.Text(IDC_PROGRAM_NAME));
  EXPECT_STREQ("NEW1", dialog->ProgramName);
  // The file name is not rebuilt from the edited program name.
  EXPECT_STREQ("/out/2030500.NMB", dialog->FileName);
}

TEST_F(DialogTest, FailedValidationDoesNotStopBrowsing) {
  AddSetup(0, 7);
  auto dialog = MakeDialog();
  Open(*dialog);
  ui_.SetText(IDC_PROGRAM_NAME, "TOOLONG");
  ui_.SetFolderAnswer(Chosen("/out"));
  dialog->OnCommand(IDC_BROWSE_FOLDER, ui_);
  EXPECT_EQ(std::vector<std::string>{"Program Name: Enter no more than 6 "
                                     "characters."},
            MessageTexts());
  EXPECT_STREQ("/out/2030500.NMB", dialog->FileName);
  EXPECT_STREQ("/out/bracket.bmf", store_->ProgramPath);
}

TEST_F(DialogTest, BrowsingStartsFromTheCurrentFileNameEachTime) {
  AddSetup(0, 0);
  auto dialog = MakeDialog();
  Open(*dialog);
  ui_.SetFolderAnswer(Chosen("/a"));
  dialog->OnCommand(IDC_BROWSE_FOLDER, ui_);
  ui_.SetFolderAnswer(Chosen("/b"));
  dialog->OnCommand(IDC_BROWSE_FOLDER, ui_);
  ASSERT_EQ(2u, ui_.browses().size());
  EXPECT_EQ("/a/", ui_.browses()[1].initial_folder);
  EXPECT_STREQ("/b/bracket.NMB", dialog->FileName);
}

TEST_F(DialogTest, LaterProgramsStartFromTheChosenFolderEvenAfterCancel) {
  AddSetup(0, 7);
  AddSetup(1, 7);
  ui_.AddDialog({.folder = Chosen("/out"), .action = ScriptedAction::kCancel});
  auto first = MakeDialog({}, 0, 0);
  EXPECT_EQ(DialogResult::kCancel, first->Run());
  auto second = MakeDialog({}, 1, 1);
  EXPECT_STREQ("/out/", second->OutputFolder);
  EXPECT_STREQ("/out/2030500.S2P2.NMB", second->FileName);
}

TEST_F(DialogTest, ScriptPlaysMaterialThenFolderThenEdits) {
  AddSetup(0, 7);
  ui_.AddDialog({.material = "AL2",
                 .folder = Chosen("/out"),
                 .edits = {{IDC_PROGRAM_NAME, "XY1"}, {IDC_HARDNESS, "41"}}});
  auto dialog = MakeDialog();
  EXPECT_EQ(DialogResult::kOk, dialog->Run());
  EXPECT_STREQ("AL2", dialog->MaterialName);
  EXPECT_EQ(3, dialog->MaterialNumber);
  EXPECT_FLOAT_EQ(41, dialog->Hardness);  // typed after the material
  EXPECT_STREQ("XY1", dialog->ProgramName);
  EXPECT_STREQ("/out/2030500.NMB", dialog->FileName);
}

TEST_F(DialogTest, FolderWithTheButtonHiddenIsAScriptError) {
  AddSetup(0, 7);
  ui_.AddDialog({.folder = Chosen("/out")});
  steps_.RemoveAll();
  ProgramDialog dialog(0, 0, 0, steps_, 0);
  EXPECT_EQ(DialogResult::kCancel, dialog.Run());
  EXPECT_EQ(ScriptedUserInterface::Outcome::kScriptError,
            ui_.dialogs()[0].outcome);
  EXPECT_TRUE(ui_.browses().empty());
}

}  // namespace
}  // namespace bendpost::testing
