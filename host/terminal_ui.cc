#include "host/terminal_ui.h"

#include <filesystem>

#include "base/text.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost::host {
namespace {

// The editable fields by the number the operator types.
struct Editable {
  char key;
  int control_id;
  const char* label;
};
constexpr Editable kEditables[] = {
    {'1', IDC_PROGRAM_NAME, "Program Name"},
    {'2', IDC_PART_REFERENCE, "Part Reference"},
    {'3', IDC_HARDNESS, "Hardness"},
    {'4', IDC_PUNCH_TARGET_NAME, "Punch target name"},
    {'5', IDC_DIE_TARGET_NAME, "Die target name"},
    {'6', IDC_DIE_HOLDER_TARGET_NAME, "Die Holder target name"},
    {'7', IDC_SPACER_TARGET_NAME, "Spacer target name"},
};

const Editable* FindEditable(int control_id) {
  for (const Editable& e : kEditables) {
    if (e.control_id == control_id) return &e;
  }
  return nullptr;
}

// "[1] ": the key that edits an editable field.
std::string EditableKey(int control_id) {
  return std::string("[") + FindEditable(control_id)->key + "] ";
}

std::string Pad(const std::string& s, size_t width) {
  return s.size() >= width ? s + " " : s + std::string(width - s.size(), ' ');
}

// Title of the dialog window.
constexpr const char* kTitle = "Postprocessor Program Creation Dialog:";
constexpr const char* kToolGroup =
    "Convert Vantorel tools names to Operateur tools names";

}  // namespace

TerminalUserInterface::TerminalUserInterface(std::istream& in,
                                             std::ostream& out,
                                             std::ostream& err)
    : in_(in), out_(out), err_(err) {}

void TerminalUserInterface::ShowMessage(const std::string& text,
                                        MessageIcon icon) {
  std::ostream& to = icon == MessageIcon::kError ? err_ : out_;
  std::string body(TrimRightView(text));
  std::string indented;
  for (char c : body) {
    indented += c;
    if (c == '\n') indented += "    ";
  }
  to << (icon == MessageIcon::kError ? "!!  " : "**  ") << indented << "\n";
  to.flush();
}

bool TerminalUserInterface::ReadLine(std::string* line) {
  if (end_of_input_ || !std::getline(in_, *line)) {
    end_of_input_ = true;
    return false;
  }
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return true;
}

std::string TerminalUserInterface::Label(int control_id) const {
  const Editable* e = FindEditable(control_id);
  return e == nullptr ? std::string() : e->label;
}

void TerminalUserInterface::Render() {
  auto text = [&](int id) { return GetText(id); };
  const std::string rule(64, '-');
  out_ << "\n" << kTitle << "\n" << rule << "\n";
  out_ << "  " << Pad("Setup Name:", 16) << Pad(text(IDC_SETUP_NAME), 20)
       << "Control Type: " << text(IDC_CONTROL_TYPE_NAME) << "\n";
  out_ << "  " << Pad("Machine Model:", 16) << text(IDC_MACHINE_MODEL) << "\n";
  out_ << "  " << Pad("File Name:", 16) << text(IDC_FILE_NAME);
  if (Visible(IDC_BROWSE_FOLDER)) out_ << "  [f] ...";
  out_ << "\n";

  out_ << " Basic\n";
  out_ << "  " << EditableKey(IDC_PROGRAM_NAME) << Pad("Program Name:", 18)
       << text(IDC_PROGRAM_NAME) << "\n";
  out_ << "  " << EditableKey(IDC_PART_REFERENCE) << Pad("Part Reference:", 18)
       << text(IDC_PART_REFERENCE) << "\n";
  out_ << "      " << Pad("Total Steps:", 18) << text(IDC_TOTAL_STEPS) << "\n";
  out_ << "      " << Pad("Date of Creation:", 18) << text(IDC_CREATION_DATE)
       << "\n";
  RenderMaterial();
  RenderTools();
  out_ << rule << "\n";
  out_ << "  1-7 edit   m material   f folder   c Create...   x Cancel\n";
}

void TerminalUserInterface::RenderMaterial() {
  out_ << " Material\n";
  out_ << "      " << Pad("Thickness:", 18) << GetText(IDC_HEADER_THICKNESS)
       << "\n";
  const DialogFieldState& list = Field(IDC_MATERIAL_LIST);
  const std::string chosen = ListEntry(IDC_MATERIAL_LIST, list.selection);
  if (list.entries.empty()) {
    out_ << "      " << Pad("Material Name:", 18) << "-\n";
  } else {
    std::string choices;
    for (size_t i = 0; i < list.entries.size(); ++i) {
      choices += (i ? " | " : "") + list.entries[i];
    }
    out_ << "  [m] " << Pad("Material Name:", 18)
         << Pad(chosen.empty() ? "-" : chosen, 10) << "(" << choices << ")\n";
  }
  out_ << "  " << EditableKey(IDC_HARDNESS) << Pad("Hardness:", 18)
       << GetText(IDC_HARDNESS) << "\n";
}

