// docs/job.schema.json is the loader's own rules written out: compared with
// what the field tables give, and rewritten only on purpose
// (BENDPOST_UPDATE_GOLDEN=1). The examples load without problems.
#include "cli/job_schema.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "cli/job_file.h"
#include "cli/json_text.h"
#include "cli_test_support.h"

namespace bendpost::cli {
namespace {

const std::string kSchemaPath =
    std::string(BENDPOST_SOURCE_DIR) + "/docs/job.schema.json";

TEST(JobSchemaGoldenTest, CommittedSchemaMatchesTheLoadersRules) {
  const std::string expected = JobSchema().dump(2) + "\n";
  const char* update = std::getenv("BENDPOST_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    testing::WriteText(kSchemaPath, expected);
    std::cout << "rewrote " << kSchemaPath << "\n";
  }
  EXPECT_EQ(testing::ReadBytes(kSchemaPath), expected)
      << "docs/job.schema.json differs from the loader's rules; regenerate "
         "it with BENDPOST_UPDATE_GOLDEN=1";
}

TEST(JobSchemaTest, NamesEveryFieldTheLoaderKnows) {
  const auto schema = JobSchema();
  EXPECT_EQ(schema["$defs"]["Step"]["properties"].size(), StepFields().size());
  EXPECT_EQ(schema["$defs"]["Machine"]["properties"].size(),
            MachineFields().size());
  const auto& tool_id = schema["$defs"]["Step"]["properties"]["ToolID"];
  EXPECT_EQ(tool_id["maxItems"], 6);
  EXPECT_EQ(tool_id["items"]["maxLength"], 31);
  const auto& profile =
      schema["$defs"]["Machine"]["properties"]["UpBeamProfile"];
  EXPECT_EQ(profile["maxItems"], 32);
  EXPECT_EQ(profile["items"]["maxItems"], 64);
  EXPECT_EQ(profile["items"]["items"]["maxItems"], 3);
  EXPECT_EQ(schema["$defs"]["Step"]["properties"]["CycleNo"]["maximum"], 32767);
  EXPECT_THAT(schema["$defs"]["Step"]["properties"]["BendLength"]["description"]
                  .get<std::string>(),
              ::testing::HasSubstr("job's unit"));
}

TEST(ExamplesTest, EveryExampleJobLoads) {
  for (const char* name :
       {"bracket_mm.json", "bracket_inch.json", "cover_two_setups.json"}) {
    Job job;
    std::vector<JsonProblem> problems;
    EXPECT_TRUE(
        LoadJobFile(std::string(BENDPOST_SOURCE_DIR) + "/examples/" + name,
                    &job, &problems))
        << name << "\n"
        << FormatProblems(problems);
    EXPECT_GT(job.steps.GetSize(), 0) << name;
  }
}

}  // namespace
}  // namespace bendpost::cli
