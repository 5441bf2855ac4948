// ScriptedUserInterface: a user interface that answers from a script and
// records what the operator would have seen. Used by the tests and by the
// command-line host's batch mode (--yes, --answers).
//
// It is at the same time the field set of the open dialog (a
// DialogFieldStore), so the dialog's data transfer, typing limits, list and
// focus can be inspected exactly.
//
// Each RunDialog consumes the next entry of the script and plays it in this
// order, as an operator would in the window:
//   1. the dialog opens (OnInitDialog);
//   2. the material: the list entry with exactly that text is selected and
//      the list's selection change is sent (OnCommand of the list);
//   3. the folder: the "..." button is pressed (OnCommand of the button) and
//      the folder browser answers with the entry's FolderChoice;
//   4. the field edits, in script order (typed text replaces the field's
//      text; typing limits are recorded but not enforced, so an over-long
//      answer reaches the dialog's validation as a pasted text would);
//   5. the action: "Create..." (OnOk) or "Cancel".
// When "Create..." is refused by the dialog's validation the dialog is
// treated as cancelled (a script cannot correct its answer), and the record
// says so. A material that is not in the list, or a folder choice while the
// "..." button is hidden, is a script error: the dialog is cancelled and the
// record carries the error. Dialogs beyond the script take the default
// action given at construction, without edits.
#ifndef BENDPOST_PLATFORM_SCRIPTED_UI_H_
#define BENDPOST_PLATFORM_SCRIPTED_UI_H_

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialog_field_store.h"
#include "platform/ui.h"

namespace bendpost {

enum class ScriptedAction { kCreate, kCancel };

// The answers for one dialog.
struct ScriptedDialog {
  std::optional<std::string> material = std::nullopt;   // a list entry's text
  std::optional<FolderChoice> folder = std::nullopt;    // the browser's answer
  std::vector<std::pair<int, std::string>> edits = {};  // control id, text
  ScriptedAction action = ScriptedAction::kCreate;
};

class ScriptedUserInterface : public UserInterface, public DialogFieldStore {
 public:
  struct Message {
    std::string text;
    MessageIcon icon = MessageIcon::kNone;
  };

  enum class Outcome {
    kCreated,      // "Create..." accepted: the dialog closed with OK
    kCancelled,    // "Cancel" pressed
    kRefused,      // "Create..." refused by validation, then cancelled
    kScriptError,  // the script did not fit the dialog, then cancelled
  };

  // One dialog shown, as it went.
  struct DialogRecord {
    int template_id = 0;
    int script_index = 0;   // index of the script entry it used
    bool scripted = false;  // false: beyond the script (default action)
    Outcome outcome = Outcome::kCancelled;
    std::string error;                       // kScriptError: what did not fit
    std::map<int, DialogFieldState> opened;  // fields right after opening
    std::map<int, DialogFieldState> closed;  // fields when it closed
    int focus = 0;  // focused control when it closed (0: none)
  };

  // A folder browser request.
  struct BrowseRecord {
    std::string title;
    std::string initial_folder;
  };

  explicit ScriptedUserInterface(
      std::vector<ScriptedDialog> script = {},
      ScriptedAction beyond_script = ScriptedAction::kCreate);

  void AddDialog(ScriptedDialog dialog) {
    script_.push_back(std::move(dialog));
  }
  // Called for every message as it is shown (e.g. to print it at once).
  void SetMessageListener(std::function<void(const Message&)> listener) {
    listener_ = std::move(listener);
  }
  // False for a long batch run (the command-line host's --yes): a dialog's
  // record then keeps its outcome and error but no field snapshots, and
  // messages go to the listener without being kept, so memory does not
  // grow with the number of dialogs. True (keep everything) by default.
  void SetKeepHistory(bool keep) { keep_history_ = keep; }
  // The answer of BrowseForFolder outside a scripted dialog (tests that
  // drive a controller directly); cancelled by default.
  void SetFolderAnswer(FolderChoice choice) {
    folder_answer_ = std::move(choice);
  }

  const std::vector<Message>& messages() const { return messages_; }
  const std::vector<DialogRecord>& dialogs() const { return dialogs_; }
  const std::vector<BrowseRecord>& browses() const { return browses_; }
  void ClearMessages() { messages_.clear(); }

  // The fields of the dialog that is open (or was last open) are those of
  // the DialogFieldStore: fields(), Text(), Limit(), Visible(), focus().

  // UserInterface
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  DialogResult RunDialog(int template_id,
                         DialogController& controller) override;
  FolderChoice BrowseForFolder(const std::string& title,
                               const std::string& initial_folder) override;

  // Control ids the script presses; the program dialog's by default.
  void SetControlIds(int material_list, int browse_button) {
    material_list_id_ = material_list;
    browse_button_id_ = browse_button;
  }

 private:
  DialogResult Finish(DialogRecord record, Outcome outcome,
                      std::string error = std::string());

  std::vector<ScriptedDialog> script_;
  ScriptedAction beyond_script_;
  size_t next_ = 0;
  std::function<void(const Message&)> listener_;
  std::vector<Message> messages_;
  std::vector<DialogRecord> dialogs_;
  std::vector<BrowseRecord> browses_;
  FolderChoice folder_answer_;
  // The folder choice of the dialog being played, while it is played.
  std::optional<FolderChoice> pending_folder_;
  int material_list_id_;
  int browse_button_id_;
  bool keep_history_ = true;
};

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_SCRIPTED_UI_H_
