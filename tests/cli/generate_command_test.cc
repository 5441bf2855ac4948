// `bendpost generate` on its own: the job and answers checked before any
// driver call, the host's calling order, the answers played on the real
// program dialog, the per-user counter key, the summary and exit codes.
// The generation itself is a stand-in here (cli_test_support.h); the runs
// of the real one are the golden tests of the executable.
#include "cli/generate_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli_test_support.h"
#include "dialog/program_identity.h"
#include "documents/answers.h"
#include "host/counter_store.h"
#include "host/lock_probe_posix.h"
#include "platform/settings_store_posix.h"
#include "support/job_store_reset.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::host;
namespace {

using nlohmann::json;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Two programs: steps of setup 1, then of setup 2.
json TwoProgramJob() {
  return json::parse(R"({
    "Unit": 0, "Thickness": 2, "MaterialTensile": 40, "MaterialCode": 1,
    "ProgramPath": "jobs/bracket.bmf",
    "Steps": [
      {"NumberInSquence": 1, "SetupIndex": 1, "BendAngle": 90},
      {"NumberInSquence": 2, "SetupIndex": 1, "BendAngle": 90},
      {"NumberInSquence": 3, "SetupIndex": 2, "BendAngle": 135}
    ],
    "Setups": [
      {"SetupName": "First", "SetupIndex": 0},
      {"SetupName": "Second", "SetupIndex": 1}
    ]
  })");
}

using testing::LockedElsewhere;

class GenerateCommandTest : public ::testing::Test {
 protected:
  GenerateCommandTest() : dir_(testing::ScratchDir()) {
    std::filesystem::create_directories(dir_ / "jobs");
    options_.settings_dir = (dir_ / "settings").string();
    options_.date = "2026-12-07";
    calls_ = RealDriverCalls();
    calls_.generate = [this](char* path) { return fake_(path); };
  }

  void WriteJob(const json& job) {
    testing::WriteText(dir_ / "job.json", job.dump(2));
    options_.job_path = (dir_ / "job.json").string();
  }
  void WriteAnswers(const std::string& text) {
    testing::WriteText(dir_ / "answers.json", text);
    options_.answers_path = (dir_ / "answers.json").string();
  }
  int Run(bool terminal = false) {
    CommandIo io{in_, out_, err_, terminal};
    Services services = testing::RealServices(calls_);
    return RunGenerate(options_, io, services);
  }
  json JsonSummary() {
    options_.json = true;
    const int code = Run();
    json summary = json::parse(out_.str());
    EXPECT_EQ(summary["exit_code"], code);
    return summary;
  }

  bendpost::testing::ScopedJobStoreReset reset_;
  std::filesystem::path dir_;
  GenerateOptions options_;
  DriverCalls calls_;
  testing::FakeGeneration fake_;
  std::istringstream in_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(GenerateCommandTest, JobWithErrorsListsThemAllAndCallsNothing) {
  json job = TwoProgramJob();
  job["Steps"][0]["BendAngel"] = 90;
  job["Steps"][1]["ToolID"] = {"a", "b", "c", "d", "e", "f", "g"};
  job["Steps"][2]["ToolID"] = {std::string(32, 'x')};
  job["Thickness"] = "2";
  job.erase("ProgramPath");
  WriteJob(job);
  options_.yes = true;
  bool touched = false;
  calls_.create_instance = [&] { return touched = true; };
  EXPECT_EQ(Run(), kExitUsage);
  EXPECT_FALSE(touched);
  EXPECT_EQ(fake_.calls, 0);
  const std::string text = err_.str();
  EXPECT_THAT(text, HasSubstr("5 problems"));
  EXPECT_THAT(text, HasSubstr("$.Steps[0].BendAngel: unknown field (did you "
                              "mean \"BendAngle\"?)"));
  EXPECT_THAT(text,
              HasSubstr("$.Steps[1].ToolID: too many entries: 7, at most 6"));
  EXPECT_THAT(
      text, HasSubstr("$.Steps[2].ToolID[0]: too long: 32 bytes, at most 31"));
  EXPECT_THAT(text,
              HasSubstr("$.Thickness: expected a number, found a string"));
  EXPECT_THAT(text, HasSubstr("$: missing required field \"ProgramPath\""));
  EXPECT_EQ(out_.str(), "");
}

TEST_F(GenerateCommandTest, NumberBeyondADoubleIsAJobProblem) {
  testing::WriteText(dir_ / "job.json",
                     R"({"Unit": 0, "Thickness": 1e400, "MaterialTensile": 40,
                         "MaterialCode": 1, "ProgramPath": "p.bmf"})");
  options_.job_path = (dir_ / "job.json").string();
  options_.yes = true;
  bool touched = false;
  calls_.create_instance = [&] { return touched = true; };
  EXPECT_EQ(Run(), kExitUsage);
  EXPECT_FALSE(touched);
  EXPECT_THAT(err_.str(), HasSubstr("1 problem\n  $: number overflow"));
}