void TerminalUserInterface::RenderTools() {
  out_ << " " << kToolGroup << "\n";
  struct Row {
    const char* label;
    int host;
    int target;
    int rev;  // 0: none
  };
  const Row rows[] = {
      {"Punch Name:", IDC_PUNCH_NAME, IDC_PUNCH_TARGET_NAME, IDC_PUNCH_REV},
      {"Die Name:", IDC_DIE_NAME, IDC_DIE_TARGET_NAME, IDC_DIE_REV},
      {"Die Holder Name:", IDC_DIE_HOLDER_NAME, IDC_DIE_HOLDER_TARGET_NAME,
       IDC_DIE_HOLDER_REV},
      {"Spacer Name:", IDC_SPACER_NAME, IDC_SPACER_TARGET_NAME, 0},
  };
  for (const Row& r : rows) {
    std::string line = "      " + Pad(r.label, 18) + Pad(GetText(r.host), 12) +
                       "-->  " + EditableKey(r.target) +
                       Pad(GetText(r.target), 10);
    if (r.rev != 0) line += "Rev " + GetText(r.rev);
    out_ << TrimRightView(line) << "\n";
  }
}

bool TerminalUserInterface::AskField(int control_id) {
  const DialogFieldState& f = Field(control_id);
  out_ << Label(control_id) << " [" << f.text << "]";
  if (f.limit > 0) out_ << " (at most " << f.limit << " characters)";
  out_ << ": ";
  out_.flush();
  std::string line;
  if (!ReadLine(&line)) return false;
  if (line.empty()) return false;
  SetText(control_id, line == "-" ? std::string() : line);
  return true;
}

void TerminalUserInterface::ChooseMaterial(DialogController& controller) {
  const DialogFieldState& list = Field(IDC_MATERIAL_LIST);
  if (list.entries.empty()) {
    out_ << "This control type has no material list.\n";
    return;
  }
  for (size_t i = 0; i < list.entries.size(); ++i) {
    out_ << "  " << (i + 1) << ") " << list.entries[i] << "\n";
  }
  out_ << "Material [" << ListEntry(IDC_MATERIAL_LIST, list.selection) << "]: ";
  out_.flush();
  std::string line;
  if (!ReadLine(&line) || TrimView(line).empty()) return;
  const std::string answer(TrimView(line));
  int index = -1;
  if (std::optional<int> n = ParseInt(answer);
      n.has_value() && *n >= 1 && *n <= static_cast<int>(list.entries.size())) {
    index = *n - 1;
  } else {
    for (size_t i = 0; i < list.entries.size(); ++i) {
      if (EqualsNoCase(list.entries[i], answer)) index = static_cast<int>(i);
    }
  }
  if (index < 0) {
    out_ << "No such material: " << answer << "\n";
    return;
  }
  SelectListEntry(IDC_MATERIAL_LIST, index);
  controller.OnCommand(IDC_MATERIAL_LIST, *this);
}

bool TerminalUserInterface::Create(DialogController& controller) {
  while (!controller.OnOk(*this)) {
    // The controller has said what is wrong and focused the field.
    if (FindEditable(focus()) == nullptr) return false;
    if (!AskField(focus())) return false;
  }
  return true;
}

DialogResult TerminalUserInterface::RunDialog(int,
                                              DialogController& controller) {
  ResetFields();
  controller.OnInitDialog(*this);
  while (true) {
    if (end_of_input_) break;
    Render();
    out_ << "Choice: ";
    out_.flush();
    std::string line;
    if (!ReadLine(&line)) break;
    const std::string choice(TrimView(line));
    if (choice.empty()) continue;
    if (choice == "c") {
      if (Create(controller)) return DialogResult::kOk;
      continue;
    }
    if (choice == "x") return DialogResult::kCancel;
    if (choice == "m") {
      ChooseMaterial(controller);
      continue;
    }
    if ((choice == "f" || choice == "...") && Visible(IDC_BROWSE_FOLDER)) {
      controller.OnCommand(IDC_BROWSE_FOLDER, *this);
      continue;
    }
    const Editable* edit = nullptr;
    for (const Editable& e : kEditables) {
      if (choice.size() == 1 && choice[0] == e.key) edit = &e;
    }
    if (edit != nullptr) {
      AskField(edit->control_id);
      continue;
    }
    out_ << "Unknown choice \"" << choice << "\".\n";
  }
  out_ << "(end of input: Cancel)\n";
  return DialogResult::kCancel;
}

FolderChoice TerminalUserInterface::BrowseForFolder(
    const std::string& title, const std::string& initial_folder) {
  out_ << title << " [" << initial_folder << "]\n"
       << "Folder (empty line: cancel): ";
  out_.flush();
  FolderChoice choice;
  std::string line;
  if (!ReadLine(&line) || TrimView(line).empty()) return choice;
  std::string path(TrimView(line));
  std::error_code ec;
  if (!std::filesystem::is_directory(path, ec)) {
    choice.outcome = FolderChoice::Outcome::kNoPath;
    return choice;
  }
  // The browser answers a folder without its trailing separator, except a
  // root.
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  choice.outcome = FolderChoice::Outcome::kChosen;
  choice.path = path;
  return choice;
}

}  // namespace bendpost::host
