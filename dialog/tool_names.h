// Tool name conversion: the host's tool names become the control's own.
//
// The conversion table is a text file maintained by the user, read line by
// line (line ends excluded), first matching line wins:
//
//   <host name> <target name> [<target name for sectional tools>]
//
// Leading white space is ignored. The host name runs up to the first space
// or tab and is compared without regard to ASCII letter case; one or more
// spaces or tabs separate it from the rest. When the rest (trimmed) holds
// a space or tab, the text before it is the ordinary target and the text
// after it (trimmed) the sectional one; otherwise the rest is both. A line
// without a space or tab after its first name, or with nothing after it,
// never matches. There are no comments, no header and no escapes.
#ifndef BENDPOST_DIALOG_TOOL_NAMES_H_
#define BENDPOST_DIALOG_TOOL_NAMES_H_

#include <string>
#include <vector>

#include "bendpost/cstring.h"
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
  std::vector<std::string> lines_;
};

// One conversion with the table read afresh: the result of
// ToolNameTable::Convert. An empty name does not read the table.
CString ConvertToolName(FileSystem& files, const std::string& table_path,
                        const CString& name, bool sectional);

// A tool name held in a step's 32-byte ToolID entry: the bytes up to the
// first 0 byte, or all 32 when there is none.
CString ToolNameFromId(const char (&entry)[32]);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_TOOL_NAMES_H_