TEST_F(GenerateCommandTest, CallsTheExportsInTheHostsOrder) {
  WriteJob(TwoProgramJob());
  options_.yes = true;
  std::vector<std::string> order;
  DriverCalls real = RealDriverCalls();
  calls_.create_instance = [&] {
    order.push_back("Create");
    return real.create_instance();
  };
  calls_.set_unit = [&](int u) {
    order.push_back("SetUnit");
    real.set_unit(u);
  };
  calls_.set_material_1 = [&](float t, float s, int c) {
    order.push_back("SetMaterial_1");
    real.set_material_1(t, s, c);
  };
  calls_.set_material_2 = [&](float, float, CString) {
    order.push_back("SetMaterial_2");
  };
  calls_.init_steps = [&](CArray<CPPStepInfo>* a) {
    order.push_back("InitPPSequence");
    real.init_steps(a);
  };
  calls_.init_tools = [&](CArray<CPPTool>* a) {
    order.push_back("InitToolInfo");
    real.init_tools(a);
  };
  calls_.init_setups = [&](CArray<CPPSetup>* a) {
    order.push_back("InitSetupInfo");
    real.init_setups(a);
  };
  calls_.init_machines = [&](CArray<CPPMachine>* a) {
    order.push_back("InitMachineInfo");
    real.init_machines(a);
  };
  calls_.init_back_gauges = [&](CArray<CPPBGauge>* a) {
    order.push_back("InitBkGaugeInfo");
    real.init_back_gauges(a);
  };
  calls_.set_path_names = [&](CString p, CString d, CString t) {
    order.push_back("SetPathNames");
    real.set_path_names(p, d, t);
  };
  calls_.generate = [&](char* p) {
    order.push_back("Generate");
    return fake_(p);
  };
  calls_.destroy_instance = [&] {
    order.push_back("Destroy");
    real.destroy_instance();
  };
  EXPECT_EQ(Run(), kExitOk) << err_.str();
  EXPECT_THAT(
      order,
      ElementsAre("Create", "SetUnit", "SetMaterial_1", "InitPPSequence",
                  "InitToolInfo", "InitSetupInfo", "InitMachineInfo",
                  "InitBkGaugeInfo", "SetPathNames", "Generate", "Destroy"));
}

TEST_F(GenerateCommandTest, YesCreatesEveryProgramAndPrintsTheSummary) {
  WriteJob(TwoProgramJob());
  options_.yes = true;
  options_.out_dir = (dir_ / "out").string();
  EXPECT_EQ(Run(), kExitOk) << err_.str();
  const std::string out = out_.str();
  // Messages as they happen, then the table.
  EXPECT_THAT(out, HasSubstr("The program is created, you can now use "
                             "Taskelin to send it to the control.\n"));
  EXPECT_THAT(out, HasSubstr("#  Program  Setup   Steps  Result   Warnings  "
                             "Control file"));
  const std::string out_dir = std::filesystem::absolute(dir_ / "out").string();
  EXPECT_THAT(out, HasSubstr("1  120700   First   2      created  -         " +
                             out_dir + "/2120700.NMB"));
  EXPECT_THAT(out, HasSubstr("2  120701   Second  1      created  -         " +
                             out_dir + "/2120701.NMB"));
  // The counter key was made for this user; the next serial is stored.
  FolderSettingsStore store(options_.settings_dir);
  ScriptedUserInterface ui;
  auto key = store.OpenKey(SerialCounterKeyPath(ui), KeyAccess::kRead);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->Query(kSerialNumberValue), std::string("2\0\0", 3));
}

