// The program record file: the intermediate form of a program, written by
// the record file writer and read back by the converter, which turns it into
// the control file (formats/control_file.h).
//
// File layout. All numbers little-endian: i16/i32 signed integers, f32
// IEEE-754 binary32, u8 one byte. Texts are fixed-width byte fields without
// a terminator; a shorter text is followed by spaces. Reserved fields and
// filler bytes are written as 0 and ignored by readers.
//
//   header (offsets the same in both layouts)
//     0  text[6]  ProgramName           61  u8   CreationDate year (0..99)
//     6  text[13] PartReference         62  u8   CreationDate month
//    19  f32      HeaderThickness (mm)  63  u8   CreationDate day
//    23  text[6]  MaterialName          64  u8   reserved
//    29  i16      Hardness              65  i32  reserved (fixed header value)
//    31  i32      reserved              69  i16  reserved (fixed header value)
//    35  text[6]  PunchTargetName       71  i16  constant 9999
//    41  text[6]  DieTargetName         73  i16  MaterialNumber
//    47  text[6]  DieHolderTargetName   75  i32 x 10 reserved
//    53  text[6]  SpacerTargetName     115  i16  NamePrefixDigit
//    59  i16      RecordCount          117  i32  reserved
//                                      121  u8   PunchRev (a character or 0)
//                                      122  u8   DieHolderRev
//                                      123  u8   DieRev
//                                      124  u8   filler (padded layout only)
//
//   step record (offsets relative to the record)
//     0 i16 SequenceOrder    44 f32 Gauge1X        86 f32 DwellEndBend
//     2 f32 StepValue        48 f32 Gauge2X        90 i16 reserved
//     6 i16 FlagAutoCompen   52 u8[6] AuxFunc      92 i16 reserved
//     8 i16 CoiningFlag         (0-padded)         94 i16 BendNoBGPos
//    10 i16 BendLength       58 i16 FlagSheetMove  96 f32 Y1Compen
//    12 i32 FlangeLength     60 i16 TonnageValue  100 f32 Y2Compen
//    16 f32 BendAngle        62 i16 reserved      104 f32 X1Compen
//    20 f32 Y1               64 i16 reserved      108 f32 X2Compen
//    24 f32 Y2               66 i16 ODC           112 f32 R1Compen
//    28 f32 Gauge1Y          68 i16 BendingSpeed  116 f32 R2Compen
//    32 f32 Gauge2Y          70 i16 ReturnSpeed   120 f32 Z1Compen
//    36 f32 Gauge1Z          72 i16 BGRetractFlag 124 f32 Z2Compen
//    40 f32 Gauge2Z          74 i16 CycleNo       128 f32 AngleCompen
//                            76 f32 RetractStroke 132 i32 reserved
//                            80 f32 DwellBG       136 f32 PinchPointValue
//                            84 i16 reserved      140 f32 Offset
//                                                 144 u8  filler (padded only)
//
// Two layouts differ only in the filler bytes: the padded layout (header 125
// bytes, records 145 bytes) is the one the writer always produces; the
// compact layout (124 / 144) is read when asked for with layout selector 1.
// Record k starts at header size + k x record size. RecordCount counts every
// record in the file; the writer adds one default step after the program's
// steps, which readers never read, so a program of n steps has
// RecordCount n + 1.
#ifndef BENDPOST_FORMATS_RECORD_FILE_H_
#define BENDPOST_FORMATS_RECORD_FILE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file.h"
#include "base/status.h"

