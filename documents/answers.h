// The answers file of `bendpost generate --answers FILE`: the operator's
// answers to the program dialogs, one JSON object per dialog in the order
// the dialogs appear.
//
//   [
//     {"ProgramName": "BR01", "Hardness": 42, "Action": "Create"},
//     {"Material": "AL1", "Folder": "out/aluminium", "Action": "Create"},
//     {"Action": "Cancel"}
//   ]
//
// Keys: the value names of the editable fields (ProgramName, PartReference,
// Hardness, PunchTargetName, DieTargetName, DieHolderTargetName,
// SpacerTargetName) with the text to type (Hardness may be a number);
// Material, the text of a material list entry; Folder, the folder the
// folder browser returns (relative to the answers file's folder); Action,
// "Create" or "Cancel" (letter case ignored; "Create" when left out).
// However the object is written, a dialog is played in one order: the
// material is picked, then the folder chosen, then the fields typed, then
// the action. Dialogs beyond the array are created with their defaults; a
// program the driver skips before its dialog uses no entry.
#ifndef BENDPOST_DOCUMENTS_ANSWERS_H_
#define BENDPOST_DOCUMENTS_ANSWERS_H_

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "documents/record_fields.h"
#include "platform/file.h"
#include "platform/scripted_ui.h"

namespace bendpost::documents {

// The value names an answers entry may edit, in the dialog's transfer
// order.
const std::vector<std::string>& AnswerEditNames();

// Checks `doc` and, without problems, fills `script`. Folders are resolved
// against `base_dir`.
bool BuildAnswers(const nlohmann::json& doc,
                  const std::filesystem::path& base_dir,
                  std::vector<ScriptedDialog>* script,
                  std::vector<Problem>* problems);

bool LoadAnswersFile(FileSystem& files, const std::string& path,
                     std::vector<ScriptedDialog>* script,
                     std::vector<Problem>* problems);

}  // namespace bendpost::documents

#endif  // BENDPOST_DOCUMENTS_ANSWERS_H_
