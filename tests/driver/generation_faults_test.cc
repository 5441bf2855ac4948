// Fault injection through a whole generation: every file operation of a
// job's run fails in turn, and after each the driver must have kept its
// promises:
//   - no exception reaches the host, and the export returns true;
//   - every program is either created (the operator saw 51008) or the
//     operator saw 51010 with the error icon (after 51006 when the writer
//     could not open its file), and no program is offered after that;
//   - no record file, staging file or temporary control file is left (the
//     one exception: when deleting the staging file after a successful
//     conversion fails, the stale file stays; the next program of that name
//     replaces it);
//   - no control file is new or changed unless its program was reported
//     created (or flushing the folder after its rename failed: the new file
//     is then whole in place), and every other file is as it was; in
//     particular an older control file of the same name survives every
//     failure before the rename.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "formats/control_file.h"
#include "resources/strings.h"
#include "testing/fault_file_system.h"
#include "tests/driver/generation_jobs.h"

namespace bendpost::testing {
namespace {

using FileMap = std::map<std::string, std::string>;

// One logged operation of the fault-free run: "7 write /jobs/x.NMB 145".
struct LoggedOp {
  std::string kind;
  std::string path;    // for a rename, the source
  std::string target;  // for a rename, the target
};

LoggedOp ParseLogLine(const std::string& line) {
  LoggedOp op;
  const size_t kind_at = line.find(' ') + 1;
  const size_t path_at = line.find(' ', kind_at) + 1;
  op.kind = line.substr(kind_at, path_at - kind_at - 1);
  std::string rest = line.substr(path_at);
  const size_t arrow = rest.find(" -> ");
  if (arrow != std::string::npos) {
    op.path = rest.substr(0, arrow);
    op.target = rest.substr(arrow + 4);
    return op;
  }
  const size_t space = rest.find(' ');
  op.path = space == std::string::npos ? rest : rest.substr(0, space);
  return op;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() &&
         s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

struct JobRun {
  FileMap files;
  std::vector<ScriptedUserInterface::Message> messages;
  std::vector<std::string> log;
  bool returned = false;
};

class GenerationFaultsTest : public GenerationJobTest {
 protected:
  struct Scenario {
    int material_code = 1;
    std::vector<HostStep> steps;
    int setups = 1;
    FileMap extra_files;  // files already in the folder
  };

  // Runs the job on fresh files, a fresh serial counter and a fresh user
  // interface, failing operation `fail` (0: none).
  JobRun RunJob(const Scenario& scenario, int fail) {
    MemFileSystem mem;
    WriteJobFiles(mem, "/");
    for (const auto& [path, bytes] : scenario.extra_files)
      mem.SetFile(path, bytes);
    FaultInjectingFileSystem faults(&mem);
    MemSettingsStore settings;
    ScriptedUserInterface ui;
    settings.CreateKey(SerialCounterKeyPath(ui));
    ScopedPlatform scoped(Platform{&faults, &clock_, &settings, &ui});

    LoadJob(0, 2, scenario.material_code, scenario.steps, scenario.setups, "/");
    faults.ResetCounts();
    if (fail > 0) faults.FailOperationNumber(fail);
    JobRun run;
    char buffer[260] = {};
    EXPECT_NO_THROW(run.returned = GenerateMachineCodeFile(buffer));
    DestroyPPDBInstance();
    for (const std::string& path : mem.ListFiles())
      run.files[path] = *mem.GetFile(path);
    run.messages = ui.messages();
    run.log = faults.Log();
    return run;
  }

  static int Count(const JobRun& run, int string_id) {
    int n = 0;
    for (const auto& m : run.messages)
      if (m.text == LoadString(string_id)) ++n;
    return n;
  }

  // The control files of the fault-free run, in the order written.
  static std::vector<std::string> ControlFiles(const JobRun& clean) {
    std::vector<std::string> names;
    for (const std::string& line : clean.log) {
      const LoggedOp op = ParseLogLine(line);
      if (op.kind == "rename" && EndsWith(op.path, ".tmp")) {
        names.push_back(op.target);
      }
    }
    for (const std::string& name : names)
      EXPECT_TRUE(clean.files.count(name)) << name;
    return names;
  }

  void CheckEveryFault(const Scenario& scenario) {
    const JobRun clean = RunJob(scenario, 0);
    ASSERT_TRUE(clean.returned);
    FileMap before;
    {
      MemFileSystem mem;
      WriteJobFiles(mem, "/");
      for (const auto& [path, bytes] : scenario.extra_files)
        mem.SetFile(path, bytes);
      for (const std::string& path : mem.ListFiles())
        before[path] = *mem.GetFile(path);
    }
    const std::vector<std::string> controls = ControlFiles(clean);
    const int programs = static_cast<int>(controls.size());
    ASSERT_GT(programs, 0);
    ASSERT_EQ(programs, Count(clean, strings::kProgramCreated));
    ASSERT_EQ(0, Count(clean, strings::kProgramFailed));

    int failures_seen = 0;
    for (int i = 1; i <= static_cast<int>(clean.log.size()); ++i) {
      const std::string& line = clean.log[static_cast<size_t>(i - 1)];
      SCOPED_TRACE("failing operation " + line);
      const LoggedOp op = ParseLogLine(line);
      const JobRun run = RunJob(scenario, i);
      EXPECT_TRUE(run.returned);

      const int created = Count(run, strings::kProgramCreated);
      const int failed = Count(run, strings::kProgramFailed);
      ASSERT_LE(failed, 1);
      if (failed == 1) {
        ++failures_seen;
        EXPECT_EQ(LoadString(strings::kProgramFailed),
                  run.messages.back().text);
        EXPECT_EQ(MessageIcon::kError, run.messages.back().icon);
        EXPECT_LT(created, programs);
      } else {
        EXPECT_EQ(programs, created);
      }

      // Which files are program files: the record, staging, temporary and
      // control files of this job (everything under /jobs/).
      const bool on_program_file = op.path.rfind(NativePath("/jobs/"), 0) == 0;
      const bool staging_read_close =
          op.kind == "close" && EndsWith(op.path, ".kpz");
      const bool staging_remove =
          op.kind == "remove" && EndsWith(op.path, ".kpz");
      if (on_program_file && !staging_read_close && !staging_remove) {
        EXPECT_EQ(1, failed) << "a failed program file operation must fail";
      }
      // The writer's own open failure adds its message first.
      const bool record_create =
          op.kind == "create" && !EndsWith(op.path, ".tmp");
      EXPECT_EQ(record_create ? 1 : 0, Count(run, strings::kOpenFileFails));
      if (record_create) {
        ASSERT_GE(run.messages.size(), 2u);
        EXPECT_EQ(LoadString(strings::kOpenFileFails),
                  run.messages[run.messages.size() - 2].text);
      }

      // The files afterwards.
      std::set<std::string> allowed_new(controls.begin(),
                                        controls.begin() + created);
      if (op.kind == "sync-folder") allowed_new.insert(op.path);
      for (const auto& [path, bytes] : run.files) {
        if (allowed_new.count(path)) {
          EXPECT_EQ(12664u, bytes.size()) << path;
          DecodedControlFile decoded;
          EXPECT_TRUE(DecodeControlFile(bytes, &decoded).ok()) << path;
          // A fault outside the data files leaves the bytes as they were
          // without it.
          if (on_program_file) {
            EXPECT_TRUE(bytes == clean.files.at(path)) << path;
          }
          continue;
        }
        if (staging_remove && path == op.path && failed == 0) continue;
        auto it = before.find(path);
        if (it == before.end()) {
          ADD_FAILURE() << "left behind: " << path;
        } else {
          EXPECT_TRUE(it->second == bytes) << "changed: " << path;
        }
      }
      for (const auto& [path, bytes] : before) {
        if (!allowed_new.count(path)) {
          EXPECT_TRUE(run.files.count(path)) << "deleted: " << path;
        }
      }
    }
    EXPECT_GT(failures_seen, 0);
  }
};

TEST_F(GenerationFaultsTest, EveryFileOperationOfAMillimetreJobFailsInTurn) {
  // One setup: the working file name is the control file's own name, and
  // an older control file of that name is in the folder, next to one of
  // another name.
  Scenario scenario;
  scenario.steps = BracketMm();
  scenario.extra_files[NativePath("/jobs/2030500.NMB")] =
      "an older program of the same name";
  scenario.extra_files[NativePath("/jobs/2022899.NMB")] = "an earlier program";
  CheckEveryFault(scenario);
}

TEST_F(GenerationFaultsTest, EveryFileOperationOfATwoSetupJobFailsInTurn) {
  // Two programs; the second one's control file exists from an earlier run
  // and must stay as it was unless the second program is created.
  Scenario scenario;
  scenario.steps = TwoSetups();
  scenario.setups = 2;
  scenario.extra_files[NativePath("/jobs/2030501.NMB")] =
      "program 2 of an earlier run";
  CheckEveryFault(scenario);
}

}  // namespace
}  // namespace bendpost::testing