namespace bendpost {

enum class RecordLayout { kPadded, kCompact };

// Layout selector 1 reads the compact layout; every other value the padded.
RecordLayout RecordLayoutForSelector(int selector);

namespace record_file {

// Header field offsets and widths.
inline constexpr size_t kProgramName = 0, kProgramNameWidth = 6;
inline constexpr size_t kPartReference = 6, kPartReferenceWidth = 13;
inline constexpr size_t kHeaderThickness = 19;
inline constexpr size_t kMaterialName = 23, kMaterialNameWidth = 6;
inline constexpr size_t kHardness = 29;
inline constexpr size_t kReserved31 = 31;
inline constexpr size_t kPunchTargetName = 35;
inline constexpr size_t kDieTargetName = 41;
inline constexpr size_t kDieHolderTargetName = 47;
inline constexpr size_t kSpacerTargetName = 53;
inline constexpr size_t kTargetNameWidth = 6;
inline constexpr size_t kRecordCount = 59;
inline constexpr size_t kCreationYear = 61;
inline constexpr size_t kCreationMonth = 62;
inline constexpr size_t kCreationDay = 63;
inline constexpr size_t kReserved64 = 64;
inline constexpr size_t kReserved65 = 65;
inline constexpr size_t kReserved69 = 69;
inline constexpr size_t kConstant71 = 71;
inline constexpr size_t kMaterialNumber = 73;
inline constexpr size_t kReserved75 = 75, kReserved75Count = 10;
inline constexpr size_t kNamePrefixDigit = 115;
inline constexpr size_t kReserved117 = 117;
inline constexpr size_t kPunchRev = 121;
inline constexpr size_t kDieHolderRev = 122;
inline constexpr size_t kDieRev = 123;
inline constexpr size_t kCompactHeaderSize = 124;
inline constexpr size_t kPaddedHeaderSize = 125;

// Step field offsets.
inline constexpr size_t kSequenceOrder = 0;
inline constexpr size_t kStepValue = 2;
inline constexpr size_t kFlagAutoCompen = 6;
inline constexpr size_t kCoiningFlag = 8;
inline constexpr size_t kBendLength = 10;
inline constexpr size_t kFlangeLength = 12;
inline constexpr size_t kBendAngle = 16;
inline constexpr size_t kY1 = 20;
inline constexpr size_t kY2 = 24;
inline constexpr size_t kGauge1Y = 28;
inline constexpr size_t kGauge2Y = 32;
inline constexpr size_t kGauge1Z = 36;
inline constexpr size_t kGauge2Z = 40;
inline constexpr size_t kGauge1X = 44;
inline constexpr size_t kGauge2X = 48;
inline constexpr size_t kAuxFunc = 52, kAuxFuncWidth = 6;
inline constexpr size_t kFlagSheetMove = 58;
inline constexpr size_t kTonnageValue = 60;
inline constexpr size_t kReserved62 = 62;
inline constexpr size_t kStepReserved64 = 64;
inline constexpr size_t kODC = 66;
inline constexpr size_t kBendingSpeed = 68;
inline constexpr size_t kReturnSpeed = 70;
inline constexpr size_t kBGRetractFlag = 72;
inline constexpr size_t kCycleNo = 74;
inline constexpr size_t kRetractStroke = 76;
inline constexpr size_t kDwellBG = 80;
inline constexpr size_t kReserved84 = 84;
inline constexpr size_t kDwellEndBend = 86;
inline constexpr size_t kReserved90 = 90;
inline constexpr size_t kReserved92 = 92;
inline constexpr size_t kBendNoBGPos = 94;
inline constexpr size_t kY1Compen = 96;
inline constexpr size_t kY2Compen = 100;
inline constexpr size_t kX1Compen = 104;
inline constexpr size_t kX2Compen = 108;
inline constexpr size_t kR1Compen = 112;
inline constexpr size_t kR2Compen = 116;
inline constexpr size_t kZ1Compen = 120;
inline constexpr size_t kZ2Compen = 124;
inline constexpr size_t kAngleCompen = 128;
inline constexpr size_t kReserved132 = 132;
inline constexpr size_t kPinchPointValue = 136;
inline constexpr size_t kOffset = 140;
inline constexpr size_t kCompactStepSize = 144;
inline constexpr size_t kPaddedStepSize = 145;

// Header and record sizes of a layout.
constexpr size_t HeaderSize(RecordLayout layout) {
  return layout == RecordLayout::kCompact ? kCompactHeaderSize
                                          : kPaddedHeaderSize;
}
constexpr size_t StepSize(RecordLayout layout) {
  return layout == RecordLayout::kCompact ? kCompactStepSize : kPaddedStepSize;
}
// Offset of record k.
constexpr uint64_t StepOffset(RecordLayout layout, int k) {
  return HeaderSize(layout) + static_cast<uint64_t>(k) * StepSize(layout);
}

}  // namespace record_file

// The header as the reader holds it. ProgramName, MaterialName and the four
// target names are the 6 bytes exactly as stored (trailing spaces kept);
// PartReference is the stored text with trailing white space removed.
// Encoding writes every text space-padded to its width (and cut to it).
struct RecordFileHeader {
  std::string ProgramName;
  std::string PartReference;
  float HeaderThickness = 0;
  std::string MaterialName;
  int16_t Hardness = 0;
  int32_t Reserved31 = 0;
  std::string PunchTargetName;
  std::string DieTargetName;
  std::string DieHolderTargetName;
  std::string SpacerTargetName;
  int16_t RecordCount = 0;
  uint8_t CreationYear = 0;  // two-digit year
  uint8_t CreationMonth = 0;
  uint8_t CreationDay = 0;
  uint8_t Reserved64 = 0;
  int32_t Reserved65 = 0;
  int16_t Reserved69 = 0;
  int16_t Constant71 = 9999;
  int16_t MaterialNumber = 0;
  std::array<int32_t, record_file::kReserved75Count> Reserved75{};
  int16_t NamePrefixDigit = 0;
  int32_t Reserved117 = 0;
  char PunchRev = 0;
  char DieHolderRev = 0;
  char DieRev = 0;

