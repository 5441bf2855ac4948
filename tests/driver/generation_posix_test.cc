// GenerateMachineCodeFile on the machine's own (POSIX) file system.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "resources/dialog_ids.h"
#include "resources/strings.h"
#include "support/golden_files.h"
#include "tests/driver/generation_jobs.h"

namespace bendpost::testing {
namespace {

class GenerationPosixTest : public GenerationJobTest {
 protected:
  void Generate() {
    EXPECT_TRUE(GenerateMachineCodeFile(buffer_));
    DestroyPPDBInstance();
  }
  char buffer_[260] = {};
};

std::string Created() { return LoadString(strings::kProgramCreated); }

// The same job on the machine's own file system, in a fresh folder holding
// a stale staging file of the program's name: the control file is the
// golden one and nothing else is left.
TEST_F(GenerationPosixTest, RealFolder) {
  char folder_template[] = "/tmp/bendpost-generation-XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(folder_template));
  const std::filesystem::path folder = folder_template;
  std::filesystem::create_directories(folder / "jobs");
  std::filesystem::create_directories(folder / "data");
  {
    ScopedPlatform real(Platform{nullptr, &clock_, &settings_, &ui_});
    WriteJobFiles(*CurrentPlatform().files, folder.string() + "/");
    std::ofstream(folder / "jobs" / "2030500.kpz") << "left by a crash";
    LoadJob(0, 2, 1, BracketMm(), 1, folder.string() + "/");
    ui_.AddDialog(ScriptedDialog{.edits = {{IDC_PART_REFERENCE, "bracket-a"}}});
    Generate();
  }
  EXPECT_EQ(std::vector<std::string>{Created()}, MessageTexts());
  EXPECT_EQ((folder / "jobs" / "bracket.bmf").string(), std::string(buffer_));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder / "jobs"))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(std::vector<std::string>{"2030500.NMB"}, names);
  std::ifstream in(folder / "jobs" / "2030500.NMB", std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::ifstream golden(test_support::TestDataPath("generation/bracket_mm.nmb"),
                       std::ios::binary);
  std::stringstream expected;
  expected << golden.rdbuf();
  EXPECT_TRUE(bytes.str() == expected.str())
      << "the control file differs from generation/bracket_mm.nmb";
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace bendpost::testing
