#include "dialog/tool_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bendpost {
namespace {

using Kind = ToolTableProblem::Kind;

TEST(ParseToolTableTest, EntriesAndProblemsCarryTheirLines) {
  const std::vector<std::string> lines = {
      "P88",           // 1: no separator
      " \t",           // 2: blank
      "P88 \t ",       // 3: nothing after the name
      "p88 K40 K40S",  // 4
      "P88 K41",       // 5: same name, kept but never found
      "  V12\tV12 ",   // 6
      "D1\vX Y",       // 7: a vertical tab is no separator
  };
  const ToolTable table = ParseToolTable(lines);
  ASSERT_EQ(table.problems.size(), 2u);
  EXPECT_EQ(table.problems[0].line, 1);
  EXPECT_EQ(table.problems[0].kind, Kind::kNoSeparator);
  EXPECT_EQ(table.problems[1].line, 3);
  EXPECT_EQ(table.problems[1].kind, Kind::kNothingAfterName);
  EXPECT_EQ(table.problems[1].key, "P88");
  ASSERT_EQ(table.entries.size(), 4u);
  EXPECT_EQ(table.entries[1].line, 5);
  EXPECT_EQ(table.entries[2].sectional, "");
  EXPECT_EQ(table.entries[2].Target(true), "V12");
  EXPECT_EQ(table.entries[3].key, "D1\vX");

  const ToolTableEntry* p88 = table.Find("P88");
  ASSERT_NE(p88, nullptr);
  EXPECT_EQ(p88->line, 4);
  EXPECT_EQ(p88->Target(false), "K40");
  EXPECT_EQ(p88->Target(true), "K40S");
  EXPECT_EQ(table.Find("P8"), nullptr);
}

}  // namespace
}  // namespace bendpost
