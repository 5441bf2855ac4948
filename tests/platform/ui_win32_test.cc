// The Win32 user interface driven headless: message boxes, the program
// dialog's template with a stand-in controller, and the folder browser.
// ModalScript plays the operator.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui.h"
#include "resources/dialog_ids.h"
#include "support/modal_script_win32.h"

namespace bendpost {
namespace {

using ::bendpost::test_support::HasStaticText;
using ::bendpost::test_support::ModalScript;
using ::bendpost::test_support::PressButton;
using ::bendpost::test_support::WindowText;

std::string ItemText(HWND dialog, int id) {
  return WindowText(GetDlgItem(dialog, id));
}

bool HasVisibleIcon(HWND box) {
  for (HWND c = GetWindow(box, GW_CHILD); c != nullptr;
       c = GetWindow(c, GW_HWNDNEXT)) {
    if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(c) && SendMessageA(c, STM_GETICON, 0, 0) != 0)
      return true;
  }
  return false;
}

class StandInController : public DialogController {
 public:
  std::function<void(DialogFields&)> init = [](DialogFields&) {};
  std::function<bool(DialogFields&)> ok = [](DialogFields&) { return true; };
  std::vector<int> commands;
  std::vector<int> selection_at_command;
  int ok_calls = 0;

  void OnInitDialog(DialogFields& fields) override { init(fields); }
  bool OnOk(DialogFields& fields) override {
    ++ok_calls;
    return ok(fields);
  }
  void OnCommand(int control_id, DialogFields& fields) override {
    commands.push_back(control_id);
    selection_at_command.push_back(fields.ListSelection(IDC_MATERIAL_LIST));
  }
};

class Win32UiTest : public ::testing::Test {
 protected:
  UserInterface& ui_ = DefaultUserInterface();
};

TEST_F(Win32UiTest, MessageBoxShowsTheTextWithAnOkButtonAndTheModuleAsCaption) {
  std::string caption;
  bool text_shown = false, icon = true;
  ModalScript script({[&](HWND box) {
    caption = WindowText(box);
    text_shown = HasStaticText(box, "Open file fails!");
    icon = HasVisibleIcon(box);
    EXPECT_NE(nullptr, GetDlgItem(box, IDOK));
    EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL));
    PressButton(box, IDOK);
  }});
  ui_.ShowMessage("Open file fails!", MessageIcon::kNone);
  EXPECT_EQ(1u, script.steps_run());
  EXPECT_EQ(0, script.unexpected_windows());
  EXPECT_EQ("bendpost_tests", caption);
  EXPECT_TRUE(text_shown);
  EXPECT_FALSE(icon);
}

TEST_F(Win32UiTest, ErrorMessageBoxCarriesTheErrorIcon) {
  bool icon = false, text_shown = false;
  ModalScript script({[&](HWND box) {
    text_shown = HasStaticText(box, "program created failed !");
    icon = HasVisibleIcon(box);
    PressButton(box, IDOK);
  }});
  ui_.ShowMessage("program created failed !", MessageIcon::kError);
  EXPECT_EQ(1u, script.steps_run());
  EXPECT_TRUE(text_shown);
  EXPECT_TRUE(icon);
}

