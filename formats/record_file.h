// The program record file: the intermediate form of a program, written by
// the record file writer and read back by the converter, which turns it into
// the control file (formats/control_file.h).
//
// File layout: a header, then the records, one per step. Every field, its
// offset and its width are listed once, in the field tables below. Numbers
// are little-endian (i16/i32 signed, f32 IEEE-754 binary32, u8 one byte).
// Texts are fixed-width byte fields without a terminator; a shorter text is
// followed by spaces. Reserved fields are written as the struct holds them
// (0 unless set) and filler bytes as 0; readers ignore both.
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

#include "base/status.h"
#include "formats/field_table.h"
#include "platform/file.h"

namespace bendpost {

enum class RecordLayout { kPadded, kCompact };

// Layout selector 1 reads the compact layout; every other value the padded.
RecordLayout RecordLayoutForSelector(int selector);

namespace record_file {

inline constexpr size_t kCompactHeaderSize = 124;
inline constexpr size_t kPaddedHeaderSize = 125;
inline constexpr size_t kCompactStepSize = 144;
inline constexpr size_t kPaddedStepSize = 145;
inline constexpr size_t kAuxFuncWidth = 6;
inline constexpr size_t kReserved75Count = 10;

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

namespace record_file {

using fields::Num;
using fields::Text;

// The header. The padded layout adds one filler byte at 124.
inline constexpr fields::Field<RecordFileHeader> kHeaderFields[] = {
    Text("ProgramName", 0, 6, &RecordFileHeader::ProgramName),
    Text("PartReference", 6, 13, &RecordFileHeader::PartReference,
         fields::TextStyle::kSpacePaddedTrimmed),
    Num("HeaderThickness", 19, &RecordFileHeader::HeaderThickness),  // mm
    Text("MaterialName", 23, 6, &RecordFileHeader::MaterialName),
    Num("Hardness", 29, &RecordFileHeader::Hardness),
    Num("Reserved31", 31, &RecordFileHeader::Reserved31, "reserved"),
    Text("PunchTargetName", 35, 6, &RecordFileHeader::PunchTargetName),
    Text("DieTargetName", 41, 6, &RecordFileHeader::DieTargetName),
    Text("DieHolderTargetName", 47, 6, &RecordFileHeader::DieHolderTargetName),
    Text("SpacerTargetName", 53, 6, &RecordFileHeader::SpacerTargetName),
    Num("RecordCount", 59, &RecordFileHeader::RecordCount),
    Num("CreationYear", 61, &RecordFileHeader::CreationYear,
        "CreationDate year"),
    Num("CreationMonth", 62, &RecordFileHeader::CreationMonth,
        "CreationDate month"),
    Num("CreationDay", 63, &RecordFileHeader::CreationDay, "CreationDate day"),
    Num("Reserved64", 64, &RecordFileHeader::Reserved64, "reserved"),
    // Reserved65 and Reserved69 hold fixed values; Constant71 is 9999.
    Num("Reserved65", 65, &RecordFileHeader::Reserved65, "reserved"),
    Num("Reserved69", 69, &RecordFileHeader::Reserved69, "reserved"),
    Num("Constant71", 71, &RecordFileHeader::Constant71, "constant"),
    Num("MaterialNumber", 73, &RecordFileHeader::MaterialNumber),
    Num("Reserved75", 75, &RecordFileHeader::Reserved75, "reserved"),
    Num("NamePrefixDigit", 115, &RecordFileHeader::NamePrefixDigit),
    Num("Reserved117", 117, &RecordFileHeader::Reserved117, "reserved"),
    // The "Rev" bytes: a character, or 0.
    Num("PunchRev", 121, &RecordFileHeader::PunchRev),
    Num("DieHolderRev", 122, &RecordFileHeader::DieHolderRev),
    Num("DieRev", 123, &RecordFileHeader::DieRev),
};
static_assert(fields::FitsBlock(kHeaderFields, kCompactHeaderSize, true));

// A step record. The padded layout adds one filler byte at 144.
inline constexpr fields::Field<RecordFileStep> kStepFields[] = {
    Num("SequenceOrder", 0, &RecordFileStep::SequenceOrder),
    Num("StepValue", 2, &RecordFileStep::StepValue),
    Num("FlagAutoCompen", 6, &RecordFileStep::FlagAutoCompen),
    Num("CoiningFlag", 8, &RecordFileStep::CoiningFlag),
    Num("BendLength", 10, &RecordFileStep::BendLength),
    Num("FlangeLength", 12, &RecordFileStep::FlangeLength),
    Num("BendAngle", 16, &RecordFileStep::BendAngle),
    Num("Y1", 20, &RecordFileStep::Y1),
    Num("Y2", 24, &RecordFileStep::Y2),
    Num("Gauge1Y", 28, &RecordFileStep::Gauge1Y),
    Num("Gauge2Y", 32, &RecordFileStep::Gauge2Y),
    Num("Gauge1Z", 36, &RecordFileStep::Gauge1Z),
    Num("Gauge2Z", 40, &RecordFileStep::Gauge2Z),
    Num("Gauge1X", 44, &RecordFileStep::Gauge1X),
    Num("Gauge2X", 48, &RecordFileStep::Gauge2X),
    Num("AuxFunc", 52, &RecordFileStep::AuxFunc),  // raw bytes, 0-padded
    Num("FlagSheetMove", 58, &RecordFileStep::FlagSheetMove),
    Num("TonnageValue", 60, &RecordFileStep::TonnageValue),
    Num("Reserved62", 62, &RecordFileStep::Reserved62, "reserved"),
    Num("Reserved64", 64, &RecordFileStep::Reserved64, "reserved"),
    Num("ODC", 66, &RecordFileStep::ODC),
    Num("BendingSpeed", 68, &RecordFileStep::BendingSpeed),
    Num("ReturnSpeed", 70, &RecordFileStep::ReturnSpeed),
    Num("BGRetractFlag", 72, &RecordFileStep::BGRetractFlag),
    Num("CycleNo", 74, &RecordFileStep::CycleNo),
    Num("RetractStroke", 76, &RecordFileStep::RetractStroke),
    Num("DwellBG", 80, &RecordFileStep::DwellBG),
    Num("Reserved84", 84, &RecordFileStep::Reserved84, "reserved"),
    Num("DwellEndBend", 86, &RecordFileStep::DwellEndBend),
    Num("Reserved90", 90, &RecordFileStep::Reserved90, "reserved"),
    Num("Reserved92", 92, &RecordFileStep::Reserved92, "reserved"),
    Num("BendNoBGPos", 94, &RecordFileStep::BendNoBGPos),
    Num("Y1Compen", 96, &RecordFileStep::Y1Compen),
    Num("Y2Compen", 100, &RecordFileStep::Y2Compen),
    Num("X1Compen", 104, &RecordFileStep::X1Compen),
    Num("X2Compen", 108, &RecordFileStep::X2Compen),
    Num("R1Compen", 112, &RecordFileStep::R1Compen),
    Num("R2Compen", 116, &RecordFileStep::R2Compen),
    Num("Z1Compen", 120, &RecordFileStep::Z1Compen),
    Num("Z2Compen", 124, &RecordFileStep::Z2Compen),
    Num("AngleCompen", 128, &RecordFileStep::AngleCompen),
    Num("Reserved132", 132, &RecordFileStep::Reserved132, "reserved"),
    Num("PinchPointValue", 136, &RecordFileStep::PinchPointValue),
    Num("Offset", 140, &RecordFileStep::Offset),
};
static_assert(fields::FitsBlock(kStepFields, kCompactStepSize, true));

// Offsets other code reads directly.
inline constexpr size_t kRecordCount = OffsetOf(kHeaderFields, "RecordCount");
inline constexpr size_t kPartReference =
    OffsetOf(kHeaderFields, "PartReference");
inline constexpr size_t kPartReferenceWidth =
    WidthOf(kHeaderFields, "PartReference");

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
