// What the setup sheet takes from the control file and the job, on the
// control files of the examples' golden runs: the tools by their slots.
#include "cli/sheet_model.h"

#include <gtest/gtest.h>

#include <cstring>

#include "cli_test_support.h"
#include "dialog/tool_names.h"

namespace bendpost::cli {
namespace {

const std::string kGoldenDir = std::string(BENDPOST_TESTDATA_DIR) + "/cli";

Job ExampleJob(const std::string& name) {
  Job job;
  std::vector<JsonProblem> problems;
  EXPECT_TRUE(LoadJobFile(
      std::string(BENDPOST_SOURCE_DIR) + "/examples/" + name + ".json", &job,
      &problems));
  job.data_path = BENDPOST_EXAMPLE_DATA_DIR;
  return job;
}

SheetModel Build(const std::string& bytes, const Job& job) {
  SheetModel model;
  const Status s =
      BuildSheetModel("2120700.NMB", bytes, job, std::nullopt, &model);
  EXPECT_TRUE(s.ok()) << s.message();
  return model;
}

std::string Golden(const std::string& name) {
  return testing::ReadBytes(kGoldenDir + "/" + name);
}

TEST(SheetModelTest, SpacerIsTheToolOfTheDriversSpacerSlot) {
  Job job = ExampleJob("bracket_mm");
  for (int k = 0; k < job.steps.GetSize(); ++k) {
    char ids[6][32];
    job.steps[k].GetToolID(ids);
    std::memset(ids[tool_slot::kSpacer], 0, sizeof ids[0]);
    std::strcpy(ids[tool_slot::kSpacer], "SPACER-40");
    job.steps[k].SetToolID(ids);
  }
  const SheetModel model = Build(Golden("generate_bracket_mm.nmb"), job);
  ASSERT_EQ(model.tools.size(), 4u);
  EXPECT_EQ(model.tools[3].role, "Spacer");
  EXPECT_EQ(model.tools[3].host_names, "SPACER-40");
}

}  // namespace
}  // namespace bendpost::cli
