#include "dialog/tool_names.h"

#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "dialog/program_header.h"

namespace bendpost {

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

namespace {

// The program's tools as the steps name them; the table of target names is
// read once for the whole header, on the first name that needs it (an
// empty name needs none), rather than once per name.
class ToolFiller {
 public:
  ToolFiller(ProgramHeader& header, const JobContext& context)
      : h_(header),
        context_(context),
        converts_(IsOperateurFamily(header.Control)) {}

  // Takes the tools of one step; true when the program's punch and die are
  // both fixed and no later step can change the header.
  bool TakeStep(const CPPStepInfo& step);

 private:
  CString Convert(const CString& name, bool sectional);
  // A name the job does not know gives a default tool: empty name, not
  // sectional, no size, no category.
  CPPTool Find(const CString& name);
  void TakePunch(CPPTool& punch, bool reversed);
  void TakeDie(CPPTool& die, bool reversed);

  ProgramHeader& h_;
  const JobContext& context_;
  const bool converts_;
  std::optional<ToolNameTable> table_;
  bool punch_done_ = false;
  bool die_done_ = false;
};

CString ToolFiller::Convert(const CString& name, bool sectional) {
  if (name.IsEmpty()) return CString("0");
  if (!table_) {
    table_ = ToolNameTable::Read(context_.files,
                                 context_.job.ToolNameTablePath.str());
  }
  return table_->Convert(name, sectional);
}

CPPTool ToolFiller::Find(const CString& name) {
  CPPTool tool;
  context_.job.FindToolByName(tool, name);
  return tool;
}

// A sectional punch fixes the program's punch; otherwise the last step
// with a known punch decides.
void ToolFiller::TakePunch(CPPTool& p, bool reversed) {
  if (punch_done_) return;
  h_.PunchName = p.GetToolName();
  if (converts_)
    h_.PunchTargetName = Convert(h_.PunchName, p.GetSectional() != 0);
  h_.PunchRev = reversed ? "1" : "0";
  if (p.GetSectional() != 0) punch_done_ = true;
}

// The same for the die; a "2V" die is reversed "S" or "L", and the die's
// size (1 small, 2 large) follows its target name.
void ToolFiller::TakeDie(CPPTool& d, bool reversed) {
  if (die_done_) return;
  h_.DieName = d.GetToolName();
  if (converts_) h_.DieTargetName = Convert(h_.DieName, d.GetSectional() != 0);
  if (d.GetCategory().Left(2) == "2V") {
    h_.DieRev = reversed ? "S" : "L";
  } else {
    h_.DieRev = reversed ? "1" : "0";
  }
  if (!h_.DieTargetName.IsEmpty()) {
    if (d.GetSmallorLarger() == 1) h_.DieTargetName += "1";
    if (d.GetSmallorLarger() == 2) h_.DieTargetName += "2";
  }
  if (d.GetSectional() != 0) die_done_ = true;
}

bool ToolFiller::TakeStep(const CPPStepInfo& step) {
  char ids[6][32];
  bool reverse[6];
  step.GetToolID(ids);
  step.GetToolReverse(reverse);

  CPPTool punch = Find(ToolNameFromId(ids[tool_slot::kPunch]));
  if (punch.GetToolName().IsEmpty()) return false;
  CPPTool die = Find(ToolNameFromId(ids[tool_slot::kDie]));
  CPPTool holder = Find(ToolNameFromId(ids[tool_slot::kDieHolder]));
  CPPTool spacer = Find(ToolNameFromId(ids[tool_slot::kSpacer]));

  TakePunch(punch, reverse[tool_slot::kPunch]);
  TakeDie(die, reverse[tool_slot::kDie]);
  h_.DieHolderName = holder.GetToolName();
  if (converts_) h_.DieHolderTargetName = Convert(h_.DieHolderName, false);
  h_.DieHolderRev = reverse[tool_slot::kDieHolder] ? "1" : "0";
  h_.SpacerName = spacer.GetToolName();
  if (converts_) h_.SpacerTargetName = Convert(h_.SpacerName, false);
  return punch_done_ && die_done_;
}

}  // namespace

void FillProgramTools(ProgramHeader& header, const CArray<CPPStepInfo>& steps,
                      const JobContext& context) {
  ToolFiller filler(header, context);
  for (int i = 0; i < steps.GetSize(); ++i) {
    if (filler.TakeStep(steps[i])) break;
  }
}

}  // namespace bendpost
