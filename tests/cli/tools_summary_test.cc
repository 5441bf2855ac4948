// The tool table check, the host interface's reading of the driver's
// messages, and the summary: program cutting, control file names, exit
// codes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/tools_command.h"
#include "dialog/dialog_test_support.h"
#include "host/host_ui.h"
#include "host/summary.h"
#include "platform/scripted_ui.h"
#include "resources/dialog_ids.h"
#include "resources/strings.h"

namespace bendpost::cli {

using namespace bendpost::host;
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

std::vector<std::string> Messages(const std::vector<TableFinding>& findings) {
  std::vector<std::string> list;
  for (const auto& f : findings) {
    list.push_back(std::to_string(f.line) + ": " + f.message);
  }
  return list;
}

TEST(ToolTableCheckTest, FindsWhatTheDriverWouldNeverUse) {
  const std::vector<std::string> table = {
      "P88",                 // no space or tab after the name
      "P88   \t ",           // nothing after the name
      "",                    // blank: fine
      "  p88 K40 K40S",      // fine
      "P88 K41",             // never read
      "V16\tVEE1600 S16",    // ordinary target too long
      "V12 V12   LONGSECT",  // sectional target too long
      "H1 H1",
  };
  EXPECT_THAT(
      Messages(CheckToolTable(table, nullptr)),
      ElementsAre("1: never matches: no space or tab after the name \"P88\"",
                  "2: never matches: nothing after the name \"P88\"",
                  "5: never read: line 4 already gives \"p88\"",
                  "6: target \"VEE1600\" of \"V16\" has 7 characters; the "
                  "control takes at most 6",
                  "7: target \"LONGSECT\" of \"V12\" has 8 characters; the "
                  "control takes at most 6"));
  EXPECT_THAT(CheckToolTable({"A B", "  ", "B C D"}, nullptr), IsEmpty());
}

TEST(ToolTableCheckTest, WithAJobLooksUpTheStepsTools) {
  JobFile job;
  auto tool = [&job](const char* name, int size = 0, int sectional = 0) {
    CPPTool t;
    t.SetToolName(name);
    t.SetSmallorLarger(size);
    t.SetSectional(sectional);
    job.tools.Add(t);
  };
  tool("P88");
  tool("V12", 2);
  tool("H 60");
  auto step = [&job](std::vector<std::string> names) {
    char ids[6][32] = {};
    for (size_t i = 0; i < names.size(); ++i) {
      std::copy(names[i].begin(), names[i].end(), ids[i]);
    }
    CPPStepInfo s;
    s.SetToolID(ids);
    job.steps.Add(s);
  };
  step({"P88", "V12", "H 60", "", "SP1"});
  step({"P99", "V12"});
  const std::vector<std::string> table = {"p88 K88", "V12 V123456"};
  EXPECT_THAT(
      Messages(CheckToolTable(table, &job)),
      ElementsAre(
          "2: target \"V123456\" of \"V12\" has 7 characters; the control "
          "takes at most 6",
          "0: punch \"P99\" (step 2) is not among the job's tools: the "
          "program names no tool and \"0\"",
          "2: die \"V12\" (steps 1, 2): target \"V123456\" with its size "
          "suffix \"2\" has 8 characters; the control takes at most 6",
          "0: die holder \"H 60\" (step 1) holds a space or tab: no table "
          "line can match it",
          "0: spacer \"SP1\" (step 1) is not among the job's tools: the "
          "program names no tool and \"0\""));
}

TEST(StepWarningTest, ParsesTheHeadingAndEveryLine) {
  StepWarning w;
  ASSERT_TRUE(ParseStepWarning(
      "Please note: [for step number: 12]\nfirst\nsecond\n", &w));
  EXPECT_EQ(w.step, 12);
  EXPECT_THAT(w.messages, ElementsAre("first", "second"));
  ASSERT_TRUE(ParseStepWarning("Please note: [for step number: -3]\n", &w));
  EXPECT_EQ(w.step, -3);
  EXPECT_THAT(w.messages, IsEmpty());
  EXPECT_FALSE(ParseStepWarning("Please note: [for step number: x]\n", &w));
  EXPECT_FALSE(ParseStepWarning("Please note: [for step 2]\n", &w));
  EXPECT_FALSE(ParseStepWarning("The program is created", &w));
}

TEST(MatchesFormatTest, NumbersInPlaceOfEachHole) {
  const std::string format = "Program %d has %d steps.";
  EXPECT_TRUE(MatchesFormat("Program 2 has 30 steps.", format));
  EXPECT_TRUE(MatchesFormat("Program -1 has 0 steps.", format));
  EXPECT_FALSE(MatchesFormat("Program 2 has many steps.", format));
  EXPECT_FALSE(MatchesFormat("Program 2 has 30 steps. More", format));
  EXPECT_FALSE(MatchesFormat("Program  has 30 steps.", format));
  EXPECT_TRUE(MatchesFormat("plain", "plain"));
}

class HostInterfaceTest : public bendpost::testing::DialogTest {
 protected:
  HostInterfaceTest() { AddSetup(0, 7, "S1"); }
};

TEST_F(HostInterfaceTest, AttributesEveryMessageToItsProgram) {
  ScriptedUserInterface front;
  front.AddDialog(ScriptedDialog{});  // create
  front.AddDialog(ScriptedDialog{.edits = {{IDC_PROGRAM_NAME, "1234567"}}});
  ScriptedDialog cancel;
  cancel.action = ScriptedAction::kCancel;
  front.AddDialog(cancel);
  HostUserInterface host(front);
  // One program's dialog shown through the host's interface.
  auto run_dialog = [&] {
    auto header = MakeHeader({CPPStepInfo()});
    const JobContext context{job_, files_, clock_, settings_, host};
    return ProgramDialog(*header, context, true).Run();
  };

  host.ShowMessage("The steps of program 1 use setup 9", MessageIcon::kError);
  EXPECT_EQ(run_dialog(), DialogResult::kOk);
  host.ShowMessage(
      "Please note: [for step number: 4]\nThe material is not "
      "supported.\n",
      MessageIcon::kNone);
  host.ShowMessage(LoadString(strings::kProgramCreated), MessageIcon::kNone);
  host.ShowMessage(
      "The program path has 300 characters; the host can take "
      "at most 259. The program was created, but its path is "
      "not handed back.",
      MessageIcon::kError);
  EXPECT_EQ(run_dialog(), DialogResult::kCancel);  // refused by validation
  EXPECT_EQ(run_dialog(), DialogResult::kCancel);
  // Beyond the script: confirmed, then the finishing fails.
  EXPECT_EQ(run_dialog(), DialogResult::kOk);
  host.ShowMessage(LoadString(strings::kOpenFileFails), MessageIcon::kNone);
  host.ShowMessage(LoadString(strings::kProgramFailed), MessageIcon::kError);

  const auto& events = host.events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].status, ProgramStatus::kSkipped);
  EXPECT_THAT(events[0].messages,
              ElementsAre("The steps of program 1 use setup 9"));
  EXPECT_EQ(events[1].status, ProgramStatus::kCreated);
  ASSERT_EQ(events[1].warnings.size(), 1u);
  EXPECT_EQ(events[1].warnings[0].step, 4);
  EXPECT_THAT(events[1].warnings[0].messages,
              ElementsAre("The material is not supported."));
  EXPECT_EQ(events[1].closed.at(IDC_SETUP_NAME), "S1");
  ASSERT_EQ(events[1].messages.size(), 1u);  // the path note, no skip
  EXPECT_THAT(events[1].messages[0], ::testing::HasSubstr("not handed back"));
  // Of a dialog only the fields the summary reads are kept (a job may hold
  // a thousand programs).
  ASSERT_EQ(events[1].closed.size(), 4u);
  for (int id :
       {IDC_SETUP_NAME, IDC_FILE_NAME, IDC_PROGRAM_NAME, IDC_PART_REFERENCE})
    EXPECT_EQ(events[1].closed.count(id), 1u) << id;
  EXPECT_EQ(events[2].status, ProgramStatus::kRefused);
  EXPECT_THAT(events[2].messages,
              ElementsAre("Program Name: Enter no more than 6 characters."));
  EXPECT_EQ(events[2].closed.at(IDC_PROGRAM_NAME), "1234567");
  EXPECT_EQ(events[3].status, ProgramStatus::kCancelled);
  EXPECT_EQ(events[4].status, ProgramStatus::kFailed);
  EXPECT_THAT(events[4].messages,
              ElementsAre("Open file fails!", "program created failed !"));
  // Everything reached the front end as well.
  EXPECT_EQ(front.messages().size(), 7u);
}

