// Record file codec: byte offsets (written out literally here, not taken
// from the codec's constants), text padding, both layouts, the reader's
// refusals.
#include "formats/record_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/le_bytes.h"
#include "support/program_samples.h"
#include "testing/mem_file_system.h"

namespace bendpost {
namespace {

using test_support::OneStepMillimetre;
using test_support::SimpleProgram;
using test_support::ThreeStepsInch;

std::string Bytes(const uint8_t* p, size_t n) {
  return std::string(reinterpret_cast<const char*>(p), n);
}

// A header whose every field holds a value of its own.
RecordFileHeader DistinctHeader() {
  RecordFileHeader h;
  h.ProgramName = "PROG01";
  h.PartReference = "PART-REF-0013";
  h.HeaderThickness = 1.25f;
  h.MaterialName = "MAT123";
  h.Hardness = -350;
  h.Reserved31 = 0x31313131;
  h.PunchTargetName = "PUNCHA";
  h.DieTargetName = "DIEAAA";
  h.DieHolderTargetName = "HOLDER";
  h.SpacerTargetName = "SPACER";
  h.RecordCount = 0x0203;
  h.CreationYear = 26;
  h.CreationMonth = 12;
  h.CreationDay = 7;
  h.Reserved64 = 0x64;
  h.Reserved65 = 0x65656565;
  h.Reserved69 = 0x6969;
  h.Constant71 = 9999;
  h.MaterialNumber = 4;
  for (int i = 0; i < 10; ++i) h.Reserved75[i] = 7500 + i;
  h.NamePrefixDigit = 2;
  h.Reserved117 = 0x11711711;
  h.PunchRev = '1';
  h.DieHolderRev = '0';
  h.DieRev = ' ';
  return h;
}

RecordFileStep DistinctStep() {
  RecordFileStep s;
  s.SequenceOrder = 1;
  s.StepValue = 2.5f;
  s.FlagAutoCompen = 3;
  s.CoiningFlag = 4;
  s.BendLength = 500;
  s.FlangeLength = -12;
  s.BendAngle = 90.5f;
  s.Y1 = -7.25f;
  s.Y2 = -7.5f;
  s.Gauge1Y = 11.f;
  s.Gauge2Y = 12.f;
  s.Gauge1Z = 13.f;
  s.Gauge2Z = 14.f;
  s.Gauge1X = -15.f;
  s.Gauge2X = 16.f;
  s.AuxFunc = AuxFuncBytes("M12");
  s.FlagSheetMove = 17;
  s.TonnageValue = 87;
  s.Reserved62 = 62;
  s.Reserved64 = 64;
  s.ODC = 251;
  s.BendingSpeed = 8;
  s.ReturnSpeed = 20;
  s.BGRetractFlag = 21;
  s.CycleNo = 22;
  s.RetractStroke = 23.f;
  s.DwellBG = 24.f;
  s.Reserved84 = 84;
  s.DwellEndBend = 0.2f;
  s.Reserved90 = 90;
  s.Reserved92 = 92;
  s.BendNoBGPos = 25;
  s.Y1Compen = 26.f;
  s.Y2Compen = 27.f;
  s.X1Compen = 28.f;
  s.X2Compen = 29.f;
  s.R1Compen = 30.f;
  s.R2Compen = 31.f;
  s.Z1Compen = 32.f;
  s.Z2Compen = 33.f;
  s.AngleCompen = 34.f;
  s.Reserved132 = 132;
  s.PinchPointValue = 35.f;
  s.Offset = 36.f;
  return s;
}

TEST(RecordFileEncodeTest, HeaderFieldsStandAtTheirOffsets) {
  RecordHeaderBytes b = EncodeRecordFileHeader(DistinctHeader());
  const uint8_t* p = b.data();
  ASSERT_EQ(125u, b.size());
  EXPECT_EQ("PROG01", Bytes(p + 0, 6));
  EXPECT_EQ("PART-REF-0013", Bytes(p + 6, 13));
  EXPECT_EQ(1.25f, GetF32(p + 19));
  EXPECT_EQ("MAT123", Bytes(p + 23, 6));
  EXPECT_EQ(-350, GetI16(p + 29));
  EXPECT_EQ(0x31313131, GetI32(p + 31));
  EXPECT_EQ("PUNCHADIEAAAHOLDERSPACER", Bytes(p + 35, 24));
  EXPECT_EQ(0x0203, GetI16(p + 59));
  EXPECT_EQ(0x03, p[59]);  // little-endian
  EXPECT_EQ(26, p[61]);
  EXPECT_EQ(12, p[62]);
  EXPECT_EQ(7, p[63]);
  EXPECT_EQ(0x64, p[64]);
  EXPECT_EQ(0x65656565, GetI32(p + 65));
  EXPECT_EQ(0x6969, GetI16(p + 69));
  EXPECT_EQ(0x0F, p[71]);  // 9999 = 0x270F
  EXPECT_EQ(0x27, p[72]);
  EXPECT_EQ(4, GetI16(p + 73));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(7500 + i, GetI32(p + 75 + 4 * i));
  EXPECT_EQ(2, GetI16(p + 115));
  EXPECT_EQ(0x11711711, GetI32(p + 117));
  EXPECT_EQ('1', p[121]);  // punch, die holder, die
  EXPECT_EQ('0', p[122]);
  EXPECT_EQ(' ', p[123]);
  EXPECT_EQ(0, p[124]);  // filler
}

TEST(RecordFileEncodeTest, StepFieldsStandAtTheirOffsets) {
  RecordStepBytes b = EncodeRecordFileStep(DistinctStep());
  const uint8_t* p = b.data();
  ASSERT_EQ(145u, b.size());
  EXPECT_EQ(1, GetI16(p + 0));
  EXPECT_EQ(2.5f, GetF32(p + 2));
  EXPECT_EQ(3, GetI16(p + 6));
  EXPECT_EQ(4, GetI16(p + 8));
  EXPECT_EQ(500, GetI16(p + 10));
  EXPECT_EQ(std::string("\xF4\xFF\xFF\xFF", 4), Bytes(p + 12, 4));  // -12
  EXPECT_EQ(90.5f, GetF32(p + 16));
  EXPECT_EQ(-7.25f, GetF32(p + 20));
  EXPECT_EQ(-7.5f, GetF32(p + 24));
  const float gauges[] = {11, 12, 13, 14, -15, 16};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(gauges[i], GetF32(p + 28 + 4 * i));
  EXPECT_EQ(std::string("M12\0\0\0", 6), Bytes(p + 52, 6));
  EXPECT_EQ(17, GetI16(p + 58));
  EXPECT_EQ(87, GetI16(p + 60));
  EXPECT_EQ(62, GetI16(p + 62));
  EXPECT_EQ(64, GetI16(p + 64));
  EXPECT_EQ(251, GetI16(p + 66));
  EXPECT_EQ(8, GetI16(p + 68));
  EXPECT_EQ(20, GetI16(p + 70));
  EXPECT_EQ(21, GetI16(p + 72));
  EXPECT_EQ(22, GetI16(p + 74));
  EXPECT_EQ(23.f, GetF32(p + 76));
  EXPECT_EQ(24.f, GetF32(p + 80));
  EXPECT_EQ(84, GetI16(p + 84));
  EXPECT_EQ(0.2f, GetF32(p + 86));
  EXPECT_EQ(90, GetI16(p + 90));
  EXPECT_EQ(92, GetI16(p + 92));
  EXPECT_EQ(25, GetI16(p + 94));
  for (int i = 0; i < 9; ++i)  // Y1 Y2 X1 X2 R1 R2 Z1 Z2 Compen, AngleCompen
    EXPECT_EQ(26.f + static_cast<float>(i), GetF32(p + 96 + 4 * i));
  EXPECT_EQ(132, GetI32(p + 132));
  EXPECT_EQ(35.f, GetF32(p + 136));
  EXPECT_EQ(36.f, GetF32(p + 140));
  EXPECT_EQ(0, p[144]);  // filler
}

TEST(RecordFileEncodeTest, TextsArePaddedWithSpacesAndCutToTheirWidth) {
  RecordFileHeader h;
  h.ProgramName = "AB";
  h.PartReference = "ABCDEFGHIJKLMNOP";  // 16 characters: cut to 13
  h.MaterialName = "";
  h.PunchTargetName = std::string("P\0Q", 3);  // a 0 byte becomes a space
  RecordHeaderBytes b = EncodeRecordFileHeader(h);
  EXPECT_EQ("AB    ", Bytes(b.data() + 0, 6));
  EXPECT_EQ("ABCDEFGHIJKLM", Bytes(b.data() + 6, 13));
  EXPECT_EQ("      ", Bytes(b.data() + 23, 6));
  EXPECT_EQ("P Q   ", Bytes(b.data() + 35, 6));
  EXPECT_EQ("      ", Bytes(b.data() + 53, 6));  // empty spacer name
}

TEST(RecordFileEncodeTest, AuxFuncIsZeroPaddedNotSpacePadded) {
  EXPECT_EQ(std::string(6, '\0'), Bytes(AuxFuncBytes("").data(), 6));
  EXPECT_EQ(std::string("M12\0\0\0", 6), Bytes(AuxFuncBytes("M12").data(), 6));
  EXPECT_EQ("M12345", Bytes(AuxFuncBytes("M1234567").data(), 6));
  RecordFileStep s;
  s.AuxFunc = AuxFuncBytes("");
  EXPECT_EQ(std::string(6, '\0'),
            Bytes(EncodeRecordFileStep(s).data() + 52, 6));
}

TEST(RecordFileEncodeTest, WriterHelpersForDateAndRevBytes) {
  CreationDateBytes d = ParseCreationDate("12/07/26");
  EXPECT_EQ(26, d.year);
  EXPECT_EQ(12, d.month);
  EXPECT_EQ(7, d.day);
  d = ParseCreationDate("01/31/05");
  EXPECT_EQ(5, d.year);
  EXPECT_EQ(1, d.month);
  EXPECT_EQ(31, d.day);
  d = ParseCreationDate("1x/a7/2");  // leading digits only, none gives 0
  EXPECT_EQ(2, d.year);
  EXPECT_EQ(1, d.month);
  EXPECT_EQ(0, d.day);
  d = ParseCreationDate("");
  EXPECT_EQ(0, d.year + d.month + d.day);

  EXPECT_EQ(0, RevByte(""));
  EXPECT_EQ('1', RevByte("1"));
  EXPECT_EQ('0', RevByte("0"));
  EXPECT_EQ(' ', RevByte(" 1"));
}

TEST(RecordFileEncodeTest, AOneStepProgramIs415BytesWithTheDefaultRecordLast) {
  auto sample = OneStepMillimetre();
  std::string file = EncodeRecordFile(sample.header, sample.records);
  ASSERT_EQ(415u, file.size());
  const auto* p = reinterpret_cast<const uint8_t*>(file.data());
  EXPECT_EQ(2, GetI16(p + 59));
  EXPECT_EQ(251, GetI16(p + 270 + 66));  // the default record's ODC
  EXPECT_EQ(8, GetI16(p + 270 + 68));
  EXPECT_EQ("000000", file.substr(270 + 52, 6));
}

// --- Decoding ---

TEST(RecordFileDecodeTest, PaddedRoundTripKeepsEveryFieldInTheReadersForm) {
  RecordFileHeader h = DistinctHeader();
  h.ProgramName = "AB";
  h.PartReference = "BRACKET";
  RecordHeaderBytes hb = EncodeRecordFileHeader(h);
  RecordFileHeader back = DecodeRecordFileHeader(hb.data());
  // The reader keeps the 6-byte texts with their spaces, and PartReference
  // without its trailing blanks.
  EXPECT_EQ("AB    ", back.ProgramName);
  EXPECT_EQ("BRACKET", back.PartReference);
  RecordFileHeader expected = h;
  expected.ProgramName = "AB    ";
  EXPECT_EQ(expected, back);
  EXPECT_EQ(hb, EncodeRecordFileHeader(back));

  RecordFileStep s = DistinctStep();
  RecordStepBytes sb = EncodeRecordFileStep(s);
  RecordFileStep sback = DecodeRecordFileStep(sb.data(), 2);
  EXPECT_EQ(2, sback.LayoutSelector);
  sback.LayoutSelector = s.LayoutSelector;
  EXPECT_EQ(s, sback);
}

TEST(RecordFileDecodeTest, PartReferenceLosesOnlyTrailingWhiteSpace) {
  RecordFileHeader h;
  h.PartReference = "  A B\t";
  RecordHeaderBytes b = EncodeRecordFileHeader(h);
  EXPECT_EQ("  A B", DecodeRecordFileHeader(b.data()).PartReference);
}

TEST(RecordFileDecodeTest, LayoutSelectorOneIsCompactEveryOtherPadded) {
  EXPECT_EQ(RecordLayout::kCompact, RecordLayoutForSelector(1));
  for (int sel : {0, 2, 3, -1, 99})
    EXPECT_EQ(RecordLayout::kPadded, RecordLayoutForSelector(sel)) << sel;
}

// The padded file with the fillers taken out.
std::string Compact(const std::string& padded, int records) {
  std::string out = padded.substr(0, 124);
  for (int k = 0; k < records; ++k) out += padded.substr(125 + 145 * k, 144);
  return out;
}

class RecordReaderTest : public ::testing::Test {
 protected:
  Status Open(const std::string& bytes, int selector) {
    mem_.SetFile("f", bytes);
    Status s = mem_.OpenForRead("f", &file_);
    reader_ = std::make_unique<RecordFileReader>(file_.get(), selector);
    return s;
  }
  MemFileSystem mem_;
  std::unique_ptr<File> file_;
  std::unique_ptr<RecordFileReader> reader_;
};

TEST_F(RecordReaderTest, ReadsBothLayoutsAlike) {
  auto sample = ThreeStepsInch();
  std::string padded = EncodeRecordFile(sample.header, sample.records);
  std::string compact = Compact(padded, 4);
  ASSERT_EQ(124u + 144u * 4, compact.size());

  RecordFileHeader hp, hc;
  RecordFileStep sp, sc;
  for (int k = 0; k < 3; ++k) {
    ASSERT_TRUE(Open(padded, 0).ok());
    ASSERT_TRUE(reader_->ReadHeader(&hp).ok());
    ASSERT_TRUE(reader_->ReadStep(k, &sp).ok());
    ASSERT_TRUE(Open(compact, 1).ok());
    ASSERT_TRUE(reader_->ReadHeader(&hc).ok());
    ASSERT_TRUE(reader_->ReadStep(k, &sc).ok());
    EXPECT_EQ(hp, hc);
    EXPECT_EQ(0, sp.LayoutSelector);
    EXPECT_EQ(1, sc.LayoutSelector);
    sc.LayoutSelector = 0;
    EXPECT_EQ(sp, sc) << "record " << k;
    RecordFileStep expected = sample.records[static_cast<size_t>(k)];
    EXPECT_EQ(expected, sp) << "record " << k;
  }
}

TEST_F(RecordReaderTest, APaddedFileReadInTheCompactLayoutIsMisread) {
  auto sample = ThreeStepsInch();
  std::string padded = EncodeRecordFile(sample.header, sample.records);
  ASSERT_TRUE(Open(padded, 1).ok());
  RecordFileHeader h;
  ASSERT_TRUE(reader_->ReadHeader(&h).ok());
  EXPECT_EQ("XY1234", h.ProgramName);  // the header offsets are shared
  for (int k = 0; k < 3; ++k) {
    RecordFileStep s;
    ASSERT_TRUE(reader_->ReadStep(k, &s).ok());
    s.LayoutSelector = 0;
    EXPECT_NE(sample.records[static_cast<size_t>(k)], s) << "record " << k;
  }
  // Record 1 is read at 124 + 144 = 268, two bytes before it starts (270):
  // its SequenceOrder comes from the last two bytes of record 0 (the high byte
  // of Offset, then the filler).
  RecordFileStep s;
  ASSERT_TRUE(reader_->ReadStep(1, &s).ok());
  const auto* p = reinterpret_cast<const uint8_t*>(padded.data());
  EXPECT_EQ(GetI16(p + 268), s.SequenceOrder);
  EXPECT_NE(2, s.SequenceOrder);
}

TEST_F(RecordReaderTest, RecordCountIsReadAloneAtOffset59) {
  std::string bytes(61, '\0');
  bytes[59] = 0x05;
  ASSERT_TRUE(Open(bytes, 0).ok());
  int16_t count = 0;
  ASSERT_TRUE(reader_->ReadRecordCount(&count).ok());
  EXPECT_EQ(5, count);
  ASSERT_TRUE(Open(bytes.substr(0, 60), 0).ok());
  EXPECT_FALSE(reader_->ReadRecordCount(&count).ok());
}

TEST_F(RecordReaderTest, StepIndexMustBeBelowRecordCountMinusOne) {
  auto sample = SimpleProgram(2);  // RecordCount 3: records 0 and 1 readable
  ASSERT_TRUE(Open(EncodeRecordFile(sample.header, sample.records), 0).ok());
  RecordFileStep s;
  EXPECT_FALSE(reader_->ReadStep(-1, &s).ok());
  EXPECT_TRUE(reader_->ReadStep(0, &s).ok());
  EXPECT_TRUE(reader_->ReadStep(1, &s).ok());
  EXPECT_EQ(2, s.SequenceOrder);
  Status refused = reader_->ReadStep(2, &s);  // the default record
  EXPECT_FALSE(refused.ok());
  EXPECT_NE(std::string::npos, refused.message().find("RecordCount 3"));
  EXPECT_FALSE(reader_->ReadStep(1000, &s).ok());
}

TEST_F(RecordReaderTest, ARecordCutShortIsAnErrorNotAShorterRecord) {
  auto sample = SimpleProgram(2);
  std::string bytes = EncodeRecordFile(sample.header, sample.records);
  ASSERT_TRUE(Open(bytes.substr(0, 125 + 145 + 100), 0).ok());
  RecordFileStep s;
  EXPECT_TRUE(reader_->ReadStep(0, &s).ok());
  Status cut = reader_->ReadStep(1, &s);
  EXPECT_FALSE(cut.ok());
  EXPECT_NE(std::string::npos, cut.message().find("cut short"));
  ASSERT_TRUE(Open(bytes.substr(0, 100), 0).ok());
  RecordFileHeader h;
  EXPECT_FALSE(reader_->ReadHeader(&h).ok());
}

TEST_F(RecordReaderTest, NoFileIsRefused) {
  RecordFileReader reader(nullptr, 0);
  RecordFileStep s;
  RecordFileHeader h;
  int16_t n;
  EXPECT_FALSE(reader.ReadRecordCount(&n).ok());
  EXPECT_FALSE(reader.ReadHeader(&h).ok());
  EXPECT_FALSE(reader.ReadStep(0, &s).ok());
}

TEST(RecordFileDumpTest, ReportsMissingBytesWithoutReadingPastThem) {
  auto sample = OneStepMillimetre();
  std::string bytes = EncodeRecordFile(sample.header, sample.records);
  for (size_t n = 0; n <= bytes.size(); ++n) {
    std::string dump =
        DumpRecordFile(bytes.substr(0, n), RecordLayout::kPadded);
    if (n < 125) {
      EXPECT_NE(std::string::npos, dump.find("cut short")) << n;
    } else if (n < bytes.size()) {
      EXPECT_NE(std::string::npos, dump.find("cut short")) << n;
      EXPECT_NE(std::string::npos, dump.find("RecordCount")) << n;
    } else {
      EXPECT_EQ(std::string::npos, dump.find("cut short"));
      EXPECT_NE(std::string::npos,
                dump.find("record 1 at 270 (final default record"));
    }
  }
  bytes[59] = '\xFF';
  bytes[60] = '\xFF';
  EXPECT_NE(std::string::npos, DumpRecordFile(bytes, RecordLayout::kPadded)
                                   .find("RecordCount is negative"));
}

}  // namespace
}  // namespace bendpost
