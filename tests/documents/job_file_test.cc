// The job file: every problem listed with its JSON path, fields applied in
// the records' order with the job's unit flag.
#include "documents/job_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <set>

#include "documents/json_text.h"

namespace bendpost::cli {

using namespace bendpost::documents;
namespace {

using nlohmann::json;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

json MinimalJob() {
  return json::parse(R"({
    "Unit": 0, "Thickness": 2, "MaterialTensile": 40, "MaterialCode": 1,
    "ProgramPath": "out/bracket.bmf"
  })");
}

std::vector<Problem> ProblemsOf(const json& doc) {
  JobFile job;
  std::vector<Problem> problems;
  EXPECT_FALSE(BuildJob(doc, "/jobs", &job, &problems));
  return problems;
}

JobFile Built(const json& doc) {
  JobFile job;
  std::vector<Problem> problems;
  EXPECT_TRUE(BuildJob(doc, "/jobs", &job, &problems))
      << FormatProblems(problems);
  return job;
}

std::vector<std::string> Paths(const std::vector<Problem>& problems) {
  std::vector<std::string> paths;
  for (const auto& p : problems) paths.push_back(p.path);
  return paths;
}

TEST(JobFileTest, MinimalJobResolvesPathsAgainstTheJobFolder) {
  json doc = MinimalJob();
  doc["DataPath"] = "../data";
  doc["ToolNameTablePath"] = "/etc/tools.txt";
  JobFile job = Built(doc);
  EXPECT_EQ(job.program_path, "/jobs/out/bracket.bmf");
  EXPECT_EQ(job.data_path, "/data");
  EXPECT_EQ(job.tool_name_table_path, "/etc/tools.txt");
  EXPECT_EQ(job.material_code, 1);
  EXPECT_FALSE(job.material_name.has_value());
  EXPECT_EQ(job.steps.GetSize(), 0);
}

TEST(JobFileTest, EveryProblemIsListedWithItsPath) {
  json doc = MinimalJob();
  doc["Thickness"] = "2 mm";
  doc["Colour"] = "red";
  doc["Steps"] = json::parse(R"([
    {"BendAngle": 90, "NumberInSequence": 1},
    {"ToolID": ["P88", "V16", "H1", "", "S1", "", "X"]},
    {"ToolID": ["a-name-that-is-exactly-32-bytes!"], "CycleNo": 40000},
    {"ToolReverse": [true, 1], "XX": [1, 2, 3, 4, 5]},
    7
  ])");
  doc["Tools"] =
      json::parse(R"([{"toolname": "P88", "Profile": [[1, 2, 3]]}])");
  const auto problems = ProblemsOf(doc);
  EXPECT_THAT(
      Paths(problems),
      UnorderedElementsAre(
          "$.Thickness", "$.Colour", "$.Steps[0].NumberInSequence",
          "$.Steps[1].ToolID", "$.Steps[2].ToolID[0]", "$.Steps[2].CycleNo",
          "$.Steps[3].ToolReverse[1]", "$.Steps[3].XX", "$.Steps[4]",
          "$.Tools[0].toolname", "$.Tools[0].Profile[0]"));
  auto message_at = [&](const std::string& path) {
    for (const auto& p : problems) {
      if (p.path == path) return p.text;
    }
    return std::string();
  };
  EXPECT_EQ(message_at("$.Thickness"), "expected a number, found a string");
  EXPECT_THAT(message_at("$.Steps[0].NumberInSequence"),
              HasSubstr("did you mean \"NumberInSquence\""));
  EXPECT_THAT(message_at("$.Tools[0].toolname"),
              HasSubstr("did you mean \"ToolName\""));
  EXPECT_EQ(message_at("$.Steps[1].ToolID"), "too many entries: 7, at most 6");
  EXPECT_EQ(message_at("$.Steps[2].ToolID[0]"),
            "too long: 32 bytes, at most 31");
  EXPECT_THAT(message_at("$.Steps[2].CycleNo"), HasSubstr("-32768..32767"));
  EXPECT_EQ(message_at("$.Steps[3].ToolReverse[1]"),
            "expected a boolean, found an integer");
  EXPECT_EQ(message_at("$.Colour"), "unknown field");
}

TEST(JobFileTest, ToolIdOf31BytesIsAccepted) {
  json doc = MinimalJob();
  doc["Steps"] =
      json::parse(R"([{"ToolID": ["a-name-that-is-exactly-31-bytes"]}])");
  JobFile job = Built(doc);
  char ids[6][32];
  job.steps[0].GetToolID(ids);
  EXPECT_STREQ(ids[0], "a-name-that-is-exactly-31-bytes");
  EXPECT_EQ(ids[1][0], 0);
}

