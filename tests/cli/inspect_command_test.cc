// `bendpost inspect`: both kinds of program file, every field in JSON (the
// file can be made again from it), and a clear refusal of anything else.
#include "cli/inspect_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "base/le_bytes.h"
#include "cli_test_support.h"

namespace bendpost::cli {

using namespace bendpost::documents;
using namespace bendpost::host;
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

std::string Golden(const std::string& name) {
  return testing::ReadBytes(std::string(BENDPOST_TESTDATA_DIR) + "/program/" +
                            name);
}

struct Ran {
  int code;
  std::string out;
  std::string err;
};

Ran Inspect(const std::filesystem::path& path, bool json = false,
            bool raw = false) {
  std::istringstream in;
  std::ostringstream out, err;
  CommandIo io{in, out, err, false};
  InspectOptions options;
  options.path = path.string();
  options.json = json;
  options.raw = raw;
  const int code = RunInspect(RealFileSystem(), options, io);
  return {code, out.str(), err.str()};
}

TEST(InspectTest, ControlFileJsonHoldsEveryFieldAndMakesTheFileAgain) {
  for (const char* name :
       {"one_step_mm.nmb", "three_steps_inch.nmb", "twenty_five_steps.nmb"}) {
    const std::string bytes = Golden(name);
    ASSERT_EQ(bytes.size(), 12664u) << name;
    const ordered_json j = InspectJson(bytes);
    EXPECT_EQ(j["kind"], "control");
    EXPECT_THAT(j["problems"], IsEmpty()) << j["problems"].dump();
    // Through text and back, as a reader of the output would.
    const ordered_json reread = ordered_json::parse(j.dump());
    EXPECT_EQ(testing::ControlFileFromInspectJson(reread), bytes) << name;
  }
}

TEST(InspectTest, RecordFileJsonHoldsEveryField) {
  for (const char* name : {"one_step_mm.rec", "three_steps_inch.rec"}) {
    const std::string bytes = Golden(name);
    const ordered_json j = ordered_json::parse(InspectJson(bytes).dump());
    EXPECT_EQ(j["kind"], "record");
    EXPECT_EQ(j["layout"], "padded");
    RecordFileHeader header;
    const Status read = FromJson(j["header"], &header);
    ASSERT_TRUE(read.ok()) << read.message();
    std::vector<RecordFileStep> steps;
    for (const auto& s : j["steps"]) {
      steps.emplace_back();
      const Status step = FromJson(s, &steps.back());
      ASSERT_TRUE(step.ok()) << step.message();
    }
    ASSERT_EQ(steps.size(), static_cast<size_t>(header.RecordCount - 1));
    // Everything but the closing default record is made again.
    const std::string again = EncodeRecordFile(header, steps);
    EXPECT_EQ(again, bytes.substr(0, again.size())) << name;
  }
}

TEST(InspectTest, FloatsReadBackAsTheSameFloat) {
  for (float f : {0.2f, 0.1f, 57.84f, -7.4055f, 1e-7f, 3.4028235e38f,
                  1.17549435e-38f, -0.0f, 16777217.0f, 0.69999999f}) {
    const ordered_json j = ordered_json::parse(FloatToJson(f).dump());
    float back = 1;
    ASSERT_TRUE(FloatFromJson(j, &back));
    EXPECT_EQ(back, f);
    EXPECT_EQ(std::signbit(back), std::signbit(f));
  }
  EXPECT_EQ(FloatToJson(0.2f).dump(), "0.2");
  EXPECT_EQ(FloatToJson(57.84f).dump(), "57.84");
  EXPECT_EQ(FloatToJson(NAN).dump(), "\"nan\"");
}

TEST(InspectTest, TextReportShowsHeaderAndShopFloorColumns) {
  const auto dir = testing::ScratchDir();
  testing::WriteText(dir / "p.nmb", Golden("three_steps_inch.nmb"));
  const Ran r = Inspect(dir / "p.nmb");
  EXPECT_EQ(r.code, kExitOk) << r.err;
  for (const char* text :
       {"Control file", "12,664 bytes, 3 of 25 step slots", "Program name",
        "Part reference", "Thickness", "Material", "Punch", "Die holder",
        "Step", "Angle", "Y1", "Y2", "Tonnage", "X1", "R1", "Z1", "Speed",
        "Dwell", "Aux"}) {
    EXPECT_THAT(r.out, HasSubstr(text));
  }
  EXPECT_THAT(r.out, Not(HasSubstr("Problems")));
  const Ran raw = Inspect(dir / "p.nmb", false, true);
  EXPECT_THAT(raw.out, HasSubstr("Bytes:"));
  EXPECT_THAT(raw.out, HasSubstr("CreationStamp"));
}

TEST(InspectTest, WrongSizesAreRefusedNamingWhatWasExpected) {
  const auto dir = testing::ScratchDir();
  const std::string control = Golden("one_step_mm.nmb");
  testing::WriteText(dir / "short.nmb", control.substr(0, 12663));
  Ran r = Inspect(dir / "short.nmb");
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_THAT(r.err, HasSubstr("12,663 bytes: neither a control file (always "
                               "12,664 bytes) nor a record file"));
  testing::WriteText(dir / "tiny", "abc");
  r = Inspect(dir / "tiny", true);
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_THAT(r.err, HasSubstr("3 bytes: neither"));
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Inspect(dir / "missing").code, kExitUsage);

