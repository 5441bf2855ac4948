// Golden files of the program formats: for each sample program the record
// file and the control file converted from it, byte for byte, each with its
// readable listing beside it (tests/testdata/program/). Regenerate with
// BENDPOST_UPDATE_GOLDEN=1 only, and review the diff.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "formats/control_file.h"
#include "formats/program_converter.h"
#include "formats/record_file.h"
#include "support/golden_files.h"
#include "support/program_samples.h"
#include "testing/mem_file_system.h"

namespace bendpost {
namespace test_support {
// Test names and failure messages show the sample's name.
void PrintTo(const ProgramSample& sample, std::ostream* os) {
  *os << sample.name;
}
}  // namespace test_support

namespace {

using test_support::ExpectMatchesGoldenFile;
using test_support::ProgramSample;

class ProgramFilesGoldenTest : public ::testing::TestWithParam<ProgramSample> {
};

TEST_P(ProgramFilesGoldenTest, RecordFileAndControlFileMatchTheGoldenFiles) {
  const ProgramSample& sample = GetParam();
  const std::string stem = "program/" + sample.name;

  const std::string record = EncodeRecordFile(sample.header, sample.records);
  ASSERT_EQ(125u + 145u * sample.records.size(), record.size());
  ExpectMatchesGoldenFile(stem + ".rec", record, false);
  ExpectMatchesGoldenFile(stem + ".rec.txt",
                          DumpRecordFile(record, RecordLayout::kPadded), true);

  MemFileSystem mem;
  mem.SetFile("C:/Jobs/P1.kpz", record);
  ProgramConverter converter(mem, 0);
  std::string target = "C:/Jobs/P1.NMB";
  ASSERT_EQ(1, converter.ConvertToControlFile("C:/Jobs/P1.kpz", target))
      << converter.status().message();
  EXPECT_EQ(sample.control_file_name, target);
  const std::string* control = mem.GetFile(target);
  ASSERT_NE(nullptr, control);
  ASSERT_EQ(12664u, control->size());
  ExpectMatchesGoldenFile(stem + ".nmb", *control, false);
  ExpectMatchesGoldenFile(stem + ".nmb.txt", DumpControlFile(*control), true);

  // The control file decodes cleanly to the steps it was made from.
  DecodedControlFile decoded;
  Status s = DecodeControlFile(*control, &decoded);
  ASSERT_TRUE(s.ok()) << s.message();
  ASSERT_EQ(sample.records.size() - 1, decoded.steps.size());
  for (size_t k = 0; k < decoded.steps.size(); ++k)
    EXPECT_EQ(ControlStepFromRecord(sample.records[k]), decoded.steps[k]) << k;
}

INSTANTIATE_TEST_SUITE_P(
    Samples, ProgramFilesGoldenTest,
    ::testing::ValuesIn(test_support::AllProgramSamples()),
    [](const ::testing::TestParamInfo<ProgramSample>& info) {
      return info.param.name;
    });

}  // namespace
}  // namespace bendpost