TEST_F(Win32UiTest, DialogFieldsReachTheRealControls) {
  StandInController controller;
  controller.init = [](DialogFields& f) {
    f.SetText(IDC_SETUP_NAME, "Setup 1");
    f.SetText(IDC_PROGRAM_NAME, "030507");
    f.SetLimit(IDC_PROGRAM_NAME, 6);
    f.SetLimit(IDC_PART_REFERENCE, 0);
    f.FillList(IDC_MATERIAL_LIST, {"Steel", "Aluminium", "Stainless"});
    f.FillList(IDC_MATERIAL_LIST, {"Zinc", "Steel", "Aluminium", "Stainless"});
    f.SelectListEntry(IDC_MATERIAL_LIST, 2);
    f.Show(IDC_BROWSE_FOLDER, false);
    f.Focus(IDC_PART_REFERENCE);  // kept: not moved to the first tab stop
  };
  std::string seen_part_reference, entry, outside;
  int selection = -2, count = 0;
  controller.ok = [&](DialogFields& f) {
    seen_part_reference = f.GetText(IDC_PART_REFERENCE);
    selection = f.ListSelection(IDC_MATERIAL_LIST);
    entry = f.ListEntry(IDC_MATERIAL_LIST, 0);
    outside = f.ListEntry(IDC_MATERIAL_LIST, 4);
    f.SelectListEntry(IDC_MATERIAL_LIST, -1);
    count = f.ListSelection(IDC_MATERIAL_LIST);
    return true;
  };
  ModalScript script({[&](HWND dialog) {
    EXPECT_EQ("Postprocessor Program Creation Dialog:", WindowText(dialog));
    EXPECT_EQ("Setup 1", ItemText(dialog, IDC_SETUP_NAME));
    EXPECT_EQ("030507", ItemText(dialog, IDC_PROGRAM_NAME));
    EXPECT_EQ(GetDlgItem(dialog, IDC_PART_REFERENCE), GetFocus());
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_BROWSE_FOLDER)));
    EXPECT_EQ(
        4, SendDlgItemMessageA(dialog, IDC_MATERIAL_LIST, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(
        2, SendDlgItemMessageA(dialog, IDC_MATERIAL_LIST, CB_GETCURSEL, 0, 0));
    // The operator types 8 characters into a field limited to 6.
    HWND name = GetDlgItem(dialog, IDC_PROGRAM_NAME);
    SetWindowTextA(name, "");
    for (char ch : std::string("ABCDEFGH")) SendMessageA(name, WM_CHAR, ch, 1);
    EXPECT_EQ("ABCDEF", WindowText(name));
    // No limit: a long part reference is typed whole.
    HWND part = GetDlgItem(dialog, IDC_PART_REFERENCE);
    for (char ch : std::string("VERYLONGPARTNAME01"))
      SendMessageA(part, WM_CHAR, ch, 1);
    PressButton(dialog, IDOK);
  }});
  EXPECT_EQ(DialogResult::kOk, ui_.RunDialog(IDD_PROGRAM_DIALOG, controller));
  EXPECT_EQ(1u, script.steps_run());
  EXPECT_EQ(0, script.unexpected_windows());
  EXPECT_EQ(1, controller.ok_calls);
  EXPECT_EQ("VERYLONGPARTNAME01", seen_part_reference);
  EXPECT_EQ(2, selection);
  EXPECT_EQ("Zinc", entry);  // refilled: the old entries are gone
  EXPECT_EQ("", outside);
  EXPECT_EQ(-1, count);
}

TEST_F(Win32UiTest, RefusedCreateKeepsTheDialogOpenWithTheFailingFieldFocused) {
  StandInController controller;
  controller.ok = [&](DialogFields& f) {
    if (controller.ok_calls > 1) return true;
    DefaultUserInterface().ShowMessage("Enter no more than 6 characters.",
                                       MessageIcon::kNone);
    f.Focus(IDC_PART_REFERENCE);
    return false;
  };
  bool box_seen = false;
  HWND focus = nullptr, expected_focus = nullptr;
  ModalScript script({
      [](HWND dialog) { PressButton(dialog, IDOK); },
      [&](HWND box) {
        box_seen = HasStaticText(box, "Enter no more than 6 characters.");
        PressButton(box, IDOK);
      },
      [&](HWND dialog) {
        focus = GetFocus();
        expected_focus = GetDlgItem(dialog, IDC_PART_REFERENCE);
        PressButton(dialog, IDOK);
      },
  });
  EXPECT_EQ(DialogResult::kOk, ui_.RunDialog(IDD_PROGRAM_DIALOG, controller));
  EXPECT_EQ(3u, script.steps_run());
  EXPECT_EQ(0, script.unexpected_windows());
  EXPECT_TRUE(box_seen);
  EXPECT_EQ(2, controller.ok_calls);
  EXPECT_NE(nullptr, focus);
  EXPECT_EQ(expected_focus, focus);
}

TEST_F(Win32UiTest, CancelAndTheCloseBoxEndTheDialogWithoutOk) {
  StandInController controller;
  {
    ModalScript script({[](HWND dialog) { PressButton(dialog, IDCANCEL); }});
    EXPECT_EQ(DialogResult::kCancel,
              ui_.RunDialog(IDD_PROGRAM_DIALOG, controller));
    EXPECT_EQ(1u, script.steps_run());
  }
  {
    ModalScript script(
        {[](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }});
    EXPECT_EQ(DialogResult::kCancel,
              ui_.RunDialog(IDD_PROGRAM_DIALOG, controller));
    EXPECT_EQ(1u, script.steps_run());
  }
  EXPECT_EQ(0, controller.ok_calls);
  EXPECT_TRUE(controller.commands.empty());
}

