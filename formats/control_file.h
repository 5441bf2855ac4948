// The control file: the program as the press-brake control receives it.
// Always 12,664 bytes: a 364-byte header block, then 25 step slots of 492
// bytes; slot k starts at 364 + 492 x k and a program of n steps uses slots
// 0 to n - 1. Every byte not listed below is 0, and so is every byte of an
// unused slot. All numbers are little-endian (i16/i32 signed, u32 unsigned,
// f32 IEEE-754 binary32, u8 one byte). Texts are char arrays one byte longer
// than the text they hold, 0-filled after it.
//
//   header block (364 bytes)
//     0 i16 block kind 1              80 u32 CreationStamp: (YY x 10000 +
//     2 i16 block size 364                   MM x 100 + DD) x 10000 + 1122,
//     4 char[7]  ProgramName                 modulo 2^32
//    11 char[14] PartReference        84 i32 reserved (record offset 65)
//    28 f32 HeaderThickness           88 i16 reserved (record offset 69)
//    32 char[7]  MaterialName         90 i16 constant (record offset 71)
//    40 i16 Hardness                  92 i16 MaterialNumber
//    48 char[7]  PunchTargetName      96 i32 x 10 reserved (record 75..111)
//    55 char[7]  DieTargetName       136 u8  NamePrefixDigit (low byte)
//    62 char[7]  DieHolderTargetName 144 u8  punch reversed (1 for "1")
//    69 char[7]  SpacerTargetName    145 u8  die holder reversed
//    76 i16 StepCount                146 u8  die reversed
//
//   step block (492 bytes)
//     0 i16 block kind 1     36 f32 Gauge1Y       100 i16 CycleNo
//     2 i16 block size 492   40 f32 Gauge2Y       104 f32 RetractStroke
//     4 i16 SequenceOrder    44 f32 Gauge1Z       108 f32 DwellBG
//     8 f32 StepValue        48 f32 Gauge2Z       116 f32 DwellEndBend
//    12 i16 FlagAutoCompen   52 f32 Gauge1X       124 i16 BendNoBGPos
//    14 u8  coining (0/1)    56 f32 Gauge2X       128 f32 Y1Compen .. 156
//    16 i16 BendLength       60 f32 reserved 0.0      Z2Compen (8 x f32:
//    20 i32 FlangeLength     64 f32 reserved 0.0      Y1 Y2 X1 X2 R1 R2 Z1 Z2)
//    24 f32 BendAngle        76 char[7] AuxFunc   176 f32 AngleCompen
//    28 f32 Y1               83 u8  FlagSheetMove 184 f32 PinchPointValue
//    32 f32 Y2               84 f32 TonnageValue  188 f32 Offset
//                            92 i16 ODC           192..491 zero
//                            94 i16 BendingSpeed
//                            96 i16 ReturnSpeed
//                            98 u8  BGRetractFlag
// The gaps (6-7, 15, 18-19, 68-75, 88-91, 99, 102-103, 112-115, 120-123,
// 126-127, 160-175, 180-183) are 0; AngleCompen stands sixteen bytes after
// Z2Compen's end.
#ifndef BENDPOST_FORMATS_CONTROL_FILE_H_
#define BENDPOST_FORMATS_CONTROL_FILE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "formats/record_file.h"

