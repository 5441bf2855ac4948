// Comparing two program files field by field: nothing for the same file,
// exactly the changed field, steps only one file has, reserved fields.
#include "formats/program_diff.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace bendpost {
namespace {

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(BENDPOST_TESTDATA_DIR) + "/program/" + name,
                   std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

DecodedControlFile Control(const std::string& name) {
  DecodedControlFile f;
  EXPECT_TRUE(DecodeControlFile(Sample(name), &f).ok());
  return f;
}

TEST(ProgramDiffTest, TheSameFileIsTheSame) {
  const std::string bytes = Sample("three_steps_inch.nmb");
  const ProgramFileIdentity id = IdentifyProgramFile(bytes);
  EXPECT_TRUE(CompareProgramFiles(bytes, id, bytes, id).same());
}

TEST(ProgramDiffTest, OneChangedFieldIsExactlyThatField) {
  const DecodedControlFile a = Control("three_steps_inch.nmb");
  DecodedControlFile b = a;
  b.steps[2].Y1 = -3.185538f;  // a has -3.1
  const ProgramDifference d = CompareControlFiles(a, b);
  EXPECT_TRUE(d.header.empty());
  ASSERT_EQ(1u, d.steps.size());
  EXPECT_EQ(3, d.steps[0].step);
  EXPECT_EQ(StepChange::kChanged, d.steps[0].change);
  ASSERT_EQ(1u, d.steps[0].fields.size());
  const FieldDifference& f = d.steps[0].fields[0];
  EXPECT_EQ("Y1", f.field);
  EXPECT_EQ("-3.1", DiffNumberText(f.type, f.a));
  EXPECT_EQ("-3.185538", DiffNumberText(f.type, f.b));
  EXPECT_EQ("-0.085538", DifferenceText(f));
}

TEST(ProgramDiffTest, HeaderTextsAndReservedFieldsCount) {
  const DecodedControlFile a = Control("three_steps_inch.nmb");
  DecodedControlFile b = a;
  b.header.PartReference = "OTHER";
  b.header.Reserved96[3] = 5;
  const ProgramDifference d = CompareControlFiles(a, b);
  ASSERT_EQ(2u, d.header.size());
  EXPECT_EQ("PartReference", d.header[0].field);
  EXPECT_EQ("ABCDEFGHIJKLM", d.header[0].a_text);
  EXPECT_EQ("OTHER", d.header[0].b_text);
  EXPECT_EQ("", DifferenceText(d.header[0]));
  EXPECT_EQ("Reserved96[3]", d.header[1].field);
  EXPECT_EQ("+5", DifferenceText(d.header[1]));
}

TEST(ProgramDiffTest, StepsOnlyOneFileHasAreAddedOrRemoved) {
  const DecodedControlFile three = Control("three_steps_inch.nmb");
  DecodedControlFile one = three;
  one.header.StepCount = 1;
  one.steps.resize(1);
  const ProgramDifference removed = CompareControlFiles(three, one);
  ASSERT_EQ(1u, removed.header.size());  // StepCount
  ASSERT_EQ(2u, removed.steps.size());
  EXPECT_EQ(2, removed.steps[0].step);
  EXPECT_EQ(StepChange::kRemoved, removed.steps[0].change);
  EXPECT_EQ(StepChange::kRemoved, removed.steps[1].change);
  const ProgramDifference added = CompareControlFiles(one, three);
  ASSERT_EQ(2u, added.steps.size());
  EXPECT_EQ(3, added.steps[1].step);
  EXPECT_EQ(StepChange::kAdded, added.steps[1].change);
}

TEST(ProgramDiffTest, RecordFilesCompareOverTheirOwnTable) {
  const std::string bytes = Sample("three_steps_inch.rec");
  const ProgramFileIdentity id = IdentifyProgramFile(bytes);
  ASSERT_EQ(ProgramFileKind::kRecord, id.kind);
  DecodedRecordFile a = DecodeRecordFileBytes(bytes, id);
  DecodedRecordFile b = a;
  b.steps[0].Reserved132 = 1;
  b.steps[1].AuxFunc[0] = 'X';
  const ProgramDifference d = CompareRecordFiles(a, b);
  ASSERT_EQ(2u, d.steps.size());
  EXPECT_EQ("Reserved132", d.steps[0].fields.at(0).field);
  EXPECT_EQ("AuxFunc[0]", d.steps[1].fields.at(0).field);
}

}  // namespace
}  // namespace bendpost
