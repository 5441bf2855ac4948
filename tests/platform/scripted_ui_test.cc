#include "platform/scripted_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/dialog_ids.h"

namespace bendpost {
namespace {

// A dialog that logs what the user interface makes it do.
class LoggingController : public DialogController {
 public:
  void OnInitDialog(DialogFields& fields) override {
    log.push_back("init");
    fields.SetText(IDC_PROGRAM_NAME, "030500");
    fields.SetLimit(IDC_PROGRAM_NAME, 6);
    fields.FillList(IDC_MATERIAL_LIST, {"C.R.S.", "AL1"});
    fields.Show(IDC_BROWSE_FOLDER, browse_visible);
  }
  bool OnOk(DialogFields& fields) override {
    log.push_back("ok:" + fields.GetText(IDC_PROGRAM_NAME));
    if (!accept) fields.Focus(IDC_PROGRAM_NAME);
    return accept;
  }
  void OnCommand(int control_id, DialogFields& fields) override {
    if (control_id == IDC_MATERIAL_LIST) {
      log.push_back(
          "material:" +
          fields.ListEntry(control_id, fields.ListSelection(control_id)));
    } else {
      log.push_back("command:" + std::to_string(control_id));
    }
  }
  std::vector<std::string> log;
  bool accept = true;
  bool browse_visible = true;
};

TEST(ScriptedUserInterfaceTest, PlaysMaterialFolderEditsThenAction) {
  ScriptedUserInterface ui(
      {{.material = "AL1",
        .folder = FolderChoice{FolderChoice::Outcome::kChosen, "/x"},
        .edits = {{IDC_PROGRAM_NAME, "TOOLONG1"}}}});
  LoggingController dialog;
  EXPECT_EQ(DialogResult::kOk, ui.RunDialog(IDD_PROGRAM_DIALOG, dialog));
  EXPECT_EQ((std::vector<std::string>{
                "init", "material:AL1",
                "command:" + std::to_string(IDC_BROWSE_FOLDER), "ok:TOOLONG1"}),
            dialog.log);
  // Typing limits are recorded, not enforced.
  EXPECT_EQ(6, ui.Limit(IDC_PROGRAM_NAME));
  ASSERT_EQ(1u, ui.dialogs().size());
  const auto& record = ui.dialogs()[0];
  EXPECT_TRUE(record.scripted);
  EXPECT_EQ(ScriptedUserInterface::Outcome::kCreated, record.outcome);
  EXPECT_EQ("030500", record.opened.at(IDC_PROGRAM_NAME).text);
  EXPECT_EQ("TOOLONG1", record.closed.at(IDC_PROGRAM_NAME).text);
}

TEST(ScriptedUserInterfaceTest, RefusedCreateBecomesCancel) {
  ScriptedUserInterface ui(std::vector<ScriptedDialog>(1));
  LoggingController dialog;
  dialog.accept = false;
  EXPECT_EQ(DialogResult::kCancel, ui.RunDialog(IDD_PROGRAM_DIALOG, dialog));
  EXPECT_EQ(ScriptedUserInterface::Outcome::kRefused, ui.dialogs()[0].outcome);
  EXPECT_EQ(IDC_PROGRAM_NAME, ui.dialogs()[0].focus);
}

TEST(ScriptedUserInterfaceTest, DialogsBeyondTheScriptTakeTheDefault) {
  ScriptedUserInterface creates({{.action = ScriptedAction::kCancel}});
  LoggingController dialog;
  EXPECT_EQ(DialogResult::kCancel, creates.RunDialog(1, dialog));
  EXPECT_EQ(DialogResult::kOk, creates.RunDialog(1, dialog));
  EXPECT_FALSE(creates.dialogs()[1].scripted);
  EXPECT_EQ(1, creates.dialogs()[1].script_index);

  ScriptedUserInterface cancels({}, ScriptedAction::kCancel);
  EXPECT_EQ(DialogResult::kCancel, cancels.RunDialog(1, dialog));
  EXPECT_EQ(ScriptedUserInterface::Outcome::kCancelled,
            cancels.dialogs()[0].outcome);
}

TEST(ScriptedUserInterfaceTest, ScriptThatDoesNotFitIsAnErrorNotACreate) {
  ScriptedUserInterface ui(
      {{.material = "Mild"},
       {.folder = FolderChoice{FolderChoice::Outcome::kChosen, "/x"}}});
  LoggingController dialog;
  EXPECT_EQ(DialogResult::kCancel, ui.RunDialog(1, dialog));
  dialog.browse_visible = false;
  EXPECT_EQ(DialogResult::kCancel, ui.RunDialog(1, dialog));
  for (const auto& record : ui.dialogs()) {
    EXPECT_EQ(ScriptedUserInterface::Outcome::kScriptError, record.outcome);
    EXPECT_FALSE(record.error.empty());
  }
  EXPECT_EQ((std::vector<std::string>{"init", "init"}), dialog.log);
}

TEST(ScriptedUserInterfaceTest, RecordsMessagesAndTellsTheListener) {
  ScriptedUserInterface ui;
  std::vector<std::string> heard;
  ui.SetMessageListener([&heard](const ScriptedUserInterface::Message& m) {
    heard.push_back(m.text);
  });
  ui.ShowMessage("plain", MessageIcon::kNone);
  ui.ShowMessage("bad", MessageIcon::kError);
  ASSERT_EQ(2u, ui.messages().size());
  EXPECT_EQ(MessageIcon::kError, ui.messages()[1].icon);
  EXPECT_EQ((std::vector<std::string>{"plain", "bad"}), heard);
}

// A long batch keeps what tells the dialogs apart (outcome, error, script
// entry) and nothing that grows with each dialog's fields or messages.
TEST(ScriptedUserInterfaceTest, WithoutHistoryOnlyOutcomesAreKept) {
  ScriptedUserInterface ui({{.edits = {{IDC_PROGRAM_NAME, "P2"}}},
                            {.material = "Mild"},
                            {.action = ScriptedAction::kCancel}});
  ui.SetKeepHistory(false);
  std::vector<std::string> heard;
  ui.SetMessageListener([&heard](const ScriptedUserInterface::Message& m) {
    heard.push_back(m.text);
  });
  LoggingController dialog;
  EXPECT_EQ(DialogResult::kOk, ui.RunDialog(1, dialog));
  EXPECT_EQ(DialogResult::kCancel, ui.RunDialog(1, dialog));
  EXPECT_EQ(DialogResult::kCancel, ui.RunDialog(1, dialog));
  ui.ShowMessage("created", MessageIcon::kNone);

  // The dialogs were played as with history: the edit reached the dialog.
  EXPECT_EQ((std::vector<std::string>{"init", "ok:P2", "init", "init"}),
            dialog.log);
  ASSERT_EQ(3u, ui.dialogs().size());
  using Outcome = ScriptedUserInterface::Outcome;
  EXPECT_EQ(Outcome::kCreated, ui.dialogs()[0].outcome);
  EXPECT_EQ(Outcome::kScriptError, ui.dialogs()[1].outcome);
  EXPECT_FALSE(ui.dialogs()[1].error.empty());
  EXPECT_EQ(Outcome::kCancelled, ui.dialogs()[2].outcome);
  EXPECT_EQ(2, ui.dialogs()[2].script_index);
  for (const auto& record : ui.dialogs()) {
    EXPECT_TRUE(record.opened.empty());
    EXPECT_TRUE(record.closed.empty());
  }
  // The open dialog's fields are still there to inspect.
  EXPECT_EQ("030500", ui.Text(IDC_PROGRAM_NAME));
  EXPECT_TRUE(ui.messages().empty());
  EXPECT_EQ((std::vector<std::string>{"created"}), heard);
}

}  // namespace
}  // namespace bendpost