TEST_F(Win32UiTest, ListSelectionAndBrowseClickReachTheController) {
  StandInController controller;
  controller.init = [](DialogFields& f) {
    f.FillList(IDC_MATERIAL_LIST, {"Steel", "Aluminium", "Stainless"});
    f.SelectListEntry(IDC_MATERIAL_LIST, 0);
  };
  ModalScript script({[](HWND dialog) {
    // The keyboard moves the closed list's selection, the mouse clicks "...";
    // both notify the dialog as the operator's actions would.
    HWND list = GetDlgItem(dialog, IDC_MATERIAL_LIST);
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(GetDlgItem(dialog, IDC_BROWSE_FOLDER), BM_CLICK, 0, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }});
  EXPECT_EQ(DialogResult::kCancel,
            ui_.RunDialog(IDD_PROGRAM_DIALOG, controller));
  ASSERT_EQ((std::vector<int>{IDC_MATERIAL_LIST, IDC_BROWSE_FOLDER}),
            controller.commands);
  EXPECT_EQ(1, controller.selection_at_command[0]);
}

TEST_F(Win32UiTest, ControllerExceptionsCloseTheDialogAndReachTheCaller) {
  StandInController controller;
  controller.init = [](DialogFields&) { throw std::runtime_error("init"); };
  EXPECT_THROW(ui_.RunDialog(IDD_PROGRAM_DIALOG, controller),
               std::runtime_error);

  StandInController on_ok;
  on_ok.ok = [](DialogFields&) -> bool { throw std::length_error("ok"); };
  ModalScript script({[](HWND dialog) { PressButton(dialog, IDOK); }});
  EXPECT_THROW(ui_.RunDialog(IDD_PROGRAM_DIALOG, on_ok), std::length_error);
  EXPECT_EQ(0, script.unexpected_windows());
}

TEST_F(Win32UiTest, AMissingTemplateCountsAsCancel) {
  StandInController controller;
  EXPECT_EQ(DialogResult::kCancel, ui_.RunDialog(4242, controller));
  EXPECT_EQ(0, controller.ok_calls);
}

std::string Lower(std::string s) {
  CharLowerA(s.data());
  return s;
}

TEST_F(Win32UiTest, FolderBrowserStartsAtTheInitialFolderAndReturnsTheChoice) {
  char windows_dir[MAX_PATH] = {};
  GetWindowsDirectoryA(windows_dir, MAX_PATH);
  bool title_shown = false;
  ModalScript script({[&](HWND browser) {
    title_shown = HasStaticText(browser, "Select Folder:");
    PressButton(browser, IDOK);  // takes the initial selection
  }});
  FolderChoice choice =
      ui_.BrowseForFolder("Select Folder:", std::string(windows_dir) + "\\");
  EXPECT_EQ(1u, script.steps_run());
  EXPECT_TRUE(title_shown);
  ASSERT_EQ(FolderChoice::Outcome::kChosen, choice.outcome);
  EXPECT_EQ(Lower(windows_dir), Lower(choice.path));
}

TEST_F(Win32UiTest, FolderBrowserCancelled) {
  ModalScript script({[](HWND browser) { PressButton(browser, IDCANCEL); }});
  FolderChoice choice = ui_.BrowseForFolder("Select Folder:", "C:\\");
  EXPECT_EQ(1u, script.steps_run());
  EXPECT_EQ(FolderChoice::Outcome::kCancelled, choice.outcome);
  EXPECT_EQ("", choice.path);
}

TEST_F(Win32UiTest, FolderBrowserItemWithoutAFileSystemPath) {
  ModalScript script({[](HWND browser) {
    // "My Computer" is an item of the shell namespace, not a folder.
    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(S_OK,
              SHGetSpecialFolderLocation(browser, CSIDL_DRIVES, &computer));
    SendMessageA(browser, BFFM_SETSELECTIONA, FALSE,
                 reinterpret_cast<LPARAM>(computer));
    CoTaskMemFree(computer);
    PressButton(browser, IDOK);
  }});
  FolderChoice choice = ui_.BrowseForFolder("Select Folder:", "C:\\");
  EXPECT_EQ(1u, script.steps_run());
  EXPECT_EQ(FolderChoice::Outcome::kNoPath, choice.outcome);
}

}  // namespace
}  // namespace bendpost
