#include "platform/scripted_ui.h"

#include "resources/dialog_ids.h"

namespace bendpost {

ScriptedUserInterface::ScriptedUserInterface(std::vector<ScriptedDialog> script,
                                             ScriptedAction beyond_script)
    : script_(std::move(script)),
      beyond_script_(beyond_script),
      material_list_id_(IDC_MATERIAL_LIST),
      browse_button_id_(IDC_BROWSE_FOLDER) {}

std::string ScriptedUserInterface::Text(int control_id) const {
  auto it = fields_.find(control_id);
  return it == fields_.end() ? std::string() : it->second.text;
}

int ScriptedUserInterface::Limit(int control_id) const {
  auto it = fields_.find(control_id);
  return it == fields_.end() ? 0 : it->second.limit;
}

bool ScriptedUserInterface::Visible(int control_id) const {
  auto it = fields_.find(control_id);
  return it == fields_.end() || it->second.visible;
}

void ScriptedUserInterface::ResetFields() {
  fields_.clear();
  focus_ = 0;
}

void ScriptedUserInterface::ShowMessage(const std::string& text,
                                        MessageIcon icon) {
  Message message{text, icon};
  if (listener_) listener_(message);
  if (keep_history_) messages_.push_back(std::move(message));
}

DialogResult ScriptedUserInterface::Finish(DialogRecord record, Outcome outcome,
                                           std::string error) {
  pending_folder_.reset();
  record.outcome = outcome;
  record.error = std::move(error);
  if (keep_history_) record.closed = fields_;
  record.focus = focus_;
  dialogs_.push_back(std::move(record));
  return outcome == Outcome::kCreated ? DialogResult::kOk
                                      : DialogResult::kCancel;
}

DialogResult ScriptedUserInterface::RunDialog(int template_id,
                                              DialogController& controller) {
  DialogRecord record;
  record.template_id = template_id;
  ScriptedDialog entry;
  if (next_ < script_.size()) {
    entry = script_[next_];
    record.script_index = static_cast<int>(next_);
    record.scripted = true;
    ++next_;
  } else {
    entry.action = beyond_script_;
    record.script_index = static_cast<int>(next_);
  }

  ResetFields();
  controller.OnInitDialog(*this);
  if (keep_history_) record.opened = fields_;

  if (entry.material) {
    const ScriptedField& list = fields_[material_list_id_];
    int index = -1;
    for (size_t i = 0; i < list.entries.size(); ++i) {
      if (list.entries[i] == *entry.material) {
        index = static_cast<int>(i);
        break;
      }
    }
    if (index < 0) {
      return Finish(
          std::move(record), Outcome::kScriptError,
          "material \"" + *entry.material + "\" is not in the material list");
    }
    SelectListEntry(material_list_id_, index);
    controller.OnCommand(material_list_id_, *this);
  }

  if (entry.folder) {
    if (!Visible(browse_button_id_)) {
      return Finish(std::move(record), Outcome::kScriptError,
                    "a folder is given but the \"...\" button is hidden");
    }
    pending_folder_ = entry.folder;
    controller.OnCommand(browse_button_id_, *this);
    pending_folder_.reset();
  }

  for (const auto& [control_id, text] : entry.edits) {
    SetText(control_id, text);
  }

  if (entry.action == ScriptedAction::kCancel) {
    return Finish(std::move(record), Outcome::kCancelled);
  }
  if (controller.OnOk(*this)) {
    return Finish(std::move(record), Outcome::kCreated);
  }
  return Finish(std::move(record), Outcome::kRefused);
}

FolderChoice ScriptedUserInterface::BrowseForFolder(
    const std::string& title, const std::string& initial_folder) {
  browses_.push_back(BrowseRecord{title, initial_folder});
  if (pending_folder_) return *pending_folder_;
  return folder_answer_;
}

std::string ScriptedUserInterface::GetText(int control_id) {
  return Text(control_id);
}

void ScriptedUserInterface::SetText(int control_id, const std::string& text) {
  fields_[control_id].text = text;
}

void ScriptedUserInterface::SetLimit(int control_id, int max_chars) {
  fields_[control_id].limit = max_chars < 0 ? 0 : max_chars;
}

void ScriptedUserInterface::FillList(int control_id,
                                     const std::vector<std::string>& entries) {
  ScriptedField& field = fields_[control_id];
  field.entries = entries;
  field.selection = -1;
}

void ScriptedUserInterface::SelectListEntry(int control_id, int index) {
  ScriptedField& field = fields_[control_id];
  if (index < 0 || static_cast<size_t>(index) >= field.entries.size()) {
    field.selection = -1;
  } else {
    field.selection = index;
  }
}

int ScriptedUserInterface::ListSelection(int control_id) {
  auto it = fields_.find(control_id);
  return it == fields_.end() ? -1 : it->second.selection;
}

std::string ScriptedUserInterface::ListEntry(int control_id, int index) {
  auto it = fields_.find(control_id);
  if (it == fields_.end() || index < 0 ||
      static_cast<size_t>(index) >= it->second.entries.size()) {
    return std::string();
  }
  return it->second.entries[static_cast<size_t>(index)];
}

void ScriptedUserInterface::Focus(int control_id) { focus_ = control_id; }

void ScriptedUserInterface::Show(int control_id, bool visible) {
  fields_[control_id].visible = visible;
}

}  // namespace bendpost
