// DialogFieldStore: the fields of an open dialog held in memory, for the
// front ends that draw no window (the scripted one and the terminal one).
//
// Fields live in a map by control id and come into being when first set;
// reading a field that was never set gives the state of a fresh control
// (no text, no limit, visible, no list entries, nothing selected) without
// creating it, so the map holds exactly the fields the dialog touched.
//
// It behaves as the window's edit and list controls do: a typing limit of 0
// means none, and so does a negative one (the edit control takes the limit
// as an unsigned count, so a negative one is beyond any text); selecting an
// index outside the list selects nothing. Limits are recorded, not
// enforced: the front ends let an over-long text reach the dialog's
// validation.
#ifndef BENDPOST_PLATFORM_DIALOG_FIELD_STORE_H_
#define BENDPOST_PLATFORM_DIALOG_FIELD_STORE_H_

#include <map>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace bendpost {

// The state of one field.
struct DialogFieldState {
  std::string text;
  int limit = 0;  // typing limit in characters; 0: none
  bool visible = true;
  std::vector<std::string> entries;  // list entries (drop-down lists)
  int selection = -1;                // selected list entry, or -1
};

class DialogFieldStore : public DialogFields {
 public:
  // Every field set so far, by control id.
  const std::map<int, DialogFieldState>& fields() const { return fields_; }
  // A field's state; a fresh control's for a field never set.
  const DialogFieldState& Field(int control_id) const;
  std::string Text(int control_id) const { return Field(control_id).text; }
  int Limit(int control_id) const { return Field(control_id).limit; }
  bool Visible(int control_id) const { return Field(control_id).visible; }
  // The focused control (0: none).
  int focus() const { return focus_; }
  // Forgets every field and the focus (a new dialog window).
  void ResetFields();

  // DialogFields
  std::string GetText(int control_id) override;
  void SetText(int control_id, const std::string& text) override;
  void SetLimit(int control_id, int max_chars) override;
  void FillList(int control_id,
                const std::vector<std::string>& entries) override;
  void SelectListEntry(int control_id, int index) override;
  int ListSelection(int control_id) override;
  std::string ListEntry(int control_id, int index) override;
  void Focus(int control_id) override;
  void Show(int control_id, bool visible) override;

 private:
  std::map<int, DialogFieldState> fields_;
  int focus_ = 0;
};

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_DIALOG_FIELD_STORE_H_