TEST_F(GenerateCommandTest, TheSerialCounterIsThisRunsWhileTheDriverRuns) {
  WriteJob(TwoProgramJob());
  options_.yes = true;
  const std::string lock_file =
      options_.settings_dir + "/" + kCounterLockFileName;
  bool held = false;
  calls_.generate = [&](char* path) {
    held = LockedElsewhere(lock_file);
    return fake_(path);
  };
  EXPECT_EQ(Run(), kExitOk) << err_.str();
  EXPECT_TRUE(held);
  EXPECT_FALSE(LockedElsewhere(lock_file));
}

TEST_F(GenerateCommandTest, AnswersCoverCreateCancelEditsMaterialAndFolder) {
  json job = TwoProgramJob();
  job["Steps"].push_back({{"NumberInSquence", 4}, {"SetupIndex", 1}});
  WriteJob(job);
  std::filesystem::create_directories(dir_ / "elsewhere");
  WriteAnswers(R"([
    {"Action": "Create", "Hardness": 45.5, "ProgramName": "br01",
     "Material": "AL1", "PartReference": "Left bracket"},
    {"Action": "cancel"},
    {"Folder": "elsewhere", "ProgramName": "br03"}
  ])");
  json summary = JsonSummary();
  ASSERT_EQ(summary["programs"].size(), 3u) << err_.str();
  const json& p1 = summary["programs"][0];
  EXPECT_EQ(p1["status"], "created");
  EXPECT_EQ(p1["program"], "br01");
  EXPECT_EQ(p1["part_reference"], "Left bracket");
  EXPECT_EQ(summary["programs"][1]["status"], "cancelled");
  EXPECT_EQ(summary["programs"][1]["control_file"], nullptr);
  const json& p3 = summary["programs"][2];
  EXPECT_EQ(p3["status"], "created");
  const std::string elsewhere =
      std::filesystem::absolute(dir_ / "elsewhere").lexically_normal().string();
  EXPECT_EQ(p3["control_file"], elsewhere + "/2BR03.NMB");
  EXPECT_EQ(p3["control_file_found"], true);
  EXPECT_EQ(summary["program_path"], elsewhere + "/bracket.bmf");
  EXPECT_EQ(summary["exit_code"], 0);
}

TEST_F(GenerateCommandTest, ReplacedControlFilesAndLeftoversAreReported) {
  WriteJob(TwoProgramJob());
  options_.yes = true;
  options_.out_dir = (dir_ / "out").string();
  std::filesystem::create_directories(dir_ / "out");
  for (const char* name :
       {"2120700.NMB", "2120700.kpz", "2120701.nmb.tmp", "notes.tmp"}) {
    testing::WriteText(dir_ / "out" / name, "earlier");
  }
  // A program whose FileName ends in ".kpz" is finished under that name.
  std::filesystem::copy_file(BENDPOST_TESTDATA_DIR "/generation/bracket_mm.nmb",
                             dir_ / "out" / "finished.kpz");
  json summary = JsonSummary();
  ASSERT_EQ(summary["programs"].size(), 2u) << err_.str();
  EXPECT_EQ(summary["programs"][0]["replaced"], true);
  EXPECT_EQ(summary["programs"][1]["replaced"], false);
  EXPECT_EQ(summary["leftovers"], json({"2120700.kpz", "2120701.nmb.tmp"}));
  EXPECT_THAT(err_.str(), HasSubstr("an interrupted earlier run left 2 files"));
  EXPECT_THAT(err_.str(), HasSubstr("  2120701.nmb.tmp\n"));
  EXPECT_THAT(err_.str(), Not(HasSubstr("notes.tmp")));
}

TEST_F(GenerateCommandTest, OneLeftoverIsItAndAFolderIsNone) {
  WriteJob(TwoProgramJob());
  options_.yes = true;
  options_.out_dir = (dir_ / "out").string();
  std::filesystem::create_directories(dir_ / "out" / "x.kpz");
  testing::WriteText(dir_ / "out" / "2120700.kpz", "earlier");
  json summary = JsonSummary();
  EXPECT_EQ(summary["leftovers"], json({"2120700.kpz"}));
  const std::string out = std::filesystem::absolute(dir_ / "out").string();
  EXPECT_THAT(err_.str(),
              HasSubstr("an interrupted earlier run left 1 file in " + out +
                        "; the next program of the same name replaces it:\n"
                        "  2120700.kpz\n"));
}

