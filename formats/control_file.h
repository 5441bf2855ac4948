// The control file: the program as the press-brake control receives it.
// Always 12,664 bytes: a 364-byte header block, then 25 step slots of 492
// bytes; slot k starts at 364 + 492 x k and a program of n steps uses slots
// 0 to n - 1. Every field, its offset and its width are listed once, in the
// field tables below; every byte no field covers (the gaps between fields,
// the end of each block) is 0, and so is every byte of an unused slot. All
// numbers are little-endian (i16/i32 signed, u32 unsigned, f32 IEEE-754
// binary32, u8 one byte). Texts are char arrays one byte longer than the
// text they hold, 0-filled after it.
#ifndef BENDPOST_FORMATS_CONTROL_FILE_H_
#define BENDPOST_FORMATS_CONTROL_FILE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "formats/field_table.h"
#include "formats/record_file.h"

namespace bendpost {
namespace control_file {

inline constexpr size_t kHeaderSize = 364;
inline constexpr size_t kStepSize = 492;
inline constexpr size_t kStepSlots = 25;
inline constexpr size_t kFileSize = kHeaderSize + kStepSlots * kStepSize;
static_assert(kFileSize == 12664);
inline constexpr int16_t kBlockKind = 1;
inline constexpr size_t kReserved96Count = 10;

constexpr size_t SlotOffset(size_t k) { return kHeaderSize + k * kStepSize; }

}  // namespace control_file

// The header block's fields. Texts hold at most 6 (PartReference 13) bytes
// and no 0 byte.
struct ControlFileHeader {
  int16_t BlockKind = control_file::kBlockKind;
  int16_t BlockSize = control_file::kHeaderSize;
  std::string ProgramName;
  std::string PartReference;
  float HeaderThickness = 0;
  std::string MaterialName;
  int16_t Hardness = 0;
  std::string PunchTargetName;
  std::string DieTargetName;
  std::string DieHolderTargetName;
  std::string SpacerTargetName;
  int16_t StepCount = 0;
  uint32_t CreationStamp = 0;
  int32_t Reserved84 = 0;
  int16_t Reserved88 = 0;
  int16_t Constant90 = 0;
  int16_t MaterialNumber = 0;
  std::array<int32_t, control_file::kReserved96Count> Reserved96{};
  uint8_t NamePrefixDigit = 0;
  uint8_t PunchReversed = 0;
  uint8_t DieHolderReversed = 0;
  uint8_t DieReversed = 0;

  bool operator==(const ControlFileHeader&) const = default;
};

// One step block's fields. AuxFunc holds at most 6 bytes and no 0 byte.
struct ControlFileStep {
  int16_t BlockKind = control_file::kBlockKind;
  int16_t BlockSize = control_file::kStepSize;
  int16_t SequenceOrder = 0;
  float StepValue = 0;
  int16_t FlagAutoCompen = 0;
  uint8_t Coining = 0;
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
  float Reserved60 = 0;
  float Reserved64 = 0;
  std::string AuxFunc;
  uint8_t FlagSheetMove = 0;
  float TonnageValue = 0;
  int16_t ODC = 0;
  int16_t BendingSpeed = 0;
  int16_t ReturnSpeed = 0;
  uint8_t BGRetractFlag = 0;
  int16_t CycleNo = 0;
  float RetractStroke = 0;
  float DwellBG = 0;
  float DwellEndBend = 0;
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
  float PinchPointValue = 0;
  float Offset = 0;