JobFile StepsWithSetups(std::vector<int> indexes) {
  JobFile job;
  for (int i : indexes) {
    CPPStepInfo s;
    s.SetSetupIndex(i);
    job.steps.Add(s);
  }
  CPPSetup a;
  a.SetSetupName("A");
  a.SetSetupIndex(0);
  job.setups.Add(a);
  CPPSetup b;
  b.SetSetupName("B");
  b.SetSetupIndex(1);
  job.setups.Add(b);
  return job;
}

// The cutting and the setup lookup are the driver's (records/program_cut.h,
// tested there); a run adds its number and the setup's name.
TEST(SummaryTest, RunsAreNumberedAndNameTheSetupTheDriverFinds) {
  const auto runs = CutPrograms(StepsWithSetups({1, 1, 2, 5}));
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].steps, 2);
  EXPECT_EQ(runs[0].setup_name, "A");
  EXPECT_EQ(runs[1].setup_index, 2);
  EXPECT_EQ(runs[1].setup_name, "B");
  EXPECT_EQ(runs[2].number, 3);
  EXPECT_EQ(runs[2].setup_name, "");
}

// Folder, extension and trimming are the converter's rule
// (formats/control_file_name.h, tested there on every platform); the
// summary gives it the name as the finishing step stores it.
TEST(SummaryTest, ControlFileNameAsTheFinishingStepMakesIt) {
  EXPECT_EQ(ControlFilePath("/out/2120700.S1P1.NMB", "ab12  "),
            "/out/2AB12.NMB");
  // The record file holds 6 characters of the name.
  EXPECT_EQ(ControlFilePath("/o/x.NMB", " abcdefgh"), "/o/2ABCDE.NMB");
}

