// What the setup sheet takes from the control file and the job, on the
// control files of the examples' golden runs: the program's setup, the
// tools by their slots, the tools' force limit and the creation date.
#include "pages/sheet_model.h"

#include <gtest/gtest.h>

#include <cstring>

#include "cli/cli_test_support.h"
#include "dialog/tool_names.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::pages;
using namespace bendpost::host;
namespace {

const std::string kGoldenDir = std::string(BENDPOST_TESTDATA_DIR) + "/cli";

JobFile ExampleJob(const std::string& name) {
  JobFile job;
  std::vector<Problem> problems;
  EXPECT_TRUE(LoadJobFile(
      RealFileSystem(),
      std::string(BENDPOST_SOURCE_DIR) + "/examples/" + name + ".json", &job,
      &problems));
  job.data_path = BENDPOST_EXAMPLE_DATA_DIR;
  return job;
}

SheetModel Build(const std::string& bytes, const JobFile& job) {
  SheetModel model;
  const Status s = BuildSheetModel(RealFileSystem(), "2120700.NMB", bytes, job,
                                   std::nullopt, &model);
  EXPECT_TRUE(s.ok()) << s.message();
  return model;
}

std::string Golden(const std::string& name) {
  return testing::ReadBytes(kGoldenDir + "/" + name);
}

TEST(SheetModelTest, ProgramTakesTheFirstSetupOfTheIndexBelowItsSteps) {
  // The second program's steps have SetupIndex 2: the setup of index 1.
  JobFile job = ExampleJob("cover_two_setups");
  CPPSetup later = job.setups[1];
  later.SetSetupName("Later setup of index 1");
  job.setups.Add(later);
  const SheetModel model = Build(Golden("generate_cover_p2.nmb"), job);
  EXPECT_EQ(model.program_number, 2);
  EXPECT_EQ(model.setup_name, "Cover returns V5");
}

TEST(SheetModelTest, SpacerIsTheToolOfTheDriversSpacerSlot) {
  JobFile job = ExampleJob("bracket_mm");
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

TEST(SheetModelTest, ToolLimitIsTheWeakerToolOverTheBendLength) {
  // Punch 100 t/m, die 80 t/m: the die's over 250 mm and 120 mm.
  const SheetModel model =
      Build(Golden("generate_bracket_mm.nmb"), ExampleJob("bracket_mm"));
  ASSERT_EQ(model.steps.size(), 4u);
  EXPECT_DOUBLE_EQ(model.steps[0].tool_limit_tons, 20.0);
  EXPECT_NEAR(model.steps[3].tool_limit_tons, 9.6, 1e-9);
  EXPECT_DOUBLE_EQ(model.steps[3].machine_tons, 100.0);
}

// The control file `bytes` with the creation date 20yy-mm-dd.
std::string WithCreationDate(std::string bytes, uint8_t yy, uint8_t mm,
                             uint8_t dd) {
  DecodedControlFile file;
  EXPECT_TRUE(DecodeControlFile(bytes, &file).ok());
  file.header.CreationStamp = CreationStamp(yy, mm, dd);
  EncodeControlFileHeader(file.header,
                          reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

TEST(SheetModelTest, CreationDateIsReadAlsoWhereTheStampWrapped) {
  // (yymmdd x 10^4 + 1122) passes 2^32 from 2043-01-01 on.
  const JobFile job = ExampleJob("bracket_mm");
  const std::string bytes = Golden("generate_bracket_mm.nmb");
  EXPECT_EQ(Build(bytes, job).created, "26-12-07");
  EXPECT_EQ(Build(WithCreationDate(bytes, 42, 12, 31), job).created,
            "42-12-31");
  EXPECT_EQ(Build(WithCreationDate(bytes, 43, 1, 1), job).created, "43-01-01");
  EXPECT_EQ(Build(WithCreationDate(bytes, 99, 12, 31), job).created,
            "99-12-31");
}

}  // namespace
}  // namespace bendpost::cli
