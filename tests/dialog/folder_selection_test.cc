#include <gtest/gtest.h>

#include <string>

#include "dialog_test_support.h"
#include "support/native_path.h"

namespace bendpost::testing {
namespace {

using test_support::NativePath;

FolderChoice Chosen(const std::string& path) {
  return FolderChoice{FolderChoice::Outcome::kChosen, path};
}

TEST_F(DialogTest, ChosenFolderReplacesTheFolderOfFileAndProgramPath) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = Chosen(NativePath("/out"))});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  ASSERT_EQ(1u, ui_.browses().size());
  EXPECT_EQ("Select Folder:", ui_.browses()[0].title);
  EXPECT_EQ(NativePath("/jobs/"), ui_.browses()[0].initial_folder);
  EXPECT_STREQ(NativePath("/out/bracket.NMB").c_str(), header->FileName);
  EXPECT_STREQ(NativePath("/jobs/").c_str(),
               header->OutputFolder);  // the folder browsed from
  EXPECT_STREQ(NativePath("/out/bracket.bmf").c_str(), store_->ProgramPath);
  EXPECT_EQ(NativePath("/out/bracket.NMB"),
            ui_.dialogs()[0].closed.at(IDC_FILE_NAME).text);
}

TEST_F(DialogTest, BandRFileKeepsItsLeafInTheNewFolder) {
  AddSetup(0, 7);
  AddSetup(1, 7);
  ui_.AddDialog({.folder = Chosen(NativePath("/mnt/press"))});
  auto header = MakeHeader({}, 1, 3);
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  EXPECT_STREQ(NativePath("/mnt/press/2030500.S2P4.NMB").c_str(),
               header->FileName);
  EXPECT_STREQ(NativePath("/mnt/press/bracket.bmf").c_str(),
               store_->ProgramPath);
}

TEST_F(DialogTest, CancelledBrowserChangesNothing) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = FolderChoice{}});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  EXPECT_STREQ(NativePath("/jobs/bracket.NMB").c_str(), header->FileName);
  EXPECT_STREQ(NativePath("/jobs/bracket.bmf").c_str(), store_->ProgramPath);
  EXPECT_TRUE(ui_.messages().empty());
}

TEST_F(DialogTest, ItemWithoutAPathIsNotAValidFolder) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = FolderChoice{FolderChoice::Outcome::kNoPath, ""}});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  ASSERT_EQ(1u, ui_.messages().size());
  EXPECT_EQ("Folder name chosen is not valid.", ui_.messages()[0].text);
  EXPECT_EQ(MessageIcon::kNone, ui_.messages()[0].icon);
  EXPECT_STREQ(NativePath("/jobs/bracket.NMB").c_str(), header->FileName);
  EXPECT_STREQ(NativePath("/jobs/bracket.bmf").c_str(), store_->ProgramPath);
}

TEST_F(DialogTest, RootFolderGivesADoubledSeparator) {
  AddSetup(0, 0);
  ui_.AddDialog({.folder = Chosen(NativePath("/"))});
  auto header = MakeHeader();
  DialogOn(*header).Run();
  EXPECT_STREQ(NativePath("//bracket.NMB").c_str(), header->FileName);
  EXPECT_STREQ(NativePath("//bracket.bmf").c_str(), store_->ProgramPath);
}

TEST_F(DialogTest, NameTypedBeforeBrowsingSurvives) {
  AddSetup(0, 7);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetText(IDC_PROGRAM_NAME, "NEW1");
  ui_.SetFolderAnswer(Chosen(NativePath("/out")));
  DialogOn(*header).OnCommand(IDC_BROWSE_FOLDER, ui_);
  EXPECT_EQ("NEW1", ui_.Text(IDC_PROGRAM_NAME));
  EXPECT_STREQ("NEW1", header->ProgramName);
  // The file name is not rebuilt from the edited program name.
  EXPECT_STREQ(NativePath("/out/2030500.NMB").c_str(), header->FileName);
}

TEST_F(DialogTest, FailedValidationDoesNotStopBrowsing) {
  AddSetup(0, 7);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetText(IDC_PROGRAM_NAME, "TOOLONG");
  ui_.SetFolderAnswer(Chosen(NativePath("/out")));
  DialogOn(*header).OnCommand(IDC_BROWSE_FOLDER, ui_);
  EXPECT_EQ(std::vector<std::string>{"Program Name: Enter no more than 6 "
                                     "characters."},
            MessageTexts());
  EXPECT_STREQ(NativePath("/out/2030500.NMB").c_str(), header->FileName);
  EXPECT_STREQ(NativePath("/out/bracket.bmf").c_str(), store_->ProgramPath);
}

TEST_F(DialogTest, BrowsingStartsFromTheCurrentFileNameEachTime) {
  AddSetup(0, 0);
  auto header = MakeHeader();
  Open(*header);
  ui_.SetFolderAnswer(Chosen(NativePath("/a")));
  DialogOn(*header).OnCommand(IDC_BROWSE_FOLDER, ui_);
  ui_.SetFolderAnswer(Chosen(NativePath("/b")));
  DialogOn(*header).OnCommand(IDC_BROWSE_FOLDER, ui_);
  ASSERT_EQ(2u, ui_.browses().size());
  EXPECT_EQ(NativePath("/a/"), ui_.browses()[1].initial_folder);
  EXPECT_STREQ(NativePath("/b/bracket.NMB").c_str(), header->FileName);
}

TEST_F(DialogTest, LaterProgramsStartFromTheChosenFolderEvenAfterCancel) {
  AddSetup(0, 7);
  AddSetup(1, 7);
  ui_.AddDialog({.folder = Chosen(NativePath("/out")),
                 .action = ScriptedAction::kCancel});
  auto first = MakeHeader({}, 0, 0);
  EXPECT_EQ(DialogResult::kCancel, DialogOn(*first).Run());
  auto second = MakeHeader({}, 1, 1);
  EXPECT_STREQ(NativePath("/out/").c_str(), second->OutputFolder);
  EXPECT_STREQ(NativePath("/out/2030500.S2P2.NMB").c_str(), second->FileName);
}

TEST_F(DialogTest, ScriptPlaysMaterialThenFolderThenEdits) {
  AddSetup(0, 7);
  ui_.AddDialog({.material = "AL2",
                 .folder = Chosen(NativePath("/out")),
                 .edits = {{IDC_PROGRAM_NAME, "XY1"}, {IDC_HARDNESS, "41"}}});
  auto header = MakeHeader();
  EXPECT_EQ(DialogResult::kOk, DialogOn(*header).Run());
  EXPECT_STREQ("AL2", header->MaterialName);
  EXPECT_EQ(3, header->MaterialNumber);
  EXPECT_FLOAT_EQ(41, header->Hardness);  // typed after the material
  EXPECT_STREQ("XY1", header->ProgramName);
  EXPECT_STREQ(NativePath("/out/2030500.NMB").c_str(), header->FileName);
}

TEST_F(DialogTest, FolderWithTheButtonHiddenIsAScriptError) {
  AddSetup(0, 7);
  ui_.AddDialog({.folder = Chosen(NativePath("/out"))});
  auto header = MakeHeader();
  ProgramDialog dialog(*header, Context(), false);
  EXPECT_EQ(DialogResult::kCancel, dialog.Run());
  EXPECT_EQ(ScriptedUserInterface::Outcome::kScriptError,
            ui_.dialogs()[0].outcome);
  EXPECT_TRUE(ui_.browses().empty());
}

}  // namespace
}  // namespace bendpost::testing
