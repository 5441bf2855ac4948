#include "formats/control_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/le_bytes.h"

namespace bendpost {

using namespace control_file;

namespace {

constexpr size_t kI16 = 2, kI32 = 4, kF32 = 4, kU8 = 1;

// Each field ends at or before the next one's start (the gaps are part of
// the format), and the blocks hold their fields.
static_assert(kHeaderKind + kI16 == kHeaderBlockSize);
static_assert(kHeaderBlockSize + kI16 == kProgramName);
static_assert(kProgramName + kProgramNameArray == kPartReference);
static_assert(kPartReference + kPartReferenceArray + 3 == kHeaderThickness);
static_assert(kHeaderThickness + kF32 == kMaterialName);
static_assert(kMaterialName + kNameArray + 1 == kHardness);
static_assert(kHardness + kI16 + 6 == kPunchTargetName);
static_assert(kPunchTargetName + kNameArray == kDieTargetName);
static_assert(kDieTargetName + kNameArray == kDieHolderTargetName);
static_assert(kDieHolderTargetName + kNameArray == kSpacerTargetName);
static_assert(kSpacerTargetName + kNameArray == kStepCount);
static_assert(kStepCount + kI16 + 2 == kCreationStamp);
static_assert(kCreationStamp + kI32 == kReserved84);
static_assert(kReserved84 + kI32 == kReserved88);
static_assert(kReserved88 + kI16 == kConstant90);
static_assert(kConstant90 + kI16 == kMaterialNumber);
static_assert(kMaterialNumber + kI16 + 2 == kReserved96);
static_assert(kReserved96 + kReserved96Count * kI32 == kNamePrefixDigit);
static_assert(kNamePrefixDigit + kU8 + 7 == kPunchReversed);
static_assert(kPunchReversed + kU8 == kDieHolderReversed);
static_assert(kDieHolderReversed + kU8 == kDieReversed);
static_assert(kDieReversed + kU8 <= kHeaderSize && kHeaderSize == 364);

static_assert(kStepKind + kI16 == kStepBlockSize);
static_assert(kStepBlockSize + kI16 == kSequenceOrder);
static_assert(kSequenceOrder + kI16 + 2 == kStepValue);
static_assert(kStepValue + kF32 == kFlagAutoCompen);
static_assert(kFlagAutoCompen + kI16 == kCoining);
static_assert(kCoining + kU8 + 1 == kBendLength);
static_assert(kBendLength + kI16 + 2 == kFlangeLength);
static_assert(kFlangeLength + kI32 == kBendAngle);
static_assert(kBendAngle + kF32 == kY1);
static_assert(kY1 + kF32 == kY2);
static_assert(kY2 + kF32 == kGauge1Y);
static_assert(kGauge1Y + kF32 == kGauge2Y);
static_assert(kGauge2Y + kF32 == kGauge1Z);
static_assert(kGauge1Z + kF32 == kGauge2Z);
static_assert(kGauge2Z + kF32 == kGauge1X);
static_assert(kGauge1X + kF32 == kGauge2X);
static_assert(kGauge2X + kF32 == kReserved60);
static_assert(kReserved60 + kF32 == kReserved64);
static_assert(kReserved64 + kF32 + 8 == kAuxFunc);
static_assert(kAuxFunc + kAuxFuncArray == kFlagSheetMove);
static_assert(kFlagSheetMove + kU8 == kTonnageValue);
static_assert(kTonnageValue + kF32 + 4 == kODC);
static_assert(kODC + kI16 == kBendingSpeed);
static_assert(kBendingSpeed + kI16 == kReturnSpeed);
static_assert(kReturnSpeed + kI16 == kBGRetractFlag);
static_assert(kBGRetractFlag + kU8 + 1 == kCycleNo);
static_assert(kCycleNo + kI16 + 2 == kRetractStroke);
static_assert(kRetractStroke + kF32 == kDwellBG);
static_assert(kDwellBG + kF32 + 4 == kDwellEndBend);
static_assert(kDwellEndBend + kF32 + 4 == kBendNoBGPos);
static_assert(kBendNoBGPos + kI16 + 2 == kY1Compen);
static_assert(kY1Compen + 8 * kF32 == kZ2Compen + kF32);
static_assert(kZ2Compen + kF32 + 16 == kAngleCompen);
static_assert(kAngleCompen + kF32 + 4 == kPinchPointValue);
static_assert(kPinchPointValue + kF32 == kOffset);
static_assert(kOffset + kF32 == kStepUsedEnd);
static_assert(kStepUsedEnd <= kStepSize && kStepSize == 492);

// A bounded copy into a char array of `array` bytes: at most `max_chars`
// bytes of `text`, stopping at its first 0 byte, 0 bytes after it.
void PutBoundedText(uint8_t* field, std::string_view text, size_t max_chars,
                    size_t array) {
  std::memset(field, 0, array);
  std::string t = BoundedText(text, std::min(max_chars, array - 1));
  if (!t.empty()) std::memcpy(field, t.data(), t.size());
}

// The text of a char array: up to its first 0 byte. *terminated tells
// whether the array held one.
std::string GetArrayText(const uint8_t* field, size_t array, bool* terminated) {
  const char* p = reinterpret_cast<const char*>(field);
  size_t n = 0;
  while (n < array && p[n] != 0) ++n;
  *terminated = n < array;
  return std::string(p, n);
}

uint8_t IsOne(char c) { return c == '1' ? 1 : 0; }

std::string AuxFuncText(const RecordFileStep& record) {
  return BoundedText(
      std::string_view(reinterpret_cast<const char*>(record.AuxFunc.data()),
                       record.AuxFunc.size()),
      record_file::kAuxFuncWidth);
}

}  // namespace

std::string BoundedText(std::string_view text, size_t max_chars) {
  size_t n = 0;
  size_t limit = std::min(text.size(), max_chars);
  while (n < limit && text[n] != 0) ++n;
  return std::string(text.substr(0, n));
}

uint32_t CreationStamp(uint8_t year, uint8_t month, uint8_t day) {
  // Unsigned arithmetic wraps modulo 2^32, as the format wants.
  uint32_t date = uint32_t{year} * 10000u + uint32_t{month} * 100u + day;
  return date * 10000u + 1122u;
}

ControlFileHeader ControlHeaderFromRecord(const RecordFileHeader& r) {
  ControlFileHeader h;
  h.ProgramName = BoundedText(r.ProgramName, 6);
  h.PartReference = BoundedText(r.PartReference, 13);
  h.HeaderThickness = r.HeaderThickness;
  h.MaterialName = BoundedText(r.MaterialName, 6);
  h.Hardness = r.Hardness;
  h.PunchTargetName = BoundedText(r.PunchTargetName, 6);
  h.DieTargetName = BoundedText(r.DieTargetName, 6);
  h.DieHolderTargetName = BoundedText(r.DieHolderTargetName, 6);
  h.SpacerTargetName = BoundedText(r.SpacerTargetName, 6);
  // Wraps like the 16-bit field it is; the converter never lets a
  // RecordCount outside 2..26 get this far.
  h.StepCount = static_cast<int16_t>(r.RecordCount - 1);
  h.CreationStamp =
      CreationStamp(r.CreationYear, r.CreationMonth, r.CreationDay);
  h.Reserved84 = r.Reserved65;
  h.Reserved88 = r.Reserved69;
  h.Constant90 = r.Constant71;
  h.MaterialNumber = r.MaterialNumber;
  h.Reserved96 = r.Reserved75;
  h.NamePrefixDigit = static_cast<uint8_t>(r.NamePrefixDigit & 0xFF);
  h.PunchReversed = IsOne(r.PunchRev);
  h.DieHolderReversed = IsOne(r.DieHolderRev);
  h.DieReversed = IsOne(r.DieRev);
  return h;
}

ControlFileStep ControlStepFromRecord(const RecordFileStep& r) {
  ControlFileStep s;
  s.SequenceOrder = r.SequenceOrder;
  s.StepValue = r.StepValue;
  s.FlagAutoCompen = r.FlagAutoCompen;
  s.Coining = r.CoiningFlag != 0 ? 1 : 0;
  s.BendLength = r.BendLength;
  s.FlangeLength = r.FlangeLength;
  s.BendAngle = r.BendAngle;
  s.Y1 = r.Y1;
  s.Y2 = r.Y2;
  s.Gauge1Y = r.Gauge1Y;
  s.Gauge2Y = r.Gauge2Y;
  s.Gauge1Z = r.Gauge1Z;
  s.Gauge2Z = r.Gauge2Z;
  s.Gauge1X = r.Gauge1X;
  s.Gauge2X = r.Gauge2X;
  s.AuxFunc = AuxFuncText(r);
  s.FlagSheetMove = static_cast<uint8_t>(r.FlagSheetMove & 0xFF);
  s.TonnageValue = static_cast<float>(r.TonnageValue);
  s.ODC = r.ODC;
  s.BendingSpeed = r.BendingSpeed;
  s.ReturnSpeed = r.ReturnSpeed;
  s.BGRetractFlag = static_cast<uint8_t>(r.BGRetractFlag & 0xFF);
  s.CycleNo = r.CycleNo;
  s.RetractStroke = r.RetractStroke;
  s.DwellBG = r.DwellBG;
  s.DwellEndBend = r.DwellEndBend;
  s.BendNoBGPos = r.BendNoBGPos;
  s.Y1Compen = r.Y1Compen;
  s.Y2Compen = r.Y2Compen;
  s.X1Compen = r.X1Compen;
  s.X2Compen = r.X2Compen;
  s.R1Compen = r.R1Compen;
  s.R2Compen = r.R2Compen;
  s.Z1Compen = r.Z1Compen;
  s.Z2Compen = r.Z2Compen;
  s.AngleCompen = r.AngleCompen;
  s.PinchPointValue = r.PinchPointValue;
  s.Offset = r.Offset;
  return s;
}

void EncodeControlFileHeader(const ControlFileHeader& h, uint8_t* p) {
  std::memset(p, 0, kHeaderSize);
  PutI16(p + kHeaderKind, h.BlockKind);
  PutI16(p + kHeaderBlockSize, h.BlockSize);
  PutBoundedText(p + kProgramName, h.ProgramName, 6, kProgramNameArray);
  PutBoundedText(p + kPartReference, h.PartReference, 13, kPartReferenceArray);
  PutF32(p + kHeaderThickness, h.HeaderThickness);
  PutBoundedText(p + kMaterialName, h.MaterialName, 6, kNameArray);
  PutI16(p + kHardness, h.Hardness);
  PutBoundedText(p + kPunchTargetName, h.PunchTargetName, 6, kNameArray);
  PutBoundedText(p + kDieTargetName, h.DieTargetName, 6, kNameArray);
  PutBoundedText(p + kDieHolderTargetName, h.DieHolderTargetName, 6,
                 kNameArray);
  PutBoundedText(p + kSpacerTargetName, h.SpacerTargetName, 6, kNameArray);
  PutI16(p + kStepCount, h.StepCount);
  PutU32(p + kCreationStamp, h.CreationStamp);
  PutI32(p + kReserved84, h.Reserved84);
  PutI16(p + kReserved88, h.Reserved88);
  PutI16(p + kConstant90, h.Constant90);
  PutI16(p + kMaterialNumber, h.MaterialNumber);
  for (size_t i = 0; i < kReserved96Count; ++i)
    PutI32(p + kReserved96 + 4 * i, h.Reserved96[i]);
  PutU8(p + kNamePrefixDigit, h.NamePrefixDigit);
  PutU8(p + kPunchReversed, h.PunchReversed);
  PutU8(p + kDieHolderReversed, h.DieHolderReversed);
  PutU8(p + kDieReversed, h.DieReversed);
}

void EncodeControlFileStep(const ControlFileStep& s, uint8_t* p) {
  std::memset(p, 0, kStepSize);
  PutI16(p + kStepKind, s.BlockKind);
  PutI16(p + kStepBlockSize, s.BlockSize);
  PutI16(p + kSequenceOrder, s.SequenceOrder);
  PutF32(p + kStepValue, s.StepValue);
  PutI16(p + kFlagAutoCompen, s.FlagAutoCompen);
  PutU8(p + kCoining, s.Coining);
  PutI16(p + kBendLength, s.BendLength);
  PutI32(p + kFlangeLength, s.FlangeLength);
  PutF32(p + kBendAngle, s.BendAngle);
  PutF32(p + kY1, s.Y1);
  PutF32(p + kY2, s.Y2);
  PutF32(p + kGauge1Y, s.Gauge1Y);
  PutF32(p + kGauge2Y, s.Gauge2Y);
  PutF32(p + kGauge1Z, s.Gauge1Z);
  PutF32(p + kGauge2Z, s.Gauge2Z);
  PutF32(p + kGauge1X, s.Gauge1X);
  PutF32(p + kGauge2X, s.Gauge2X);
  PutF32(p + kReserved60, s.Reserved60);
  PutF32(p + kReserved64, s.Reserved64);
  PutBoundedText(p + kAuxFunc, s.AuxFunc, 6, kAuxFuncArray);
  PutU8(p + kFlagSheetMove, s.FlagSheetMove);
  PutF32(p + kTonnageValue, s.TonnageValue);
  PutI16(p + kODC, s.ODC);
  PutI16(p + kBendingSpeed, s.BendingSpeed);
  PutI16(p + kReturnSpeed, s.ReturnSpeed);
  PutU8(p + kBGRetractFlag, s.BGRetractFlag);
  PutI16(p + kCycleNo, s.CycleNo);
  PutF32(p + kRetractStroke, s.RetractStroke);
  PutF32(p + kDwellBG, s.DwellBG);
  PutF32(p + kDwellEndBend, s.DwellEndBend);
  PutI16(p + kBendNoBGPos, s.BendNoBGPos);
  PutF32(p + kY1Compen, s.Y1Compen);
  PutF32(p + kY2Compen, s.Y2Compen);
  PutF32(p + kX1Compen, s.X1Compen);
  PutF32(p + kX2Compen, s.X2Compen);
  PutF32(p + kR1Compen, s.R1Compen);
  PutF32(p + kR2Compen, s.R2Compen);
  PutF32(p + kZ1Compen, s.Z1Compen);
  PutF32(p + kZ2Compen, s.Z2Compen);
  PutF32(p + kAngleCompen, s.AngleCompen);
  PutF32(p + kPinchPointValue, s.PinchPointValue);
  PutF32(p + kOffset, s.Offset);
}

Status BuildControlFileImage(const RecordFileHeader& header,
                             const std::vector<RecordFileStep>& steps,
                             ControlFileImage* image) {
  image->bytes.fill(0);
  if (steps.size() > kStepSlots)
    return Status::Error("a program of " + std::to_string(steps.size()) +
                         " steps does not fit the control file's " +
                         std::to_string(kStepSlots) + " step slots");
  EncodeControlFileHeader(ControlHeaderFromRecord(header), image->bytes.data());
  for (size_t k = 0; k < steps.size(); ++k)
    EncodeControlFileStep(ControlStepFromRecord(steps[k]),
                          image->bytes.data() + SlotOffset(k));
  return Status::OK();
}

// --- Decoding ---

namespace {

struct Problems {
  std::string text;
  void Add(const std::string& what) {
    if (!text.empty()) text += "; ";
    text += what;
  }
};

std::string Text(const uint8_t* p, size_t array, const char* name,
                 size_t offset, Problems* problems) {
  bool terminated = true;
  std::string t = GetArrayText(p, array, &terminated);
  if (!terminated)
    problems->Add(std::string(name) + " at offset " + std::to_string(offset) +
                  " has no terminating 0 byte");
  return t;
}

ControlFileHeader DecodeHeader(const uint8_t* p, Problems* problems) {
  ControlFileHeader h;
  h.BlockKind = GetI16(p + kHeaderKind);
  h.BlockSize = GetI16(p + kHeaderBlockSize);
  h.ProgramName = Text(p + kProgramName, kProgramNameArray, "ProgramName",
                       kProgramName, problems);
  h.PartReference = Text(p + kPartReference, kPartReferenceArray,
                         "PartReference", kPartReference, problems);
  h.HeaderThickness = GetF32(p + kHeaderThickness);
  h.MaterialName = Text(p + kMaterialName, kNameArray, "MaterialName",
                        kMaterialName, problems);
  h.Hardness = GetI16(p + kHardness);
  h.PunchTargetName = Text(p + kPunchTargetName, kNameArray, "PunchTargetName",
                           kPunchTargetName, problems);
  h.DieTargetName = Text(p + kDieTargetName, kNameArray, "DieTargetName",
                         kDieTargetName, problems);
  h.DieHolderTargetName =
      Text(p + kDieHolderTargetName, kNameArray, "DieHolderTargetName",
           kDieHolderTargetName, problems);
  h.SpacerTargetName = Text(p + kSpacerTargetName, kNameArray,
                            "SpacerTargetName", kSpacerTargetName, problems);
  h.StepCount = GetI16(p + kStepCount);
  h.CreationStamp = GetU32(p + kCreationStamp);
  h.Reserved84 = GetI32(p + kReserved84);
  h.Reserved88 = GetI16(p + kReserved88);
  h.Constant90 = GetI16(p + kConstant90);
  h.MaterialNumber = GetI16(p + kMaterialNumber);
  for (size_t i = 0; i < kReserved96Count; ++i)
    h.Reserved96[i] = GetI32(p + kReserved96 + 4 * i);
  h.NamePrefixDigit = GetU8(p + kNamePrefixDigit);
  h.PunchReversed = GetU8(p + kPunchReversed);
  h.DieHolderReversed = GetU8(p + kDieHolderReversed);
  h.DieReversed = GetU8(p + kDieReversed);
  return h;
}

ControlFileStep DecodeStep(const uint8_t* p, size_t slot, Problems* problems) {
  ControlFileStep s;
  s.BlockKind = GetI16(p + kStepKind);
  s.BlockSize = GetI16(p + kStepBlockSize);
  s.SequenceOrder = GetI16(p + kSequenceOrder);
  s.StepValue = GetF32(p + kStepValue);
  s.FlagAutoCompen = GetI16(p + kFlagAutoCompen);
  s.Coining = GetU8(p + kCoining);
  s.BendLength = GetI16(p + kBendLength);
  s.FlangeLength = GetI32(p + kFlangeLength);
  s.BendAngle = GetF32(p + kBendAngle);
  s.Y1 = GetF32(p + kY1);
  s.Y2 = GetF32(p + kY2);
  s.Gauge1Y = GetF32(p + kGauge1Y);
  s.Gauge2Y = GetF32(p + kGauge2Y);
  s.Gauge1Z = GetF32(p + kGauge1Z);
  s.Gauge2Z = GetF32(p + kGauge2Z);
  s.Gauge1X = GetF32(p + kGauge1X);
  s.Gauge2X = GetF32(p + kGauge2X);
  s.Reserved60 = GetF32(p + kReserved60);
  s.Reserved64 = GetF32(p + kReserved64);
  std::string name = "slot " + std::to_string(slot) + " AuxFunc";
  s.AuxFunc = Text(p + kAuxFunc, kAuxFuncArray, name.c_str(),
                   SlotOffset(slot) + kAuxFunc, problems);
  s.FlagSheetMove = GetU8(p + kFlagSheetMove);
  s.TonnageValue = GetF32(p + kTonnageValue);
  s.ODC = GetI16(p + kODC);
  s.BendingSpeed = GetI16(p + kBendingSpeed);
  s.ReturnSpeed = GetI16(p + kReturnSpeed);
  s.BGRetractFlag = GetU8(p + kBGRetractFlag);
  s.CycleNo = GetI16(p + kCycleNo);
  s.RetractStroke = GetF32(p + kRetractStroke);
  s.DwellBG = GetF32(p + kDwellBG);
  s.DwellEndBend = GetF32(p + kDwellEndBend);
  s.BendNoBGPos = GetI16(p + kBendNoBGPos);
  s.Y1Compen = GetF32(p + kY1Compen);
  s.Y2Compen = GetF32(p + kY2Compen);
  s.X1Compen = GetF32(p + kX1Compen);
  s.X2Compen = GetF32(p + kX2Compen);
  s.R1Compen = GetF32(p + kR1Compen);
  s.R2Compen = GetF32(p + kR2Compen);
  s.Z1Compen = GetF32(p + kZ1Compen);
  s.Z2Compen = GetF32(p + kZ2Compen);
  s.AngleCompen = GetF32(p + kAngleCompen);
  s.PinchPointValue = GetF32(p + kPinchPointValue);
  s.Offset = GetF32(p + kOffset);
  return s;
}

bool AllZero(const uint8_t* p, size_t size) {
  return std::all_of(p, p + size, [](uint8_t b) { return b == 0; });
}

// A block written by the encoder is the encoding of its own fields; any other
// byte (in a gap, or after a text's terminating 0) is reported by the file
// offset of the first one.
void CheckCanonical(const uint8_t* block, const uint8_t* encoded, size_t size,
                    size_t file_offset, const std::string& what,
                    Problems* problems) {
  for (size_t i = 0; i < size; ++i) {
    if (block[i] != encoded[i]) {
      problems->Add(what + ": unexpected byte " + std::to_string(block[i]) +
                    " at offset " + std::to_string(file_offset + i) +
                    " (outside every field)");
      return;
    }
  }
}

}  // namespace

Status DecodeControlFile(std::string_view bytes, DecodedControlFile* out) {
  *out = DecodedControlFile();
  if (bytes.size() != kFileSize)
    return Status::Error("not a control file: a control file has " +
                         std::to_string(kFileSize) + " bytes, this one has " +
                         std::to_string(bytes.size()));
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  Problems problems;
  out->header = DecodeHeader(p, &problems);
  const ControlFileHeader& h = out->header;
  uint8_t encoded[kStepSize];
  static_assert(kStepSize >= kHeaderSize);
  EncodeControlFileHeader(h, encoded);
  CheckCanonical(p, encoded, kHeaderSize, 0, "header", &problems);
  if (h.BlockKind != kBlockKind)
    problems.Add("header block kind is " + std::to_string(h.BlockKind) +
                 ", not 1");
  if (h.BlockSize != static_cast<int16_t>(kHeaderSize))
    problems.Add("header block size is " + std::to_string(h.BlockSize) +
                 ", not 364");
  size_t used = 0;
  if (h.StepCount < 1 || h.StepCount > static_cast<int>(kStepSlots)) {
    problems.Add("StepCount is " + std::to_string(h.StepCount) +
                 ", not between 1 and 25");
    if (h.StepCount > 0) used = kStepSlots;
  } else {
    used = static_cast<size_t>(h.StepCount);
  }
  for (size_t k = 0; k < kStepSlots; ++k) {
    const uint8_t* slot = p + SlotOffset(k);
    if (k < used) {
      out->steps.push_back(DecodeStep(slot, k, &problems));
      const ControlFileStep& s = out->steps.back();
      EncodeControlFileStep(s, encoded);
      CheckCanonical(slot, encoded, kStepSize, SlotOffset(k),
                     "slot " + std::to_string(k), &problems);
      if (s.BlockKind != kBlockKind)
        problems.Add("slot " + std::to_string(k) + " block kind is " +
                     std::to_string(s.BlockKind) + ", not 1");
      if (s.BlockSize != static_cast<int16_t>(kStepSize))
        problems.Add("slot " + std::to_string(k) + " block size is " +
                     std::to_string(s.BlockSize) + ", not 492");
    } else if (!AllZero(slot, kStepSize)) {
      problems.Add("slot " + std::to_string(k) +
                   " is beyond StepCount but not empty");
    }
  }
  if (!problems.text.empty())
    return Status::Error("corrupt control file: " + problems.text);
  return Status::OK();
}

}  // namespace bendpost
