#include "platform/dialog_field_store.h"

namespace bendpost {

const DialogFieldState& DialogFieldStore::Field(int control_id) const {
  static const DialogFieldState kFresh;
  auto it = fields_.find(control_id);
  return it == fields_.end() ? kFresh : it->second;
}

void DialogFieldStore::ResetFields() {
  fields_.clear();
  focus_ = 0;
}

std::string DialogFieldStore::GetText(int control_id) {
  return Text(control_id);
}

void DialogFieldStore::SetText(int control_id, const std::string& text) {
  fields_[control_id].text = text;
}

void DialogFieldStore::SetLimit(int control_id, int max_chars) {
  fields_[control_id].limit = max_chars < 0 ? 0 : max_chars;
}

void DialogFieldStore::FillList(int control_id,
                                const std::vector<std::string>& entries) {
  DialogFieldState& field = fields_[control_id];
  field.entries = entries;
  field.selection = -1;
}

void DialogFieldStore::SelectListEntry(int control_id, int index) {
  DialogFieldState& field = fields_[control_id];
  const bool inside =
      index >= 0 && static_cast<size_t>(index) < field.entries.size();
  field.selection = inside ? index : -1;
}

int DialogFieldStore::ListSelection(int control_id) {
  return Field(control_id).selection;
}

std::string DialogFieldStore::ListEntry(int control_id, int index) {
  const DialogFieldState& field = Field(control_id);
  if (index < 0 || static_cast<size_t>(index) >= field.entries.size()) {
    return std::string();
  }
  return field.entries[static_cast<size_t>(index)];
}

void DialogFieldStore::Focus(int control_id) { focus_ = control_id; }

void DialogFieldStore::Show(int control_id, bool visible) {
  fields_[control_id].visible = visible;
}

}  // namespace bendpost
