#include "platform/scripted_ui.h"

#include "resources/dialog_ids.h"

namespace bendpost {

ScriptedUserInterface::ScriptedUserInterface(std::vector<ScriptedDialog> script,
                                             ScriptedAction beyond_script)
    : script_(std::move(script)),
      beyond_script_(beyond_script),
      material_list_id_(IDC_MATERIAL_LIST),
      browse_button_id_(IDC_BROWSE_FOLDER) {}

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
  if (keep_history_) record.closed = fields();
  record.focus = focus();
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
  if (keep_history_) record.opened = fields();

  if (entry.material) {
    const DialogFieldState& list = Field(material_list_id_);
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

}  // namespace bendpost