TEST_F(GenerateCommandTest, AControlFileWrittenTwiceIsAWarningNamingBoth) {
  WriteJob(TwoProgramJob());
  options_.out_dir = (dir_ / "out").string();
  WriteAnswers(R"([{"ProgramName": "br01"}, {"ProgramName": "br01"}])");
  json summary = JsonSummary();
  const std::string path =
      std::filesystem::absolute(dir_ / "out").string() + "/2BR01.NMB";
  const std::string warning = "programs 1 and 2 wrote the same control file " +
                              path + "; it holds program 2 only";
  EXPECT_EQ(summary["programs"][0]["replaces_program"], nullptr);
  EXPECT_EQ(summary["programs"][1]["replaces_program"], 1);
  EXPECT_EQ(summary["programs"][1]["replaced"], false);
  EXPECT_EQ(summary["warnings"], json({warning}));
}

TEST_F(GenerateCommandTest, MaterialAnswerChangesHardnessAndNumber) {
  WriteJob(TwoProgramJob());
  // The material is picked before the edits: a typed hardness wins.
  WriteAnswers(
      R"([{"Material": "S.S."}, {"Hardness": "38", "Material": "AL2"}])");
  EXPECT_EQ(Run(), kExitOk) << err_.str();
  ASSERT_EQ(fake_.confirmed.size(), 2u);
  EXPECT_EQ(fake_.confirmed[0].material_name, "S.S.");
  EXPECT_EQ(fake_.confirmed[0].material_number, 4);
  EXPECT_FLOAT_EQ(fake_.confirmed[0].hardness, 60);
  EXPECT_EQ(fake_.confirmed[1].material_name, "AL2");
  EXPECT_EQ(fake_.confirmed[1].material_number, 3);
  EXPECT_FLOAT_EQ(fake_.confirmed[1].hardness, 38);
}

TEST_F(GenerateCommandTest, RefusedCreateIsPrintedAndExitsNonZero) {
  WriteJob(TwoProgramJob());
  WriteAnswers(R"([{"ProgramName": "TOOLONG1"}])");
  EXPECT_EQ(Run(), kExitIncomplete);
  EXPECT_THAT(
      err_.str(),
      HasSubstr("error: Program Name: Enter no more than 6 characters."));
  EXPECT_THAT(out_.str(), HasSubstr("1  TOOLONG1  First   2      refused"));
  // The second program is beyond the answers: created with its defaults,
  // and with the serial number the refused one did not use.
  EXPECT_THAT(out_.str(), HasSubstr("2  120700    Second  1      created"));
}

TEST_F(GenerateCommandTest, AnswersThatDoNotFitTheDialog) {
  WriteJob(TwoProgramJob());
  WriteAnswers(R"([{"Material": "Unobtainium"}])");
  EXPECT_EQ(Run(), kExitIncomplete);
  EXPECT_THAT(err_.str(), HasSubstr("error: answers for dialog 1: "));
  EXPECT_THAT(out_.str(), HasSubstr("answers error"));
}

TEST_F(GenerateCommandTest, SkippedProgramIsReportedAndExitsNonZero) {
  json job = TwoProgramJob();
  job["Steps"][2]["SetupIndex"] = 7;
  WriteJob(job);
  options_.yes = true;
  EXPECT_EQ(Run(), kExitIncomplete);
  EXPECT_THAT(err_.str(),
              HasSubstr("error: The steps of program 2 use setup 7"));
  EXPECT_THAT(out_.str(), HasSubstr("2  -        -      1      skipped"));
}

