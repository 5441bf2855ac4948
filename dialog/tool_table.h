// The tool name conversion table, a text file maintained by the user that
// maps the host's tool names to the control's. Read line by line (line ends
// excluded); each line is
//
//   <host name> <target name> [<target name for sectional tools>]
//
// Leading white space is ignored. The host name runs up to the first space
// or tab and is compared without regard to ASCII letter case; one or more
// spaces or tabs separate it from the rest. When the rest (trimmed) holds
// a space or tab, the text before it is the ordinary target and the text
// after it (trimmed) the sectional one; otherwise the rest is both. A line
// without a space or tab after its first name, or with nothing after it,
// never matches; blank lines are skipped. The first matching line wins.
// There are no comments, no header and no escapes.
//
// This is the one reading of the format: the driver's conversion and the
// command-line host's table check both use it, so they cannot disagree.
#ifndef BENDPOST_DIALOG_TOOL_TABLE_H_
#define BENDPOST_DIALOG_TOOL_TABLE_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace bendpost {

// A line that can match.
struct ToolTableEntry {
  int line = 0;           // 1-based
  std::string key;        // the host name as written
  std::string ordinary;   // target of ordinary tools
  std::string sectional;  // target of sectional tools; "" when the line
                          // gives one target for both

  const std::string& Target(bool for_sectional) const {
    return for_sectional && !sectional.empty() ? sectional : ordinary;
  }
};

// A line, not blank, that never matches.
struct ToolTableProblem {
  enum class Kind {
    kNoSeparator,  // no space or tab after the name
    kNothingAfterName,
  };
  int line = 0;  // 1-based
  Kind kind = Kind::kNoSeparator;
  std::string key;  // the name: for kNoSeparator, the line without its
                    // leading white space
};

struct ToolTable {
  std::vector<ToolTableEntry> entries;  // in line order, same keys included
  std::vector<ToolTableProblem> problems;

  // The first entry whose key equals `name` without regard to ASCII letter
  // case, or nullptr.
  const ToolTableEntry* Find(std::string_view name) const;
};

// Reads the table's lines; no I/O.
ToolTable ParseToolTable(std::span<const std::string> lines);

}  // namespace bendpost

#endif  // BENDPOST_DIALOG_TOOL_TABLE_H_