  bool operator==(const RecordFileHeader&) const = default;
};

// One step record, every field as stored (reserved ones included), with the
// layout selector of the file it was read from.
struct RecordFileStep {
  int LayoutSelector = 0;
  int16_t SequenceOrder = 0;
  float StepValue = 0;
  int16_t FlagAutoCompen = 0;
  int16_t CoiningFlag = 0;
  int16_t BendLength = 0;
  int32_t FlangeLength = 0;
  float BendAngle = 0;
  float Y1 = 0;
  float Y2 = 0;
  float Gauge1Y = 0;
  float Gauge2Y = 0;
  float Gauge1Z = 0;
  float Gauge2Z = 0;
  float Gauge1X = 0;
  float Gauge2X = 0;
  std::array<uint8_t, record_file::kAuxFuncWidth> AuxFunc{};  // raw bytes
  int16_t FlagSheetMove = 0;
  int16_t TonnageValue = 0;
  int16_t Reserved62 = 0;
  int16_t Reserved64 = 0;
  int16_t ODC = 0;
  int16_t BendingSpeed = 0;
  int16_t ReturnSpeed = 0;
  int16_t BGRetractFlag = 0;
  int16_t CycleNo = 0;
  float RetractStroke = 0;
  float DwellBG = 0;
  int16_t Reserved84 = 0;
  float DwellEndBend = 0;
  int16_t Reserved90 = 0;
  int16_t Reserved92 = 0;
  int16_t BendNoBGPos = 0;
  float Y1Compen = 0;
  float Y2Compen = 0;
  float X1Compen = 0;
  float X2Compen = 0;
  float R1Compen = 0;
  float R2Compen = 0;
  float Z1Compen = 0;
  float Z2Compen = 0;
  float AngleCompen = 0;
  int32_t Reserved132 = 0;
  float PinchPointValue = 0;
  float Offset = 0;

  bool operator==(const RecordFileStep&) const = default;
};

using RecordHeaderBytes = std::array<uint8_t, record_file::kPaddedHeaderSize>;
using RecordStepBytes = std::array<uint8_t, record_file::kPaddedStepSize>;

// --- Helpers for the writer ---

// Writes `text` into a field of `width` bytes as the writer does: the field
// starts zero-filled, takes at most `width` bytes of the text, and every 0
// byte within the width then becomes a space.
void PutSpacePaddedText(uint8_t* field, std::string_view text, size_t width);
// The AuxFunc bytes of a step text: its first six bytes, 0 bytes after a
// shorter text.
std::array<uint8_t, record_file::kAuxFuncWidth> AuxFuncBytes(
    std::string_view text);
// A "Rev" byte: the first character of the text, 0 for an empty text.
char RevByte(std::string_view text);
// The three CreationDate bytes of a "%m/%d/%y" date text: characters 1-2
// give the month, 4-5 the day, 7-8 the year, each pair read as its leading
// decimal digits (none gives 0). "12/07/26" gives year 26, month 12, day 7.
struct CreationDateBytes {
  uint8_t year = 0;
  uint8_t month = 0;
  uint8_t day = 0;
};
CreationDateBytes ParseCreationDate(std::string_view text);

// --- Encoding (padded layout) ---

RecordHeaderBytes EncodeRecordFileHeader(const RecordFileHeader& header);
RecordStepBytes EncodeRecordFileStep(const RecordFileStep& step);
// A whole file: the header as given (its RecordCount is not checked against
// the number of steps) followed by the steps.
std::string EncodeRecordFile(const RecordFileHeader& header,
                             const std::vector<RecordFileStep>& steps);

// --- Decoding (either layout) ---

// `bytes` holds at least the layout's header size (the filler is ignored).
RecordFileHeader DecodeRecordFileHeader(const uint8_t* bytes);
// `bytes` holds at least the compact record size (the filler is ignored).
RecordFileStep DecodeRecordFileStep(const uint8_t* bytes, int layout_selector);

// Reads a record file through an open File. The layout is fixed when the
// reader is made. Every read reports a file cut short as an error.
class RecordFileReader {
 public:
  RecordFileReader(File* file, int layout_selector);

  RecordLayout layout() const { return layout_; }

  // RecordCount alone: seek to offset 59 and read 2 bytes.
  Status ReadRecordCount(int16_t* record_count);
  // The header from offset 0 (and the filler in the padded layout).
  Status ReadHeader(RecordFileHeader* header);
  // Record k. Refused when k is negative or k >= RecordCount - 1 (the final
  // default record is never read); RecordCount is read from the file the
  // first time it is needed.
  Status ReadStep(int k, RecordFileStep* step);

 private:
  Status ReadAt(uint64_t offset, uint8_t* data, size_t size);

  File* file_;
  int selector_;
  RecordLayout layout_;
  bool have_count_ = false;
  int16_t record_count_ = 0;
};

// A readable listing of a record file: every header field and every record
// the file holds (including the final default record), each with its
// offset. Missing bytes are reported, never read past.
std::string DumpRecordFile(std::string_view bytes, RecordLayout layout);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_RECORD_FILE_H_
