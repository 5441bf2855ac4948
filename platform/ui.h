// The user interface port: message boxes, the modal program dialog and the
// folder browser. The driver's logic talks to the operator only through
// this interface, so every decision is testable without a window system.
//
// Implementations: the Win32 one (ui_win32.cc), the terminal one of POSIX
// systems, and ScriptedUserInterface for tests and batch use.
#ifndef BENDPOST_PLATFORM_UI_H_
#define BENDPOST_PLATFORM_UI_H_

#include <string>
#include <vector>

namespace bendpost {

enum class MessageIcon { kNone, kError };

// Field access of an open dialog, addressed by the control ids of the
// dialog template. The dialog's data transfer works only through this.
class DialogFields {
 public:
  virtual ~DialogFields() = default;
  virtual std::string GetText(int control_id) = 0;
  virtual void SetText(int control_id, const std::string& text) = 0;
  // Typing limit of an edit field in characters; 0 removes the limit.
  virtual void SetLimit(int control_id, int max_chars) = 0;
  // Replaces the entries of a drop-down list; nothing is selected after.
  virtual void FillList(int control_id,
                        const std::vector<std::string>& entries) = 0;
  // Selects entry `index` of a list; -1 selects nothing.
  virtual void SelectListEntry(int control_id, int index) = 0;
  // The selected entry's index, or -1.
  virtual int ListSelection(int control_id) = 0;
  // The text of entry `index` ("" outside the list).
  virtual std::string ListEntry(int control_id, int index) = 0;
  virtual void Focus(int control_id) = 0;
  virtual void Show(int control_id, bool visible) = 0;
};

// What a modal dialog does on its window's events; the platform's dialog
// calls these and the program dialog implements them.
class DialogController {
 public:
  virtual ~DialogController() = default;
  // The window exists: fill the fields.
  virtual void OnInitDialog(DialogFields& fields) = 0;
  // "Create..." (the OK button): true closes the dialog with OK, false keeps
  // it open (a validation failure already told the operator).
  virtual bool OnOk(DialogFields& fields) = 0;
  // A command of a control: a button click or a list selection change.
  virtual void OnCommand(int control_id, DialogFields& fields) = 0;
};

enum class DialogResult { kOk = 1, kCancel = 2 };

struct FolderChoice {
  enum class Outcome {
    kCancelled,  // the operator cancelled the browser
    kChosen,     // `path` holds the chosen folder's file-system path
    kNoPath,     // an item without a file-system path was chosen
  };
  Outcome outcome = Outcome::kCancelled;
  std::string path;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A modal message box with an OK button (and the error icon if asked).
  virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
  // Runs the dialog of `template_id` modally with `controller`.
  virtual DialogResult RunDialog(int template_id,
                                 DialogController& controller) = 0;
  // The folder browser: title, initial folder; the operator's choice.
  virtual FolderChoice BrowseForFolder(const std::string& title,
                                       const std::string& initial_folder) = 0;
};

// The platform's own user interface.
UserInterface& DefaultUserInterface();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_UI_H_