TEST(SummaryTest, TableNamesTheLastProgramThatWroteTheSameControlFile) {
  const auto runs = CutPrograms(StepsWithSetups({1, 2, 1}));
  ProgramEvent first;
  first.status = ProgramStatus::kCreated;
  first.closed[IDC_FILE_NAME] = "/o/2120700.NMB";
  first.closed[IDC_PROGRAM_NAME] = "120700";
  // The file of the program before was there when these were confirmed.
  ProgramEvent again = first;
  again.control_file_existed = true;
  const auto summary = Summarize(runs, {first, again, again},
                                 [](const std::string&) { return true; });
  std::ostringstream table;
  PrintSummaryTable(table, summary);
  EXPECT_EQ(table.str(),
            "#  Program  Setup  Steps  Result   Warnings  Control file\n"
            "1  120700   A      1      created  -         /o/2120700.NMB\n"
            "2  120700   B      1      created  -         /o/2120700.NMB "
            "(replaced program 1's)\n"
            "3  120700   A      1      created  -         /o/2120700.NMB "
            "(replaced program 2's)\n"
            "\nWarnings:\n"
            "  programs 1 and 2 wrote the same control file /o/2120700.NMB; "
            "it holds program 2 only\n"
            "  programs 2 and 3 wrote the same control file /o/2120700.NMB; "
            "it holds program 3 only\n");
}

TEST(SummaryTest, ExitCodeAndTableFollowWhatTheOperatorSaw) {
  const auto runs = CutPrograms(StepsWithSetups({1, 2, 1}));
  ProgramEvent created;
  created.status = ProgramStatus::kCreated;
  created.closed[IDC_FILE_NAME] = "/o/2120700.S1P1.NMB";
  created.closed[IDC_PROGRAM_NAME] = "120700";
  created.warnings.push_back({1, {"The elongation is greater than 50%"}});
  ProgramEvent cancelled;
  cancelled.status = ProgramStatus::kCancelled;
  auto exists = [](const std::string& path) {
    return path == "/o/2120700.NMB";
  };

  auto summary = Summarize(runs, {created, cancelled, created}, exists);
  EXPECT_EQ(SummaryExitCode(summary), 0);
  std::ostringstream table;
  PrintSummaryTable(table, summary);
  EXPECT_EQ(table.str(),
            "#  Program  Setup  Steps  Result     Warnings  Control file\n"
            "1  120700   A      1      created    step 1    /o/2120700.NMB\n"
            "2  -        B      1      cancelled  -         -\n"
            "3  120700   A      1      created    step 1    /o/2120700.NMB "
            "(replaced program 1's)\n"
            "\nWarnings:\n"
            "  program 1 step 1: The elongation is greater than 50%\n"
            "  program 3 step 1: The elongation is greater than 50%\n"
            "  programs 1 and 3 wrote the same control file /o/2120700.NMB; "
            "it holds program 3 only\n");

  // A program the generation never reached, a created one whose file is
  // not there: not everything was done.
  summary = Summarize(runs, {created, cancelled}, exists);
  EXPECT_EQ(summary[2].event.status, ProgramStatus::kNotOffered);
  EXPECT_EQ(SummaryExitCode(summary), 1);
  summary = Summarize(runs, {created, cancelled, created},
                      [](const std::string&) { return false; });
  EXPECT_EQ(SummaryExitCode(summary), 1);
  const auto json = SummaryJson(summary, "/o/bracket.bmf", 1);
  EXPECT_EQ(json["programs"][0]["control_file_found"], false);
  EXPECT_EQ(json["programs"][1]["control_file"], nullptr);
  EXPECT_EQ(json["programs"][0]["warnings"][0]["step"], 1);
}

}  // namespace
}  // namespace bendpost::cli
