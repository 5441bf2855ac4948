#include "documents/answers.h"

#include <algorithm>

#include "base/text.h"
#include "dialog/dialog_fields.h"
#include "documents/job_file.h"
#include "documents/json_text.h"

namespace bendpost::documents {
namespace {

using nlohmann::json;

}  // namespace

const std::vector<std::string>& AnswerEditNames() {
  static const auto* names = [] {
    auto* list = new std::vector<std::string>();
    for (const DialogFieldInfo& f : ProgramDialogFields()) {
      if (f.kind == FieldKind::kEditable) list->push_back(f.value_name);
    }
    return list;
  }();
  return *names;
}

namespace {

// The names an answers entry may hold: the dialog's edits and the three
// choices that are not edits.
std::vector<std::string> KnownAnswerKeys() {
  std::vector<std::string> known = AnswerEditNames();
  known.insert(known.end(), {"Material", "Folder", "Action"});
  return known;
}

// "Material" or "Folder": a string; the folder is taken relative to
// `base_dir`.
void ReadChoice(const std::string& key, const json& value,
                const std::string& path, const std::filesystem::path& base_dir,
                ScriptedDialog* dialog, std::vector<Problem>* problems) {
  if (!value.is_string()) {
    problems->push_back(
        {path, "expected a string, found " + JsonTypeName(value)});
    return;
  }
  if (key == "Material") {
    dialog->material = value.get<std::string>();
    return;
  }
  FolderChoice folder;
  folder.outcome = FolderChoice::Outcome::kChosen;
  folder.path = ResolvePath(base_dir, value.get<std::string>());
  dialog->folder = folder;
}

void ReadAction(const json& value, const std::string& path,
                ScriptedDialog* dialog, std::vector<Problem>* problems) {
  const std::string action =
      value.is_string() ? value.get<std::string>() : std::string();
  if (EqualsNoCase(action, "Create")) {
    dialog->action = ScriptedAction::kCreate;
  } else if (EqualsNoCase(action, "Cancel")) {
    dialog->action = ScriptedAction::kCancel;
  } else {
    problems->push_back(
        {path, "expected \"Create\" or \"Cancel\", found " +
                   (value.is_string() ? value.dump() : JsonTypeName(value))});
  }
}

// Checks one key of the entry at `at`; the choices are stored, the edits are
// only checked here (CollectEdits stores them in the dialog's order).
void ReadAnswerKey(const std::string& key, const json& value,
                   const std::string& at, const std::vector<std::string>& known,
                   const std::filesystem::path& base_dir,
                   ScriptedDialog* dialog, std::vector<Problem>* problems) {
  const std::string path = JsonPathKey(at, key);
  if (key == "Material" || key == "Folder") {
    ReadChoice(key, value, path, base_dir, dialog, problems);
  } else if (key == "Action") {
    ReadAction(value, path, dialog, problems);
  } else if (std::find(known.begin(), known.end(), key) == known.end()) {
    problems->push_back(UnknownField(at, key, known));
  } else if (!value.is_string() && !(key == "Hardness" && value.is_number())) {
    problems->push_back({path, std::string("expected a string") +
                                   (key == "Hardness" ? " or a number" : "") +
                                   ", found " + JsonTypeName(value)});
  }
}

// The edits in the dialog's transfer order, whatever the file's.
void CollectEdits(const json& entry, ScriptedDialog* dialog) {
  for (const std::string& name : AnswerEditNames()) {
    auto it = entry.find(name);
    if (it == entry.end()) continue;
    if (it->is_string()) {
      dialog->edits.emplace_back(*ControlIdForValueName(name),
                                 it->get<std::string>());
    } else if (it->is_number()) {  // Hardness as a number
      dialog->edits.emplace_back(*ControlIdForValueName(name),
                                 FormatDouble(it->get<double>()));
    }
  }
}

}  // namespace

bool BuildAnswers(const json& doc, const std::filesystem::path& base_dir,
                  std::vector<ScriptedDialog>* script,
                  std::vector<Problem>* problems) {
  const size_t before = problems->size();
  if (!doc.is_array()) {
    problems->push_back(
        {"$",
         "the answers are a JSON array of objects, one per dialog; found " +
             JsonTypeName(doc)});
    return false;
  }
  const std::vector<std::string> known = KnownAnswerKeys();
  std::vector<ScriptedDialog> built;
  for (size_t i = 0; i < doc.size(); ++i) {
    const std::string at = JsonPathIndex("$", i);
    const json& entry = doc[i];
    if (!entry.is_object()) {
      problems->push_back(
          {at, "expected an object, found " + JsonTypeName(entry)});
      continue;
    }
    ScriptedDialog dialog;
    for (const auto& [key, value] : entry.items()) {
      ReadAnswerKey(key, value, at, known, base_dir, &dialog, problems);
    }
    CollectEdits(entry, &dialog);
    built.push_back(dialog);
  }
  if (problems->size() != before) return false;
  *script = std::move(built);
  return true;
}

bool LoadAnswersFile(FileSystem& files, const std::string& path,
                     std::vector<ScriptedDialog>* script,
                     std::vector<Problem>* problems) {
  json doc;
  if (!ParseJsonFile(files, path, &doc, problems)) return false;
  const std::filesystem::path base =
      std::filesystem::absolute(std::filesystem::path(path)).parent_path();
  return BuildAnswers(doc, base, script, problems);
}

}  // namespace bendpost::documents
