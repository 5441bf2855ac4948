#include "documents/problem.h"

#include <gtest/gtest.h>

#include <sstream>

namespace bendpost::documents {
namespace {

TEST(ProblemReportTest, CountsThenListsOnePerLine) {
  std::ostringstream one;
  WriteProblemReport(one, "job.json", {{"$", "not JSON"}}, "");
  EXPECT_EQ(one.str(), "job.json: 1 problem\n$: not JSON\n");

  std::ostringstream two;
  WriteProblemReport(two, "job.json", {{"$.Unit", "a"}, {"$.Steps", "b"}},
                     "  ");
  EXPECT_EQ(two.str(), "job.json: 2 problems\n  $.Unit: a\n  $.Steps: b\n");
}

}  // namespace
}  // namespace bendpost::documents