TEST(JobFileTest, MissingAndConflictingTopLevelFields) {
  EXPECT_THAT(Paths(ProblemsOf(json::object())),
              ElementsAre("$", "$", "$", "$", "$"));  // 4 required + material
  json both = MinimalJob();
  both["MaterialName"] = "Aluminium";
  EXPECT_THAT(ProblemsOf(both),
              ElementsAre(Field(&Problem::path, "$.MaterialName")));
  EXPECT_THAT(
      ProblemsOf(json::array()),
      ElementsAre(Field(&Problem::text, HasSubstr("a job is a JSON object"))));
}

TEST(JobFileTest, IntegersMustBeIntegersAndFitTheirWidth) {
  json doc = MinimalJob();
  doc["Unit"] = 1.0;  // a float, even an integral one, is not an integer
  doc["Steps"] = json::parse(R"([{"SetupIndex": 4294967296, "Mode": -32769}])");
  EXPECT_THAT(Paths(ProblemsOf(doc)),
              UnorderedElementsAre("$.Unit", "$.Steps[0].SetupIndex",
                                   "$.Steps[0].Mode"));
}

TEST(JobFileTest, ConvertingSettersGetTheJobsUnit) {
  json doc = MinimalJob();
  doc["Steps"] = json::parse(R"([{
    "StepValue": 0.12345, "BendLength": 7.5, "ODC": 10.0,
    "RetractStroke": 0.4, "Offset": 1.239, "BendingSpeed": 10.0,
    "XX": [4.0, 5.0]
  }])");
  doc["Unit"] = 1;
  JobFile inch = Built(doc);
  const CPPStepInfo& s = inch.steps[0];
  EXPECT_NEAR(s.GetStepValue(), 0.123 * 25.4, 1e-4);
  EXPECT_EQ(s.GetBendLength(), 191);
  EXPECT_EQ(s.GetODC(), 254);
  EXPECT_NEAR(s.GetRetractStroke(), 0.4 * 25.4, 1e-4);
  EXPECT_NEAR(s.GetOffset(), 1.23 * 25.4, 1e-4);
  EXPECT_EQ(s.GetBendingSpeed(), 254);
  double xx[4];
  s.GetXX(xx);  // not converted: the writer converts gauge values
  EXPECT_EQ(xx[0], 4.0);
  EXPECT_EQ(xx[1], 5.0);
  EXPECT_EQ(xx[2], 0.0);

  doc["Unit"] = 0;
  JobFile mm = Built(doc);
  EXPECT_EQ(mm.steps[0].GetStepValue(), 0.0f);
  EXPECT_EQ(mm.steps[0].GetBendLength(), 8);
  EXPECT_EQ(mm.steps[0].GetODC(), 10);
  EXPECT_EQ(mm.steps[0].GetBendingSpeed(), 10);
}

TEST(JobFileTest, ExplicitValuesWinOverDerivedOnesWhateverTheFileOrder) {
  json doc = MinimalJob();
  // Written in the "wrong" order on purpose: the loader applies BendType
  // before Mode and CoiningFlag, ControlType before BendingSpeed.
  doc["Steps"] = json::parse(R"([{
    "Mode": 0, "CoiningFlag": 0, "BendType": 2,
    "BendingSpeed": 12.0, "ControlType": 0
  }, {"BendType": 4}])");
  doc["Unit"] = 1;
  JobFile job = Built(doc);
  EXPECT_EQ(job.steps[0].GetMode(), 0);
  EXPECT_EQ(job.steps[0].GetCoiningFlag(), 0);
  EXPECT_EQ(job.steps[0].GetBendType(), 2);
  // Control type 0: the value is cut, not converted from inches.
  EXPECT_EQ(job.steps[0].GetBendingSpeed(), 12);
  EXPECT_EQ(job.steps[1].GetMode(), 1);
  EXPECT_EQ(job.steps[1].GetCoiningFlag(), 1);
}

TEST(JobFileTest, FieldsLeftOutKeepTheRecordDefaults) {
  json doc = MinimalJob();
  doc["Steps"] = json::parse(R"([{"BendAngle": 90}])");
  doc["Setups"] = json::parse(R"([{"SetupName": "S1"}])");
  doc["Machines"] = json::parse(R"([{"UserMachineName": "PB",
      "UpBeamProfile": [[[1, 2, 3]], [], [[0, 0, 0], [4, 5, 6]]]}])");
  JobFile job = Built(doc);
  CPPStepInfo& s = job.steps[0];
  EXPECT_EQ(s.GetControlType(), 7);
  EXPECT_EQ(s.GetODC(), 251);
  EXPECT_EQ(s.GetBendingSpeed(), 8);
  EXPECT_FLOAT_EQ(s.GetDwellEndBend(), 0.2f);
  EXPECT_STREQ(s.GetAuxFunc(), "000000");
  EXPECT_EQ(job.setups[0].GetControlType(), 7);
  auto profile = std::make_unique<double[][64][3]>(32);
  job.machines[0].GetUpBeamProfile(profile.get());
  EXPECT_EQ(profile[0][0][2], 3.0);
  EXPECT_EQ(profile[2][1][0], 4.0);
  EXPECT_EQ(profile[2][1][2], 6.0);
  EXPECT_EQ(profile[1][0][0], 0.0);
  EXPECT_TRUE(job.machines[0].GetLengthUnit());
  EXPECT_TRUE(job.machines[0].GetclampAtCerter());
}

