// `bendpost list` and `bendpost diff` on an in-memory file system: exit
// codes, messages and the shape of their output.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/diff_command.h"
#include "cli/list_command.h"
#include "cli_test_support.h"
#include "documents/program_json.h"
#include "testing/mem_file_system.h"

namespace bendpost::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string Sample(const std::string& name) {
  return testing::ReadBytes(std::string(BENDPOST_TESTDATA_DIR) + "/program/" +
                            name);
}

struct Ran {
  int code;
  std::string out;
  std::string err;
};

Ran Diff(MemFileSystem& fs, const std::string& a, const std::string& b,
         bool json = false) {
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  const int code = RunDiff({a, b, json}, io, fs);
  return {code, out.str(), err.str()};
}

Ran List(MemFileSystem& fs, ListOptions options) {
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  const int code = RunList(options, io, fs);
  return {code, out.str(), err.str()};
}

TEST(DiffCommandTest, TheSameFileIsSameAndExitsZero) {
  MemFileSystem fs;
  fs.SetFile("a.NMB", Sample("three_steps_inch.nmb"));
  fs.SetFile("b.NMB", Sample("three_steps_inch.nmb"));
  const Ran r = Diff(fs, "a.NMB", "b.NMB");
  EXPECT_EQ(kExitOk, r.code);
  EXPECT_EQ("a.NMB and b.NMB are the same\n", r.out);
}

TEST(DiffCommandTest, DifferencesArePrintedOneLineEachAndExitOne) {
  std::string b = Sample("three_steps_inch.nmb");
  DecodedControlFile f;
  ASSERT_TRUE(DecodeControlFile(b, &f).ok());
  f.header.StepCount = 2;
  f.steps[0].Y1 = -12.5f;
  EncodeControlFileHeader(f.header, reinterpret_cast<uint8_t*>(b.data()));
  EncodeControlFileStep(
      f.steps[0],
      reinterpret_cast<uint8_t*>(b.data() + control_file::SlotOffset(0)));
  std::fill(b.begin() + control_file::SlotOffset(2), b.end(), '\0');
  MemFileSystem fs;
  fs.SetFile("a.NMB", Sample("three_steps_inch.nmb"));
  fs.SetFile("b.NMB", b);
  const Ran r = Diff(fs, "a.NMB", "b.NMB");
  EXPECT_EQ(kExitIncomplete, r.code);
  EXPECT_EQ(
      "header  StepCount  3 \u2192 2  (\u22121)\n"
      "step 1  Y1  -12.25 \u2192 -12.5  (\u22120.25)\n"
      "step 3  removed\n",
      r.out);
  const documents::ordered_json j =
      documents::ordered_json::parse(Diff(fs, "a.NMB", "b.NMB", true).out);
  EXPECT_EQ(false, j["same"]);
  EXPECT_EQ(-0.25, j["steps"][0]["fields"][0]["difference"]);
  EXPECT_EQ("removed", j["steps"][1]["change"]);
}

TEST(DiffCommandTest, FilesOfDifferentKindsOrNoKindAreBadInput) {
  MemFileSystem fs;
  fs.SetFile("a.NMB", Sample("three_steps_inch.nmb"));
  fs.SetFile("a.rec", Sample("three_steps_inch.rec"));
  fs.SetFile("t.txt", "text\n");
  Ran r = Diff(fs, "a.NMB", "a.rec");
  EXPECT_EQ(kExitUsage, r.code);
  EXPECT_EQ(
      "bendpost diff: a.NMB is a control file and a.rec a record file: only "
      "files of one kind compare\n",
      r.err);
  r = Diff(fs, "a.NMB", "t.txt");
  EXPECT_EQ(kExitUsage, r.code);
  EXPECT_THAT(r.err, HasSubstr("bendpost diff: t.txt: 5 bytes: neither a "
                               "control file"));
  r = Diff(fs, "missing", "a.NMB");
  EXPECT_EQ(kExitUsage, r.code);
  EXPECT_EQ("bendpost diff: cannot read missing\n", r.err);
}

TEST(ListCommandTest, AFolderThatCannotBeReadIsBadInput) {
  MemFileSystem fs;
  const Ran r = List(fs, {"nowhere", "", false, ""});
  EXPECT_EQ(kExitUsage, r.code);
  EXPECT_EQ("bendpost list: cannot list nowhere: No such file or directory\n",
            r.err);
}

TEST(ListCommandTest, JsonRowsAndAPageLinkingTheSheetsBesideTheFiles) {
  MemFileSystem fs;
  fs.SetFile("lib/2250131.NMB", Sample("three_steps_inch.nmb"));
  fs.SetFile("lib/2250131.html", "<html></html>");
  fs.SetFile("lib/2000001.NMB", Sample("one_step_mm.nmb"));
  Ran r = List(fs, {"lib", "", true, "lib/index.html"});
  ASSERT_EQ(kExitOk, r.code) << r.err;
  const documents::ordered_json j = documents::ordered_json::parse(r.out);
  ASSERT_EQ(2u, j.size());
  EXPECT_EQ("2000001.NMB", j[0]["file"]);  // made 26-12-07
  EXPECT_EQ("2250131.NMB", j[1]["file"]);
  EXPECT_EQ("ABCDEFGHIJKLM", j[1]["PartReference"]);
  EXPECT_EQ("25-01-31 11:22", j[1]["created"]);
  EXPECT_EQ(false, j[1]["damaged"]);
  const std::string* page = fs.GetFile("lib/index.html");
  ASSERT_NE(nullptr, page);
  EXPECT_THAT(*page, HasSubstr("<a href=\"2250131.html\">2250131.NMB</a>"));
  EXPECT_THAT(*page, Not(HasSubstr("<script")));
  EXPECT_EQ(nullptr, fs.GetFile("lib/index.html.tmp"));
}

}  // namespace
}  // namespace bendpost::cli
