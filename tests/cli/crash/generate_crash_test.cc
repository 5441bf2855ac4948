// A real `bendpost generate` killed (SIGKILL) before each of its
// file-changing operations in turn (kill_at_preload.cc counts them), with
// an older control file of the same name in the program folder. After
// every kill the control file's name holds the older file or the whole new
// one, and a clean run afterwards succeeds, names what the killed run left
// and leaves nothing behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kControlName[] = "2120700.NMB";

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

struct ChildResult {
  bool killed = false;  // by SIGKILL
  int exit_code = -1;   // when it exited
  std::string output;   // stdout and stderr
};

class GenerateCrashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = bendpost::test_support::MakeTempDir("bendpost_crash_");
    ASSERT_NE("", work_.string());
    out_ = work_ / "out";
    fs::create_directories(out_);
    const std::string golden = BENDPOST_TESTDATA_DIR "/cli/";
    // The older file is another program of the same name (the inch
    // bracket); the new one is the millimetre bracket.
    old_control_ = ReadFile(golden + "generate_bracket_inch.nmb");
    new_control_ = ReadFile(golden + "generate_bracket_mm.nmb");
    ASSERT_EQ(12664u, old_control_.size());
    ASSERT_EQ(12664u, new_control_.size());
    ASSERT_NE(old_control_, new_control_);
  }
  void TearDown() override { fs::remove_all(work_); }

  // One run of the job with a fresh serial counter (so every run names
  // its program 120700), killed before operation `kill_at` (0: never).
  ChildResult Generate(int kill_at) {
    const fs::path settings = work_ / ("settings" + std::to_string(++runs_));
    const fs::path log = work_ / "run.log";
    std::vector<std::string> args = {BENDPOST_CLI_PATH,
                                     "generate",
                                     BENDPOST_SOURCE_DIR
                                     "/examples/bracket_mm.json",
                                     "--yes",
                                     "--date",
                                     "2026-12-07",
                                     "--data",
                                     BENDPOST_EXAMPLE_DATA_DIR,
                                     "--settings",
                                     settings.string(),
                                     "--out",
                                     out_.string()};
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string var = *e;
      if (var.rfind("LD_PRELOAD=", 0) == 0 ||
          var.rfind("BENDPOST_KILL_AT=", 0) == 0 ||
          var.rfind("ASAN_OPTIONS=", 0) == 0)
        continue;
      env.push_back(var);
    }
    if (kill_at > 0) {
      env.push_back("LD_PRELOAD=" KILL_AT_PRELOAD_PATH);
      env.push_back("BENDPOST_KILL_AT=" + std::to_string(kill_at));
    }
    // The preloaded library comes before the sanitizer's runtime; it only
    // forwards to it, so the sanitizer's check of the order is not needed.
    const char* asan = std::getenv("ASAN_OPTIONS");
    env.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") +
                  (asan && *asan ? ":" : "") + "verify_asan_link_order=0");

    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    ChildResult result;
    const int spawned =
        posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(0, spawned) << argv[0];
    if (spawned != 0) return result;
    int status = 0;
    EXPECT_EQ(pid, waitpid(pid, &status, 0));
    result.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    result.output = ReadFile(log);
    return result;
  }

  fs::path work_;
  fs::path out_;
  std::string old_control_;
  std::string new_control_;
  int runs_ = 0;
};

TEST_F(GenerateCrashTest,
       KilledBeforeAnyFileOperationTheControlFileIsOldOrNew) {
  const fs::path control = out_ / kControlName;
  int kills = 0;
  for (int kill_at = 1;; ++kill_at) {
    ASSERT_LT(kill_at, 200) << "the run never got to its end";
    WriteFile(control, old_control_);
    const ChildResult killed = Generate(kill_at);
    SCOPED_TRACE("killed at " + std::to_string(kill_at) + ": " + killed.output);
    if (!killed.killed) {
      // Past the run's last operation: it ran to its end.
      EXPECT_EQ(0, killed.exit_code);
      EXPECT_TRUE(ReadFile(control) == new_control_);
      EXPECT_EQ(std::set<std::string>{kControlName}, Names(out_));
      break;
    }
    ++kills;
    ASSERT_TRUE(fs::exists(control)) << "the older control file is gone";
    const std::string after = ReadFile(control);
    EXPECT_TRUE(after == old_control_ || after == new_control_)
        << "the control file is neither the old nor the new one ("
        << after.size() << " bytes)";

    std::set<std::string> leftovers = Names(out_);
    leftovers.erase(kControlName);
    const ChildResult clean = Generate(0);
    EXPECT_EQ(0, clean.exit_code) << clean.output;
    EXPECT_TRUE(ReadFile(control) == new_control_);
    EXPECT_EQ(std::set<std::string>{kControlName}, Names(out_));
    for (const std::string& name : leftovers)
      EXPECT_NE(std::string::npos, clean.output.find("  " + name + "\n"))
          << name << " is not named as a leftover";
  }
  // Reading the job, the serial counter, the control file: the run makes
  // well over ten such operations.
  EXPECT_GT(kills, 10);
}

}  // namespace
