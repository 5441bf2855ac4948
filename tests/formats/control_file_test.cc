// Control file codec: every field at its offset (literal offsets, not the
// codec's constants), the gaps, the value rules taken over from the record
// file, and the decoder's checks.
#include "formats/control_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/le_bytes.h"
#include "support/program_samples.h"

namespace bendpost {
namespace {

std::string Bytes(const uint8_t* p, size_t n) {
  return std::string(reinterpret_cast<const char*>(p), n);
}

// Record values that are all non-zero, reserved fields included, so that a
// field written to the wrong place or a reserved field carried over shows.
RecordFileHeader FullRecordHeader(int steps) {
  RecordFileHeader h;
  h.ProgramName = "AB    ";
  h.PartReference = "SEVENAB";  // the reader removed six trailing spaces
  h.HeaderThickness = 1.5748f;
  h.MaterialName = "AL5754";
  h.Hardness = 350;
  h.Reserved31 = -1;  // not carried over
  h.PunchTargetName = "PUNCH1";
  h.DieTargetName = "DIE016";
  h.DieHolderTargetName = "HOLDR1";
  h.SpacerTargetName = "SPACE1";
  h.RecordCount = static_cast<int16_t>(steps + 1);
  h.CreationYear = 26;
  h.CreationMonth = 12;
  h.CreationDay = 7;
  h.Reserved64 = 0xFF;  // not carried over
  h.Reserved65 = 0x01020304;
  h.Reserved69 = 0x0506;
  h.Constant71 = 9999;
  h.MaterialNumber = 3;
  for (int i = 0; i < 10; ++i) h.Reserved75[i] = 100 + i;
  h.NamePrefixDigit = 0x0102;  // low byte 2
  h.Reserved117 = -1;          // not carried over
  h.PunchRev = '1';
  h.DieHolderRev = '1';
  h.DieRev = '1';
  return h;
}

RecordFileStep FullRecordStep() {
  RecordFileStep s;
  s.SequenceOrder = 7;
  s.StepValue = -2.54f;
  s.FlagAutoCompen = 1;
  s.CoiningFlag = 2;
  s.BendLength = 305;
  s.FlangeLength = -12;
  s.BendAngle = 150;
  s.Y1 = -7.4055f;
  s.Y2 = -7.5f;
  s.Gauge1Y = 1;
  s.Gauge2Y = 2;
  s.Gauge1Z = 3;
  s.Gauge2Z = 4;
  s.Gauge1X = -5;
  s.Gauge2X = 6;
  s.AuxFunc = AuxFuncBytes("M12");
  s.FlagSheetMove = 0x0103;  // low byte 3
  s.TonnageValue = 87;
  s.Reserved62 = -1;  // reserved record fields are not carried over
  s.Reserved64 = -1;
  s.ODC = 251;
  s.BendingSpeed = 8;
  s.ReturnSpeed = 80;
  s.BGRetractFlag = -1;  // low byte 255
  s.CycleNo = 3;
  s.RetractStroke = 25.4f;
  s.DwellBG = 0.5f;
  s.Reserved84 = -1;
  s.DwellEndBend = 0.2f;
  s.Reserved90 = -1;
  s.Reserved92 = -1;
  s.BendNoBGPos = 9;
  s.Y1Compen = 10;
  s.Y2Compen = 11;
  s.X1Compen = 12;
  s.X2Compen = 13;
  s.R1Compen = 14;
  s.R2Compen = 15;
  s.Z1Compen = 16;
  s.Z2Compen = 17;
  s.AngleCompen = 18;
  s.Reserved132 = -1;
  s.PinchPointValue = 19;
  s.Offset = 20;
  return s;
}

ControlFileImage Build(const RecordFileHeader& h,
                       const std::vector<RecordFileStep>& steps) {
  ControlFileImage image;
  Status s = BuildControlFileImage(h, steps, &image);
  EXPECT_TRUE(s.ok()) << s.message();
  return image;
}

std::string AsString(const ControlFileImage& image) {
  return Bytes(image.bytes.data(), image.bytes.size());
}

bool Zero(const uint8_t* p, size_t from, size_t to_inclusive) {
  for (size_t i = from; i <= to_inclusive; ++i)
    if (p[i] != 0) return false;
  return true;
}

TEST(ControlFileTest, HeaderFieldsStandAtTheirOffsets) {
  ControlFileImage image = Build(FullRecordHeader(1), {FullRecordStep()});
  const uint8_t* p = image.bytes.data();
  EXPECT_EQ(12664u, image.bytes.size());
  EXPECT_EQ(1, GetI16(p + 0));
  EXPECT_EQ(364, GetI16(p + 2));
  EXPECT_EQ(std::string("AB    \0", 7), Bytes(p + 4, 7));  // spaces kept
  EXPECT_EQ(std::string("SEVENAB\0\0\0\0\0\0\0", 14), Bytes(p + 11, 14));
  EXPECT_EQ(1.5748f, GetF32(p + 28));
  EXPECT_EQ(std::string("AL5754\0", 7), Bytes(p + 32, 7));
  EXPECT_EQ(350, GetI16(p + 40));
  EXPECT_EQ(std::string("PUNCH1\0DIE016\0HOLDR1\0SPACE1\0", 28),
            Bytes(p + 48, 28));
  EXPECT_EQ(1, GetI16(p + 76));
  EXPECT_EQ(2612071122u, GetU32(p + 80));  // digits 26 12 07 1122
  EXPECT_EQ(0x01020304, GetI32(p + 84));
  EXPECT_EQ(0x0506, GetI16(p + 88));
  EXPECT_EQ(9999, GetI16(p + 90));
  EXPECT_EQ(3, GetI16(p + 92));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(100 + i, GetI32(p + 96 + 4 * i));
  EXPECT_EQ(2, p[136]);
  EXPECT_EQ(1, p[144]);
  EXPECT_EQ(1, p[145]);
  EXPECT_EQ(1, p[146]);
  // The gaps: nothing of the record's offset 31, 64 or 117 fields shows.
  EXPECT_TRUE(Zero(p, 25, 27));
  EXPECT_TRUE(Zero(p, 39, 39));
  EXPECT_TRUE(Zero(p, 42, 47));
  EXPECT_TRUE(Zero(p, 78, 79));
  EXPECT_TRUE(Zero(p, 94, 95));
  EXPECT_TRUE(Zero(p, 137, 143));
  EXPECT_TRUE(Zero(p, 147, 363));
}

TEST(ControlFileTest, StepFieldsStandAtTheirOffsetsWithTheGaps) {
  ControlFileImage image = Build(FullRecordHeader(1), {FullRecordStep()});
  const uint8_t* p = image.bytes.data() + 364;
  EXPECT_EQ(1, GetI16(p + 0));
  EXPECT_EQ(492, GetI16(p + 2));
  EXPECT_EQ(7, GetI16(p + 4));
  EXPECT_EQ(-2.54f, GetF32(p + 8));
  EXPECT_EQ(1, GetI16(p + 12));
  EXPECT_EQ(1, p[14]);  // CoiningFlag 2
  EXPECT_EQ(305, GetI16(p + 16));
  EXPECT_EQ(-12, GetI32(p + 20));
  EXPECT_EQ(150.f, GetF32(p + 24));
  EXPECT_EQ(-7.4055f, GetF32(p + 28));
  EXPECT_EQ(-7.5f, GetF32(p + 32));
  const float gauges[] = {1, 2, 3, 4, -5, 6};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(gauges[i], GetF32(p + 36 + 4 * i));
  EXPECT_EQ(0.f, GetF32(p + 60));
  EXPECT_EQ(0.f, GetF32(p + 64));
  EXPECT_EQ(std::string("M12\0\0\0\0", 7), Bytes(p + 76, 7));
  EXPECT_EQ(3, p[83]);
  EXPECT_EQ(87.0f, GetF32(p + 84));
  EXPECT_EQ(251, GetI16(p + 92));
  EXPECT_EQ(8, GetI16(p + 94));
  EXPECT_EQ(80, GetI16(p + 96));
  EXPECT_EQ(255, p[98]);
  EXPECT_EQ(3, GetI16(p + 100));
  EXPECT_EQ(25.4f, GetF32(p + 104));
  EXPECT_EQ(0.5f, GetF32(p + 108));
  EXPECT_EQ(0.2f, GetF32(p + 116));
  EXPECT_EQ(9, GetI16(p + 124));
  for (int i = 0; i < 8; ++i)  // Y1 Y2 X1 X2 R1 R2 Z1 Z2 Compen
    EXPECT_EQ(10.f + static_cast<float>(i), GetF32(p + 128 + 4 * i));
  EXPECT_EQ(18.f, GetF32(p + 176));  // AngleCompen, 16 bytes after Z2Compen
  EXPECT_EQ(19.f, GetF32(p + 184));
  EXPECT_EQ(20.f, GetF32(p + 188));
  for (auto [from, to] : std::vector<std::pair<size_t, size_t>>{{6, 7},
                                                                {15, 15},
                                                                {18, 19},
                                                                {68, 75},
                                                                {88, 91},
                                                                {99, 99},
                                                                {102, 103},
                                                                {112, 115},
                                                                {120, 123},
                                                                {126, 127},
                                                                {160, 175},
                                                                {180, 183},
                                                                {192, 491}})
    EXPECT_TRUE(Zero(p, from, to)) << from << ".." << to;
}

TEST(ControlFileTest, ThreeStepsFillSlotsZeroToTwoAndLeaveTheRestZero) {
  auto sample = test_support::ThreeStepsInch();
  std::vector<RecordFileStep> steps(sample.records.begin(),
                                    sample.records.end() - 1);
  ControlFileImage image = Build(sample.header, steps);
  const uint8_t* p = image.bytes.data();
  EXPECT_EQ(3, GetI16(p + 76));
  for (size_t k = 0; k < 25; ++k) {
    const uint8_t* slot = p + 364 + 492 * k;
    if (k < 3) {
      EXPECT_EQ(1, GetI16(slot));
      EXPECT_EQ(492, GetI16(slot + 2));
      EXPECT_EQ(static_cast<int>(k + 1), GetI16(slot + 4));
    } else {
      EXPECT_TRUE(Zero(slot, 0, 491)) << "slot " << k;
    }
  }
}

TEST(ControlFileTest, CoiningIsOneForAnyNonZeroFlag) {
  for (auto [flag, expected] : std::vector<std::pair<int16_t, uint8_t>>{
           {0, 0}, {1, 1}, {2, 1}, {-1, 1}, {256, 1}}) {
    RecordFileStep s;
    s.CoiningFlag = flag;
    EXPECT_EQ(expected, ControlStepFromRecord(s).Coining) << flag;
  }
}

TEST(ControlFileTest, OnlyTheCharacterOneMarksAReversedTool) {
  for (auto [rev, expected] : std::vector<std::pair<char, uint8_t>>{
           {'1', 1}, {'0', 0}, {' ', 0}, {'\0', 0}, {'Y', 0}}) {
    RecordFileHeader h;
    h.PunchRev = rev;
    h.DieHolderRev = rev;
    h.DieRev = rev;
    ControlFileHeader c = ControlHeaderFromRecord(h);
    EXPECT_EQ(expected, c.PunchReversed) << int{rev};
    EXPECT_EQ(expected, c.DieHolderReversed) << int{rev};
    EXPECT_EQ(expected, c.DieReversed) << int{rev};
  }
  RecordFileHeader h;
  h.PunchRev = '1';  // each byte goes to its own place
  ControlFileImage image;
  ASSERT_TRUE(BuildControlFileImage(h, {RecordFileStep()}, &image).ok());
  EXPECT_EQ(1, image.bytes[144]);
  EXPECT_EQ(0, image.bytes[145]);
  EXPECT_EQ(0, image.bytes[146]);
}

TEST(ControlFileTest, TextsAreBoundedCopiesStoppingAtTheFirstZeroByte) {
  EXPECT_EQ("M12", BoundedText(std::string("M12\0\0\0", 6), 6));
  EXPECT_EQ("A", BoundedText(std::string("A\0BCDE", 6), 6));
  EXPECT_EQ("ABCDEF", BoundedText("ABCDEFGH", 6));
  EXPECT_EQ("", BoundedText("", 6));

  RecordFileStep s;
  s.AuxFunc = AuxFuncBytes("ABCDEF");
  ControlFileImage image;
  ASSERT_TRUE(BuildControlFileImage(RecordFileHeader(), {s}, &image).ok());
  EXPECT_EQ(std::string("ABCDEF\0", 7),
            Bytes(image.bytes.data() + 364 + 76, 7));

  RecordFileHeader h;
  h.PartReference = "ABCDEFGHIJKLMNOP";  // longer than 13: cut
  h.ProgramName = "LONGNAME";            // longer than 6: cut
  ASSERT_TRUE(BuildControlFileImage(h, {s}, &image).ok());
  EXPECT_EQ(std::string("ABCDEFGHIJKLM\0", 14),
            Bytes(image.bytes.data() + 11, 14));
  EXPECT_EQ(std::string("LONGNA\0", 7), Bytes(image.bytes.data() + 4, 7));
}

TEST(ControlFileTest, CreationStampIsComputedModulo2To32) {
  EXPECT_EQ(2612071122u, CreationStamp(26, 12, 7));
  EXPECT_EQ(1122u, CreationStamp(0, 0, 0));
  EXPECT_EQ(1322376530u, CreationStamp(99, 12, 31));     // 9912311122 mod 2^32
  EXPECT_EQ(4282714642u, CreationStamp(255, 255, 255));  // no overflow trap
}

TEST(ControlFileTest, TonnageValueBecomesAFloatOfTheSameInteger) {
  for (int16_t t : {0, 87, -1, 32767, -32768}) {
    RecordFileStep s;
    s.TonnageValue = t;
    EXPECT_EQ(static_cast<float>(t), ControlStepFromRecord(s).TonnageValue);
  }
}

TEST(ControlFileTest, MoreStepsThanSlotsAreRefusedAndNothingIsWritten) {
  std::vector<RecordFileStep> steps(26, FullRecordStep());
  ControlFileImage image;
  image.bytes.fill(0xAA);
  Status s = BuildControlFileImage(FullRecordHeader(26), steps, &image);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(std::string::npos, s.message().find("26 steps"));
  EXPECT_TRUE(Zero(image.bytes.data(), 0, 12663));

  steps.resize(25);
  ASSERT_TRUE(BuildControlFileImage(FullRecordHeader(25), steps, &image).ok());
  EXPECT_EQ(1, GetI16(image.bytes.data() + 364 + 492 * 24));
}

// --- Decoding ---

TEST(ControlFileDecodeTest, RoundTripGivesTheFieldsThatWereWritten) {
  RecordFileHeader h = FullRecordHeader(2);
  std::vector<RecordFileStep> steps = {FullRecordStep(), FullRecordStep()};
  steps[1].SequenceOrder = 8;
  steps[1].AuxFunc = AuxFuncBytes("");
  ControlFileImage image = Build(h, steps);
  DecodedControlFile decoded;
  Status s = DecodeControlFile(AsString(image), &decoded);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(ControlHeaderFromRecord(h), decoded.header);
  ASSERT_EQ(2u, decoded.steps.size());
  EXPECT_EQ(ControlStepFromRecord(steps[0]), decoded.steps[0]);
  EXPECT_EQ(ControlStepFromRecord(steps[1]), decoded.steps[1]);
  EXPECT_EQ("AB    ", decoded.header.ProgramName);
  EXPECT_EQ("", decoded.steps[1].AuxFunc);
}

TEST(ControlFileDecodeTest, AFileOfTheWrongSizeIsRefusedClearly) {
  for (size_t n : {0u, 1u, 364u, 12663u, 12665u, 30000u}) {
    DecodedControlFile decoded;
    decoded.steps.resize(3);
    Status s = DecodeControlFile(std::string(n, '\x01'), &decoded);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(std::string::npos, s.message().find("12664")) << s.message();
    EXPECT_NE(std::string::npos, s.message().find(std::to_string(n)));
    EXPECT_TRUE(decoded.steps.empty());
  }
}

class ControlFileCorruptionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = AsString(
        Build(FullRecordHeader(2), {FullRecordStep(), FullRecordStep()}));
  }
  std::string Problems() {
    DecodedControlFile decoded;
    Status s = DecodeControlFile(bytes_, &decoded);
    EXPECT_FALSE(s.ok());
    return s.message();
  }
  void PutI16At(size_t offset, int16_t v) {
    PutI16(reinterpret_cast<uint8_t*>(bytes_.data()) + offset, v);
  }
  std::string bytes_;
};

