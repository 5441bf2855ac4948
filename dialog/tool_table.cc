#include "dialog/tool_table.h"

#include "base/text.h"

namespace bendpost {
namespace {

size_t FindBlankOrTab(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsBlankOrTab(s[i])) return i;
  }
  return std::string_view::npos;
}

}  // namespace

const ToolTableEntry* ToolTable::Find(std::string_view name) const {
  for (const ToolTableEntry& entry : entries) {
    if (EqualsNoCase(entry.key, name)) return &entry;
  }
  return nullptr;
}

ToolTable ParseToolTable(std::span<const std::string> lines) {
  ToolTable table;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::string_view line = TrimLeftView(lines[i]);
    if (line.empty()) continue;
    const size_t gap = FindBlankOrTab(line);
    if (gap == std::string_view::npos) {
      table.problems.push_back(
          {number, ToolTableProblem::Kind::kNoSeparator, std::string(line)});
      continue;
    }
    ToolTableEntry entry;
    entry.line = number;
    entry.key = std::string(line.substr(0, gap));
    const std::string_view rest = TrimView(line.substr(gap + 1));
    if (rest.empty()) {
      table.problems.push_back(
          {number, ToolTableProblem::Kind::kNothingAfterName, entry.key});
      continue;
    }
    const size_t split = FindBlankOrTab(rest);
    if (split == std::string_view::npos) {
      entry.ordinary = std::string(rest);
    } else {
      entry.ordinary = std::string(TrimView(rest.substr(0, split)));
      entry.sectional = std::string(TrimView(rest.substr(split + 1)));
    }
    table.entries.push_back(std::move(entry));
  }
  return table;
}

}  // namespace bendpost
