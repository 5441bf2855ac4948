// Tool name conversion: the host's tool names become the control's own,
// through the conversion table (dialog/tool_table.h describes its format).
#ifndef BENDPOST_DIALOG_TOOL_NAMES_H_
#define BENDPOST_DIALOG_TOOL_NAMES_H_

#include <string>

#include "bendpost/cstring.h"
#include "dialog/tool_table.h"
#include "platform/file.h"

namespace bendpost {

// The conversion table as read once, for the many conversions of one
// program's header. A table that could not be read converts nothing.
class ToolNameTable {
 public:
  static ToolNameTable Read(FileSystem& files, const std::string& table_path);

  // The target name of host tool name `name`: "0" for an empty name;
  // `name` unchanged when the table was not readable or has no matching
  // line.
  CString Convert(const CString& name, bool sectional) const;

 private:
  bool readable_ = false;
  ToolTable table_;
};

// One conversion with the table read afresh: the result of
// ToolNameTable::Convert. An empty name does not read the table.
CString ConvertToolName(FileSystem& files, const std::string& table_path,
                        const CString& name, bool sectional);

// The slots of a step's ToolID and ToolReverse arrays that name the
// program's tools. Slots 3 and 5 name none of them. Everything that reads a
// step's tools by role takes the slot from here.
namespace tool_slot {
inline constexpr int kPunch = 0;
inline constexpr int kDie = 1;
inline constexpr int kDieHolder = 2;
inline constexpr int kSpacer = 4;
}  // namespace tool_slot

// A tool name held in a step's 32-byte ToolID entry: the bytes up to the
// first 0 byte, or all 32 when there is none.
CString ToolNameFromId(const char (&entry)[32]);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_TOOL_NAMES_H_