  bool operator==(const ControlFileStep&) const = default;
};

namespace control_file {

using fields::Num;
using fields::Text;
constexpr fields::TextStyle kZeroTerminated =
    fields::TextStyle::kZeroTerminated;

// The header block.
inline constexpr fields::Field<ControlFileHeader> kHeaderFields[] = {
    Num("BlockKind", 0, &ControlFileHeader::BlockKind, "block kind"),
    Num("BlockSize", 2, &ControlFileHeader::BlockSize, "block size"),
    Text("ProgramName", 4, 7, &ControlFileHeader::ProgramName, kZeroTerminated),
    Text("PartReference", 11, 14, &ControlFileHeader::PartReference,
         kZeroTerminated),
    Num("HeaderThickness", 28, &ControlFileHeader::HeaderThickness),
    Text("MaterialName", 32, 7, &ControlFileHeader::MaterialName,
         kZeroTerminated),
    Num("Hardness", 40, &ControlFileHeader::Hardness),
    Text("PunchTargetName", 48, 7, &ControlFileHeader::PunchTargetName,
         kZeroTerminated),
    Text("DieTargetName", 55, 7, &ControlFileHeader::DieTargetName,
         kZeroTerminated),
    Text("DieHolderTargetName", 62, 7, &ControlFileHeader::DieHolderTargetName,
         kZeroTerminated),
    Text("SpacerTargetName", 69, 7, &ControlFileHeader::SpacerTargetName,
         kZeroTerminated),
    Num("StepCount", 76, &ControlFileHeader::StepCount),
    Num("CreationStamp", 80, &ControlFileHeader::CreationStamp),  // below
    // The record file's reserved fields at 65, 69 and 75 and its constant.
    Num("Reserved84", 84, &ControlFileHeader::Reserved84, "reserved"),
    Num("Reserved88", 88, &ControlFileHeader::Reserved88, "reserved"),
    Num("Constant90", 90, &ControlFileHeader::Constant90, "constant"),
    Num("MaterialNumber", 92, &ControlFileHeader::MaterialNumber),
    Num("Reserved96", 96, &ControlFileHeader::Reserved96, "reserved"),
    // The record file's NamePrefixDigit (its low byte) and "Rev" bytes (1
    // for the character "1", else 0).
    Num("NamePrefixDigit", 136, &ControlFileHeader::NamePrefixDigit),
    Num("PunchReversed", 144, &ControlFileHeader::PunchReversed,
        "punch reversed"),
    Num("DieHolderReversed", 145, &ControlFileHeader::DieHolderReversed,
        "die holder reversed"),
    Num("DieReversed", 146, &ControlFileHeader::DieReversed, "die reversed"),
};
static_assert(fields::FitsBlock(kHeaderFields, kHeaderSize, false));

// A step block.
inline constexpr fields::Field<ControlFileStep> kStepFields[] = {
    Num("BlockKind", 0, &ControlFileStep::BlockKind, "block kind"),
    Num("BlockSize", 2, &ControlFileStep::BlockSize, "block size"),
    Num("SequenceOrder", 4, &ControlFileStep::SequenceOrder),
    Num("StepValue", 8, &ControlFileStep::StepValue),
    Num("FlagAutoCompen", 12, &ControlFileStep::FlagAutoCompen),
    Num("Coining", 14, &ControlFileStep::Coining, "coining"),  // 0 or 1
    Num("BendLength", 16, &ControlFileStep::BendLength),
    Num("FlangeLength", 20, &ControlFileStep::FlangeLength),
    Num("BendAngle", 24, &ControlFileStep::BendAngle),
    Num("Y1", 28, &ControlFileStep::Y1),
    Num("Y2", 32, &ControlFileStep::Y2),
    Num("Gauge1Y", 36, &ControlFileStep::Gauge1Y),
    Num("Gauge2Y", 40, &ControlFileStep::Gauge2Y),
    Num("Gauge1Z", 44, &ControlFileStep::Gauge1Z),
    Num("Gauge2Z", 48, &ControlFileStep::Gauge2Z),
    Num("Gauge1X", 52, &ControlFileStep::Gauge1X),
    Num("Gauge2X", 56, &ControlFileStep::Gauge2X),
    Num("Reserved60", 60, &ControlFileStep::Reserved60, "reserved"),
    Num("Reserved64", 64, &ControlFileStep::Reserved64, "reserved"),
    Text("AuxFunc", 76, 7, &ControlFileStep::AuxFunc, kZeroTerminated),
    Num("FlagSheetMove", 83, &ControlFileStep::FlagSheetMove),
    Num("TonnageValue", 84, &ControlFileStep::TonnageValue),
    Num("ODC", 92, &ControlFileStep::ODC),
    Num("BendingSpeed", 94, &ControlFileStep::BendingSpeed),
    Num("ReturnSpeed", 96, &ControlFileStep::ReturnSpeed),
    Num("BGRetractFlag", 98, &ControlFileStep::BGRetractFlag),
    Num("CycleNo", 100, &ControlFileStep::CycleNo),
    Num("RetractStroke", 104, &ControlFileStep::RetractStroke),
    Num("DwellBG", 108, &ControlFileStep::DwellBG),
    Num("DwellEndBend", 116, &ControlFileStep::DwellEndBend),
    Num("BendNoBGPos", 124, &ControlFileStep::BendNoBGPos),
    Num("Y1Compen", 128, &ControlFileStep::Y1Compen),
    Num("Y2Compen", 132, &ControlFileStep::Y2Compen),
    Num("X1Compen", 136, &ControlFileStep::X1Compen),
    Num("X2Compen", 140, &ControlFileStep::X2Compen),
    Num("R1Compen", 144, &ControlFileStep::R1Compen),
    Num("R2Compen", 148, &ControlFileStep::R2Compen),
    Num("Z1Compen", 152, &ControlFileStep::Z1Compen),
    Num("Z2Compen", 156, &ControlFileStep::Z2Compen),
    Num("AngleCompen", 176, &ControlFileStep::AngleCompen),
    Num("PinchPointValue", 184, &ControlFileStep::PinchPointValue),
    Num("Offset", 188, &ControlFileStep::Offset),
};
static_assert(fields::FitsBlock(kStepFields, kStepSize, false));

// Offsets other code reads directly.
inline constexpr size_t kProgramName = OffsetOf(kHeaderFields, "ProgramName");
inline constexpr size_t kStepCount = OffsetOf(kHeaderFields, "StepCount");

}  // namespace control_file

// The whole file in memory, zero-filled when made.
struct ControlFileImage {
  std::array<uint8_t, control_file::kFileSize> bytes{};
};

// The text of a bounded copy: at most `max_chars` bytes of `text`, stopping
// at its first 0 byte.
std::string BoundedText(std::string_view text, size_t max_chars);

// (year x 10000 + month x 100 + day) x 10000 + 1122, modulo 2^32.
uint32_t CreationStamp(uint8_t year, uint8_t month, uint8_t day);

// The blocks' values taken over from a record file.
ControlFileHeader ControlHeaderFromRecord(const RecordFileHeader& record);
ControlFileStep ControlStepFromRecord(const RecordFileStep& record);

// Writes a block into its place; every byte of the block that holds no field
// becomes 0.
void EncodeControlFileHeader(const ControlFileHeader& header, uint8_t* block);
void EncodeControlFileStep(const ControlFileStep& step, uint8_t* block);

// The control file of a loaded record file: header and one slot per step.
// Refused (image left zero) when there are more steps than slots.
Status BuildControlFileImage(const RecordFileHeader& header,
                             const std::vector<RecordFileStep>& steps,
                             ControlFileImage* image);

// A control file read back into its fields.
struct DecodedControlFile {
  ControlFileHeader header;
  // The used slots, 0 to StepCount - 1 (as far as StepCount is within 0..25).
  std::vector<ControlFileStep> steps;
  // Everything found wrong, one finding each, in the file's order.
  std::vector<std::string> problems;
};

// Decodes a control file. A file that is not 12,664 bytes is refused with an
// error and `out` is left empty. Otherwise every field is decoded as far as
// the file allows and `out->problems` lists everything found wrong: a block
// kind or size other than 1 / 364 / 492 in the header or a used slot, a
// StepCount outside 1..25, an unused slot that is not all 0, a text without
// its terminating 0 byte. Any problem makes the result an error, "corrupt
// control file: " and the problems joined by "; ", for the callers that
// report a file in one line.
Status DecodeControlFile(std::string_view bytes, DecodedControlFile* out);

// A readable listing of a control file: the header's fields, then each used
// slot's, each with its offset, and what DecodeControlFile found wrong.
std::string DumpControlFile(std::string_view bytes);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_CONTROL_FILE_H_