namespace bendpost {
namespace control_file {

inline constexpr size_t kHeaderSize = 364;
inline constexpr size_t kStepSize = 492;
inline constexpr size_t kStepSlots = 25;
inline constexpr size_t kFileSize = kHeaderSize + kStepSlots * kStepSize;
static_assert(kFileSize == 12664);
inline constexpr int16_t kBlockKind = 1;

// Header offsets.
inline constexpr size_t kHeaderKind = 0;
inline constexpr size_t kHeaderBlockSize = 2;
inline constexpr size_t kProgramName = 4, kProgramNameArray = 7;
inline constexpr size_t kPartReference = 11, kPartReferenceArray = 14;
inline constexpr size_t kHeaderThickness = 28;
inline constexpr size_t kMaterialName = 32;
inline constexpr size_t kHardness = 40;
inline constexpr size_t kPunchTargetName = 48;
inline constexpr size_t kDieTargetName = 55;
inline constexpr size_t kDieHolderTargetName = 62;
inline constexpr size_t kSpacerTargetName = 69;
inline constexpr size_t kNameArray = 7;  // the 6-character texts
inline constexpr size_t kStepCount = 76;
inline constexpr size_t kCreationStamp = 80;
inline constexpr size_t kReserved84 = 84;
inline constexpr size_t kReserved88 = 88;
inline constexpr size_t kConstant90 = 90;
inline constexpr size_t kMaterialNumber = 92;
inline constexpr size_t kReserved96 = 96, kReserved96Count = 10;
inline constexpr size_t kNamePrefixDigit = 136;
inline constexpr size_t kPunchReversed = 144;
inline constexpr size_t kDieHolderReversed = 145;
inline constexpr size_t kDieReversed = 146;

// Step offsets.
inline constexpr size_t kStepKind = 0;
inline constexpr size_t kStepBlockSize = 2;
inline constexpr size_t kSequenceOrder = 4;
inline constexpr size_t kStepValue = 8;
inline constexpr size_t kFlagAutoCompen = 12;
inline constexpr size_t kCoining = 14;
inline constexpr size_t kBendLength = 16;
inline constexpr size_t kFlangeLength = 20;
inline constexpr size_t kBendAngle = 24;
inline constexpr size_t kY1 = 28;
inline constexpr size_t kY2 = 32;
inline constexpr size_t kGauge1Y = 36;
inline constexpr size_t kGauge2Y = 40;
inline constexpr size_t kGauge1Z = 44;
inline constexpr size_t kGauge2Z = 48;
inline constexpr size_t kGauge1X = 52;
inline constexpr size_t kGauge2X = 56;
inline constexpr size_t kReserved60 = 60;
inline constexpr size_t kReserved64 = 64;
inline constexpr size_t kAuxFunc = 76, kAuxFuncArray = 7;
inline constexpr size_t kFlagSheetMove = 83;
inline constexpr size_t kTonnageValue = 84;
inline constexpr size_t kODC = 92;
inline constexpr size_t kBendingSpeed = 94;
inline constexpr size_t kReturnSpeed = 96;
inline constexpr size_t kBGRetractFlag = 98;
inline constexpr size_t kCycleNo = 100;
inline constexpr size_t kRetractStroke = 104;
inline constexpr size_t kDwellBG = 108;
inline constexpr size_t kDwellEndBend = 116;
inline constexpr size_t kBendNoBGPos = 124;
inline constexpr size_t kY1Compen = 128;
inline constexpr size_t kY2Compen = 132;
inline constexpr size_t kX1Compen = 136;
inline constexpr size_t kX2Compen = 140;
inline constexpr size_t kR1Compen = 144;
inline constexpr size_t kR2Compen = 148;
inline constexpr size_t kZ1Compen = 152;
inline constexpr size_t kZ2Compen = 156;
inline constexpr size_t kAngleCompen = 176;
inline constexpr size_t kPinchPointValue = 184;
inline constexpr size_t kOffset = 188;
inline constexpr size_t kStepUsedEnd = 192;  // bytes 192..491 are 0

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
};

// Decodes a control file. A file that is not 12,664 bytes is refused with an
// error and `out` is left empty. Otherwise every field is decoded as far as
// the file allows and the result lists everything found wrong: a block kind
// or size other than 1 / 364 / 492 in the header or a used slot, a StepCount
// outside 1..25, an unused slot that is not all 0, a text without its
// terminating 0 byte.
Status DecodeControlFile(std::string_view bytes, DecodedControlFile* out);

// A readable listing of a control file: the header's fields, then each used
// slot's, each with its offset, and what DecodeControlFile found wrong.
std::string DumpControlFile(std::string_view bytes);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_CONTROL_FILE_H_
