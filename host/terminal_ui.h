// TerminalUserInterface: the program creation dialog and the driver's
// messages in a text terminal.
//
// It is a window in the sense of the dialog's controller: it holds the
// fields (by control id) that the controller fills and reads, and turns the
// operator's keystrokes into the same events a window sends: "Create..."
// (OnOk), a material list selection and the "..." button (OnCommand). The
// field transfer, the limits and the validation messages are the
// controller's; nothing is checked twice here.
//
// Layout and keys:
//   - the fields in the dialog's layout: setup, control type, machine
//     model, file name; "Basic"; "Material"; the tool conversion rows with
//     their "Rev" values;
//   - the editable fields carry numbers 1 to 7: type the number, then the
//     new text (an empty line keeps the text, a lone "-" empties it);
//   - "m" picks the material from its list, "f" (or "...") chooses another
//     folder, "c" is "Create...", "x" is "Cancel";
//   - when "Create..." is refused, the message names the field and its
//     limit and the focused field is asked again; its answer retries
//     "Create..." (an empty answer goes back to the dialog);
//   - the end of the input cancels the dialog.
// Typing limits are shown with the prompt, not enforced while typing: an
// over-long text reaches the validation, which says what is wrong.
#ifndef BENDPOST_HOST_TERMINAL_UI_H_
#define BENDPOST_HOST_TERMINAL_UI_H_

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "platform/dialog_field_store.h"
#include "platform/ui.h"

namespace bendpost::host {

class TerminalUserInterface : public UserInterface, public DialogFieldStore {
 public:
  TerminalUserInterface(std::istream& in, std::ostream& out, std::ostream& err);

  // UserInterface
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  DialogResult RunDialog(int template_id,
                         DialogController& controller) override;
  FolderChoice BrowseForFolder(const std::string& title,
                               const std::string& initial_folder) override;

 private:
  void Render();
  // The "Material" group and the tool conversion rows of Render.
  void RenderMaterial();
  void RenderTools();
  // Reads one line; false at the end of the input.
  bool ReadLine(std::string* line);
  // Asks for a new text of an editable field; false when nothing changed
  // (empty answer or end of input).
  bool AskField(int control_id);
  void ChooseMaterial(DialogController& controller);
  // "Create...", with the refused field asked again; true when accepted.
  bool Create(DialogController& controller);
  std::string Label(int control_id) const;

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  bool end_of_input_ = false;
};

}  // namespace bendpost::host

#endif  // BENDPOST_HOST_TERMINAL_UI_H_