TEST_F(ControlFileCorruptionTest, WrongHeaderBlock) {
  PutI16At(0, 2);
  PutI16At(2, 365);
  std::string p = Problems();
  EXPECT_NE(std::string::npos, p.find("header block kind is 2")) << p;
  EXPECT_NE(std::string::npos, p.find("header block size is 365")) << p;
}

TEST_F(ControlFileCorruptionTest, ListsEachProblemOnItsOwn) {
  PutI16At(0, 2);
  PutI16At(2, 365);
  DecodedControlFile decoded;
  const Status s = DecodeControlFile(bytes_, &decoded);
  EXPECT_EQ(decoded.problems,
            (std::vector<std::string>{"header block kind is 2, not 1",
                                      "header block size is 365, not 364"}));
  EXPECT_EQ(s.message(),
            "corrupt control file: header block kind is 2, not 1; header "
            "block size is 365, not 364");
}

TEST_F(ControlFileCorruptionTest, WrongStepBlockInAUsedSlot) {
  PutI16At(364 + 492 + 0, 0);
  PutI16At(364 + 492 + 2, 364);
  std::string p = Problems();
  EXPECT_NE(std::string::npos, p.find("slot 1 block kind is 0")) << p;
  EXPECT_NE(std::string::npos, p.find("slot 1 block size is 364")) << p;
}