TEST_F(GenerateCommandTest, AnswersFileProblemsAreListedBeforeAnyCall) {
  WriteJob(TwoProgramJob());
  WriteAnswers(R"([{"Action": "Maybe", "ProgramNmae": "x", "Hardness": true,
                    "Folder": 3}, 7])");
  EXPECT_EQ(Run(), kExitUsage);
  EXPECT_EQ(fake_.calls, 0);
  const std::string text = err_.str();
  EXPECT_THAT(text, HasSubstr("5 problems"));
  EXPECT_THAT(text, HasSubstr("$[0].Action: expected \"Create\" or \"Cancel\", "
                              "found \"Maybe\""));
  EXPECT_THAT(text, HasSubstr("$[0].ProgramNmae: unknown field (did you mean "
                              "\"ProgramName\"?)"));
  EXPECT_THAT(text, HasSubstr("$[0].Hardness: expected a string or a number"));
  EXPECT_THAT(text, HasSubstr("$[0].Folder: expected a string"));
  EXPECT_THAT(text, HasSubstr("$[1]: expected an object"));
}

TEST_F(GenerateCommandTest, WithoutTerminalOrAnswersItStopsBeforeTheDriver) {
  WriteJob(TwoProgramJob());
  EXPECT_EQ(Run(/*terminal=*/false), kExitUsage);
  EXPECT_EQ(fake_.calls, 0);
  EXPECT_THAT(err_.str(), HasSubstr("needs a terminal; give --yes"));
}

TEST_F(GenerateCommandTest, InteractiveDialogOnTheInputStream) {
  WriteJob(TwoProgramJob());
  in_.str("1\nAB12\nc\nx\n");
  EXPECT_EQ(Run(/*terminal=*/true), kExitOk) << err_.str();
  EXPECT_THAT(out_.str(), HasSubstr("1  AB12     First   2      created"));
  EXPECT_THAT(out_.str(), HasSubstr("2  120701   Second  1      cancelled"));
}

TEST_F(GenerateCommandTest, BadDateStopsBeforeTheDriver) {
  WriteJob(TwoProgramJob());
  options_.yes = true;
  for (const char* date : {"2026-02-30", "2026-13-01", "26-12-07", "2025-02-29",
                           "2026-1-7", "1900-02-29", "2100-02-29"}) {
    options_.date = date;
    err_.str("");
    EXPECT_EQ(Run(), kExitUsage) << date;
    EXPECT_THAT(err_.str(), HasSubstr("--date wants a date as YYYY-MM-DD"));
  }
  EXPECT_EQ(fake_.calls, 0);
  EXPECT_TRUE(ParseIsoDate("2024-02-29").has_value());
  EXPECT_TRUE(ParseIsoDate("2000-02-29").has_value());
}

TEST(AnswersTest, EditsArePlayedInTransferOrderWhateverTheFileOrder) {
  std::vector<ScriptedDialog> script;
  std::vector<Problem> problems;
  ASSERT_TRUE(BuildAnswers(json::parse(R"([{"Hardness": 57.84,
      "SpacerTargetName": "S1", "ProgramName": "A", "Folder": "out",
      "Material": "AL1", "Action": "CREATE"}])"),
                           "/base", &script, &problems));
  ASSERT_EQ(script.size(), 1u);
  const ScriptedDialog& d = script[0];
  EXPECT_EQ(d.material, "AL1");
  ASSERT_TRUE(d.folder.has_value());
  EXPECT_EQ(d.folder->path, "/base/out");
  EXPECT_EQ(d.action, ScriptedAction::kCreate);
  ASSERT_EQ(d.edits.size(), 3u);
  EXPECT_EQ(d.edits[0], std::make_pair(IDC_PROGRAM_NAME, std::string("A")));
  EXPECT_EQ(d.edits[1],
            std::make_pair(IDC_SPACER_TARGET_NAME, std::string("S1")));
  EXPECT_EQ(d.edits[2], std::make_pair(IDC_HARDNESS, std::string("57.84")));
}

TEST(AnswersTest, OnlyEditableFieldsMayBeAnswered) {
  std::vector<ScriptedDialog> script;
  std::vector<Problem> problems;
  EXPECT_FALSE(
      BuildAnswers(json::parse(R"([{"FileName": "x", "TotalSteps": "9"}])"),
                   "/", &script, &problems));
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_EQ(problems[0].path, "$[0].FileName");
  EXPECT_EQ(
      AnswerEditNames(),
      (std::vector<std::string>{
          "ProgramName", "PartReference", "PunchTargetName", "DieTargetName",
          "DieHolderTargetName", "SpacerTargetName", "Hardness"}));
}

}  // namespace
}  // namespace bendpost::cli