  // A record file cut short: RecordCount says more than the file holds.
  const std::string record = Golden("three_steps_inch.rec");
  testing::WriteText(dir / "cut.rec", record.substr(0, record.size() - 1));
  r = Inspect(dir / "cut.rec");
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_THAT(r.err, HasSubstr("RecordCount (offset 59) is 4, so a record file "
                               "would have 705 bytes (or 700 in the compact "
                               "layout)"));
  // A record file of the compact layout is read as such.
  std::string compact = record.substr(0, 124);
  for (int k = 0; k < 4; ++k) compact += record.substr(125 + 145 * k, 144);
  testing::WriteText(dir / "compact.rec", compact);
  r = Inspect(dir / "compact.rec", true);
  EXPECT_EQ(r.code, kExitOk) << r.err;
  EXPECT_THAT(r.out, HasSubstr("\"layout\": \"compact\""));
}

// RecordCount counts the closing default record too: 0 or 1 means no step.
TEST(InspectTest, RecordFileWithoutAStepIsRefused) {
  const auto dir = testing::ScratchDir();
  const std::string record = Golden("one_step_mm.rec");
  for (int16_t count : {0, 1}) {
    std::string bytes = record.substr(0, 125 + 145 * count);
    PutI16(reinterpret_cast<uint8_t*>(bytes.data()) + record_file::kRecordCount,
           count);
    testing::WriteText(dir / "no_step.rec", bytes);
    const Ran r = Inspect(dir / "no_step.rec", true);
    EXPECT_EQ(r.code, kExitUsage) << count;
    EXPECT_THAT(r.err, HasSubstr("record file with RecordCount " +
                                 std::to_string(count) + ": it holds no step"));
    EXPECT_EQ(r.out, "");
  }
}

TEST(InspectTest, CorruptControlFileIsReportedWithItsProblems) {
  const auto dir = testing::ScratchDir();
  std::string bytes = Golden("three_steps_inch.nmb");
  bytes[control_file::SlotOffset(20) + 7] = 1;  // an unused slot not empty
  bytes[control_file::kProgramName + 6] = 'X';  // text without its 0 byte
  uint8_t* p = reinterpret_cast<uint8_t*>(bytes.data());
  PutI16(p + control_file::kStepCount, 30);  // StepCount beyond 25
  testing::WriteText(dir / "bad.nmb", bytes);
  const Ran r = Inspect(dir / "bad.nmb");
  EXPECT_EQ(r.code, kExitIncomplete);
  EXPECT_THAT(r.out, HasSubstr("Problems:"));
  EXPECT_THAT(r.out, HasSubstr("StepCount is 30, not between 1 and 25"));
  EXPECT_THAT(r.out, HasSubstr("has no terminating 0 byte"));
  EXPECT_THAT(r.err, HasSubstr("problems (see the report)"));
  const Ran j = Inspect(dir / "bad.nmb", true);
  EXPECT_EQ(j.code, kExitIncomplete);
  EXPECT_GE(ordered_json::parse(j.out)["problems"].size(), 2u);

  // Random damage never crashes: every byte flipped in turn, in a sample.
  const std::string good = Golden("three_steps_inch.nmb");
  for (size_t at = 0; at < good.size(); at += 97) {
    std::string damaged = good;
    damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
    const ordered_json d = InspectJson(damaged);
    EXPECT_EQ(d["kind"], "control");
  }
}

}  // namespace
}  // namespace bendpost::cli