TEST_F(ControlFileCorruptionTest, StepCountOutOfRange) {
  for (int16_t n : {26, 0, -1, 32767}) {
    PutI16At(76, n);
    std::string p = Problems();
    EXPECT_NE(std::string::npos, p.find("StepCount is " + std::to_string(n)))
        << p;
  }
}

TEST_F(ControlFileCorruptionTest, StepCountZeroOrNegativeDecodesNoStep) {
  for (int16_t n : {0, -1}) {
    PutI16At(76, n);
    DecodedControlFile decoded;
    EXPECT_FALSE(DecodeControlFile(bytes_, &decoded).ok());
    EXPECT_TRUE(decoded.steps.empty()) << "StepCount " << n;
  }
}

TEST_F(ControlFileCorruptionTest, StepCountShorterThanTheSlotsInUse) {
  PutI16At(76, 1);
  EXPECT_NE(std::string::npos, Problems().find("slot 1 is beyond StepCount"));
}

TEST_F(ControlFileCorruptionTest, ByteInAGap) {
  bytes_[364 + 170] = 5;
  std::string p = Problems();
  EXPECT_NE(std::string::npos, p.find("at offset 534 (outside every field)"))
      << p;
}

TEST_F(ControlFileCorruptionTest, TextWithoutItsTerminator) {
  bytes_[4 + 6] = 'X';
  std::string p = Problems();
  EXPECT_NE(std::string::npos, p.find("ProgramName at offset 4")) << p;
  // Re-encoded, the name keeps its terminator, so its last byte differs too,
  // and that byte is the name's, not a gap's.
  EXPECT_NE(std::string::npos,
            p.find("unexpected byte 88 at offset 10 (in ProgramName)"))
      << p;
}

TEST(ControlFileDecodeTest, ArbitraryBytesNeverCrashTheDecoderOrTheDump) {
  uint32_t x = 12345;
  std::string bytes(12664, '\0');
  for (int round = 0; round < 50; ++round) {
    for (char& c : bytes) {
      x = x * 1664525u + 1013904223u;
      c = static_cast<char>(x >> 24);
    }
    if (round % 2 == 0) {  // a plausible header over noise
      PutI16(reinterpret_cast<uint8_t*>(bytes.data()), 1);
      PutI16(reinterpret_cast<uint8_t*>(bytes.data()) + 76,
             static_cast<int16_t>(round % 30 - 2));
    }
    DecodedControlFile decoded;
    Status s = DecodeControlFile(bytes, &decoded);
    EXPECT_FALSE(s.ok());
    EXPECT_LE(decoded.steps.size(), 25u);
    EXPECT_FALSE(DumpControlFile(bytes).empty());
  }
}

}  // namespace
}  // namespace bendpost