TEST(JobFileTest, MaterialNameAndBackGaugeIntegerSetters) {
  json doc = MinimalJob();
  doc.erase("MaterialCode");
  doc["MaterialName"] = "Stainless Steel";
  doc["BackGauges"] =
      json::parse(R"([{"FingerHLeft": 12, "BodyDir": [0, 0, 1]}])");
  JobFile job = Built(doc);
  EXPECT_EQ(job.material_name, "Stainless Steel");
  EXPECT_EQ(job.back_gauges[0].GetFingerHLeft(), 12.0);
  json bad = doc;
  bad["BackGauges"][0]["FingerHLeft"] = 12.5;
  EXPECT_THAT(Paths(ProblemsOf(bad)),
              ElementsAre("$.BackGauges[0].FingerHLeft"));
}

TEST(JsonTextTest, SyntaxErrorsGiveLineAndColumn) {
  json doc;
  std::vector<Problem> problems;
  EXPECT_FALSE(ParseJsonText("{\n  \"Unit\": ,\n}", &doc, &problems));
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_THAT(problems[0].text, HasSubstr("line 2, column 11"));
  EXPECT_THAT(problems[0].text, ::testing::Not(HasSubstr("json.exception")));
}

// The JSON reader throws a different exception for a number beyond a
// double than for a syntax error; it once went through the loader and
// ended the host.
TEST(JsonTextTest, NumberBeyondADoubleIsAProblemNotAnException) {
  for (const char* text :
       {R"({"Thickness": 1e400})", R"({"Steps": [{"BendAngle": -1E+309}]})",
        R"([0.1, 2e308])"}) {
    SCOPED_TRACE(text);
    json doc;
    std::vector<Problem> problems;
    bool parsed = true;
    EXPECT_NO_THROW(parsed = ParseJsonText(text, &doc, &problems));
    EXPECT_FALSE(parsed);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].path, "$");
    EXPECT_THAT(problems[0].text, HasSubstr("number overflow"));
    EXPECT_THAT(problems[0].text, ::testing::Not(HasSubstr("json.exception")));
  }
  // The largest doubles and the smallest ones (which become 0) are numbers.
  json doc;
  std::vector<Problem> problems;
  EXPECT_TRUE(
      ParseJsonText("[1.7976931348623157e308, 1e-400]", &doc, &problems));
  EXPECT_THAT(problems, IsEmpty());
}

TEST(JobFileTest, LoadJobTextParsesChecksAndBuilds) {
  JobFile job;
  std::vector<Problem> problems;
  EXPECT_TRUE(LoadJobText(MinimalJob().dump(), "/jobs", &job, &problems));
  EXPECT_THAT(problems, IsEmpty());
  EXPECT_EQ(job.program_path, "/jobs/out/bracket.bmf");

  // Each stage's problems end the load: the reader's, then the checks'.
  problems.clear();
  EXPECT_FALSE(LoadJobText(R"({"Unit": 0, "Thickness": 1e999})", "/jobs", &job,
                           &problems));
  EXPECT_THAT(Paths(problems), ElementsAre("$"));
  problems.clear();
  EXPECT_FALSE(
      LoadJobText(R"({"Unit": 0, "Unit": 1})", "/jobs", &job, &problems));
  EXPECT_THAT(Paths(problems), ElementsAre("$.Unit"));
  problems.clear();
  EXPECT_FALSE(LoadJobText("[]", "/jobs", &job, &problems));
  EXPECT_THAT(Paths(problems), ElementsAre("$"));
  // A refused load leaves the job as it was.
  EXPECT_EQ(job.program_path, "/jobs/out/bracket.bmf");
}

TEST(JsonTextTest, DuplicateKeysAreReportedAtTheirPath) {
  json doc;
  std::vector<Problem> problems;
  EXPECT_FALSE(ParseJsonText(
      R"({"Steps": [{"BendAngle": 90}, {"BendAngle": 90, "X": [1, {"a": 1, "a": 2}], "BendAngle": 45}]})",
      &doc, &problems));
  EXPECT_THAT(Paths(problems), UnorderedElementsAre("$.Steps[1].X[1].a",
                                                    "$.Steps[1].BendAngle"));
}

}  // namespace
}  // namespace bendpost::cli
