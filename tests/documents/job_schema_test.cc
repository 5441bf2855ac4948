// docs/job.schema.json is the loader's own rules written out: compared with
// what the field tables give, and rewritten only on purpose
// (BENDPOST_UPDATE_GOLDEN=1). The examples load without problems.
#include "documents/job_schema.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "cli/cli_test_support.h"
#include "documents/job_file.h"
#include "documents/json_text.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::host;
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

// Every integer the committed schema bounds, top-level or in a record: the
// loader takes both bounds and refuses one beyond each, at that value's path.
TEST(JobSchemaTest, LoaderKeepsTheSchemasIntegerBounds) {
  using nlohmann::json;
  const json schema = json::parse(testing::ReadBytes(kSchemaPath));
  // A field of the schema: top-level (no record array) or of a record.
  struct Site {
    std::string name;  // record array ("" for a top-level field) and field
    std::string field;
    json node;
  };
  std::vector<Site> sites;
  for (const auto& [name, node] : schema["properties"].items()) {
    if (node.value("type", "") == "integer") sites.push_back({"", name, node});
    if (!node.contains("items")) continue;
    const std::string ref = node["items"]["$ref"];
    const json& record = schema["$defs"][ref.substr(ref.rfind('/') + 1)];
    for (const auto& [field, field_node] : record["properties"].items()) {
      sites.push_back({name, field, field_node});
    }
  }
  int checked = 0;
  for (const Site& site : sites) {
    json node = site.node;
    std::string suffix;
    int depth = 0;
    while (node.contains("items")) {
      node = json(node["items"]);
      suffix += "[0]";
      ++depth;
    }
    if (node.value("type", "") != "integer") continue;
    const int64_t min = node["minimum"];
    const int64_t max = node["maximum"];
    const std::string path =
        site.name.empty() ? "$." + site.field
                          : "$." + site.name + "[0]." + site.field + suffix;
    for (const int64_t value : {min - 1, min, max, max + 1}) {
      // Parsed from text, as a job file's value is (unsigned when >= 0).
      json wrapped = json::parse(std::to_string(value));
      for (int i = 0; i < depth; ++i) wrapped = json::array({wrapped});
      json doc = json::parse(R"({"Unit": 0, "Thickness": 2,
          "MaterialTensile": 40, "MaterialCode": 1, "ProgramPath": "p.nmb"})");
      if (site.name.empty()) {
        doc[site.field] = wrapped;
      } else {
        doc[site.name] = json::array({{{site.field, wrapped}}});
      }
      JobFile job;
      std::vector<Problem> problems;
      const bool inside = value >= min && value <= max;
      EXPECT_EQ(BuildJob(doc, "/jobs", &job, &problems), inside)
          << path << " = " << value;
      if (!inside) {
        ASSERT_EQ(problems.size(), 1u) << path << " = " << value;
        EXPECT_EQ(problems[0].path, path);
      }
    }
    ++checked;
  }
  EXPECT_EQ(checked, 41);
}

TEST(ExamplesTest, EveryExampleJobLoads) {
  for (const char* name :
       {"bracket_mm.json", "bracket_inch.json", "cover_two_setups.json"}) {
    JobFile job;
    std::vector<Problem> problems;
    EXPECT_TRUE(
        LoadJobFile(RealFileSystem(),
                    std::string(BENDPOST_SOURCE_DIR) + "/examples/" + name,
                    &job, &problems))
        << name << "\n"
        << FormatProblems(problems);
    EXPECT_GT(job.steps.GetSize(), 0) << name;
  }
}

}  // namespace
}  // namespace bendpost::cli
