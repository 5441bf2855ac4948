#include "dialog/tool_names.h"

#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "dialog/program_dialog.h"
#include "platform/platform.h"

namespace bendpost {
namespace {

bool IsOperateurOrBandR(int control_type) {
  return control_type == 2 || control_type == 7;
}

// Tool slots of a step's ToolID and ToolReverse.
constexpr int kPunchSlot = 0;
constexpr int kDieSlot = 1;
constexpr int kDieHolderSlot = 2;
constexpr int kSpacerSlot = 4;

}  // namespace

ToolNameTable ToolNameTable::Read(FileSystem& files,
                                  const std::string& table_path) {
  ToolNameTable table;
  std::vector<std::string> lines;
  table.readable_ = ReadTextLines(files, table_path, &lines).ok();
  if (table.readable_) table.table_ = ParseToolTable(lines);
  return table;
}

CString ToolNameTable::Convert(const CString& name, bool sectional) const {
  if (name.IsEmpty()) return CString("0");
  if (!readable_) return name;
  const ToolTableEntry* entry = table_.Find(name.str());
  return entry == nullptr ? name : CString(entry->Target(sectional));
}

CString ConvertToolName(FileSystem& files, const std::string& table_path,
                        const CString& name, bool sectional) {
  if (name.IsEmpty()) return CString("0");
  return ToolNameTable::Read(files, table_path).Convert(name, sectional);
}

CString ToolNameFromId(const char (&entry)[32]) {
  const void* end = std::memchr(entry, '\0', sizeof entry);
  int length = end == nullptr
                   ? static_cast<int>(sizeof entry)
                   : static_cast<int>(static_cast<const char*>(end) - entry);
  return CString(entry, length);
}

}  // namespace bendpost

CString ProgramDialog::ConvertToolName(const CString& name,
                                       bool sectional) const {
  if (name.IsEmpty()) return CString("0");
  if (Store == nullptr) return name;
  return bendpost::ConvertToolName(*bendpost::CurrentPlatform().files,
                                   Store->ToolNameTablePath.str(), name,
                                   sectional);
}

void ProgramDialog::FillProgramTools() {
  using bendpost::ToolNameFromId;
  const bool converts = bendpost::IsOperateurOrBandR(ControlType);
  // The table is read once for the whole header, on the first name that
  // needs it (an empty name needs none), rather than once per name.
  std::optional<bendpost::ToolNameTable> table;
  auto convert = [&](const CString& name, bool sectional) {
    if (name.IsEmpty()) return CString("0");
    if (Store == nullptr) return name;
    if (!table) {
      table = bendpost::ToolNameTable::Read(*bendpost::CurrentPlatform().files,
                                            Store->ToolNameTablePath.str());
    }
    return table->Convert(name, sectional);
  };
  bool punch_done = false;
  bool die_done = false;
  for (int i = 0; i < ProgramSteps.GetSize(); ++i) {
    CPPStepInfo step = ProgramSteps.GetAt(i);
    char ids[6][32];
    bool reverse[6];
    step.GetToolID(ids);
    step.GetToolReverse(reverse);

    // A name the store does not know leaves a default tool: empty name,
    // not sectional, no size, no category.
    auto find = [this](const CString& tool_name) {
      CPPTool tool;
      if (Store != nullptr) Store->FindToolByName(tool, tool_name);
      return tool;
    };
    CPPTool punch = find(ToolNameFromId(ids[bendpost::kPunchSlot]));
    CPPTool die = find(ToolNameFromId(ids[bendpost::kDieSlot]));
    CPPTool holder = find(ToolNameFromId(ids[bendpost::kDieHolderSlot]));
    CPPTool spacer = find(ToolNameFromId(ids[bendpost::kSpacerSlot]));

    if (punch.GetToolName().IsEmpty()) continue;

    // A sectional punch or die fixes the program's punch or die; otherwise
    // the last step with a known punch decides.
    if (!punch_done) {
      PunchName = punch.GetToolName();
      if (converts) {
        PunchTargetName = convert(PunchName, punch.GetSectional() != 0);
      }
      PunchRev = reverse[bendpost::kPunchSlot] ? "1" : "0";
      if (punch.GetSectional() != 0) punch_done = true;
    }
    if (!die_done) {
      DieName = die.GetToolName();
      if (converts) {
        DieTargetName = convert(DieName, die.GetSectional() != 0);
      }
      const bool flipped = reverse[bendpost::kDieSlot];
      if (die.GetCategory().Left(2) == "2V") {
        DieRev = flipped ? "S" : "L";
      } else {
        DieRev = flipped ? "1" : "0";
      }
      if (!DieTargetName.IsEmpty()) {
        if (die.GetSmallorLarger() == 1) DieTargetName += "1";
        if (die.GetSmallorLarger() == 2) DieTargetName += "2";
      }
      if (die.GetSectional() != 0) die_done = true;
    }
    DieHolderName = holder.GetToolName();
    if (converts) DieHolderTargetName = convert(DieHolderName, false);
    DieHolderRev = reverse[bendpost::kDieHolderSlot] ? "1" : "0";
    SpacerName = spacer.GetToolName();
    if (converts) SpacerTargetName = convert(SpacerName, false);

    if (punch_done && die_done) break;
  }
}
