#include "formats/record_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/le_bytes.h"
#include "base/text.h"

namespace bendpost {

using namespace record_file;

namespace {

constexpr size_t kI16 = 2, kI32 = 4, kF32 = 4, kU8 = 1;

// Every field ends where the next begins, and the fields add up to the
// compact sizes; the padded layout adds one filler byte.
static_assert(kProgramName + kProgramNameWidth == kPartReference);
static_assert(kPartReference + kPartReferenceWidth == kHeaderThickness);
static_assert(kHeaderThickness + kF32 == kMaterialName);
static_assert(kMaterialName + kMaterialNameWidth == kHardness);
static_assert(kHardness + kI16 == kReserved31);
static_assert(kReserved31 + kI32 == kPunchTargetName);
static_assert(kPunchTargetName + kTargetNameWidth == kDieTargetName);
static_assert(kDieTargetName + kTargetNameWidth == kDieHolderTargetName);
static_assert(kDieHolderTargetName + kTargetNameWidth == kSpacerTargetName);
static_assert(kSpacerTargetName + kTargetNameWidth == kRecordCount);
static_assert(kRecordCount + kI16 == kCreationYear);
static_assert(kCreationYear + kU8 == kCreationMonth);
static_assert(kCreationMonth + kU8 == kCreationDay);
static_assert(kCreationDay + kU8 == kReserved64);
static_assert(kReserved64 + kU8 == kReserved65);
static_assert(kReserved65 + kI32 == kReserved69);
static_assert(kReserved69 + kI16 == kConstant71);
static_assert(kConstant71 + kI16 == kMaterialNumber);
static_assert(kMaterialNumber + kI16 == kReserved75);
static_assert(kReserved75 + kReserved75Count * kI32 == kNamePrefixDigit);
static_assert(kNamePrefixDigit + kI16 == kReserved117);
static_assert(kReserved117 + kI32 == kPunchRev);
static_assert(kPunchRev + kU8 == kDieHolderRev);
static_assert(kDieHolderRev + kU8 == kDieRev);
static_assert(kDieRev + kU8 == kCompactHeaderSize);
static_assert(kCompactHeaderSize == 124);
static_assert(kCompactHeaderSize + kU8 == kPaddedHeaderSize);
static_assert(kPaddedHeaderSize == 125);

static_assert(kSequenceOrder == 0);
static_assert(kSequenceOrder + kI16 == kStepValue);
static_assert(kStepValue + kF32 == kFlagAutoCompen);
static_assert(kFlagAutoCompen + kI16 == kCoiningFlag);
static_assert(kCoiningFlag + kI16 == kBendLength);
static_assert(kBendLength + kI16 == kFlangeLength);
static_assert(kFlangeLength + kI32 == kBendAngle);
static_assert(kBendAngle + kF32 == kY1);
static_assert(kY1 + kF32 == kY2);
static_assert(kY2 + kF32 == kGauge1Y);
static_assert(kGauge1Y + kF32 == kGauge2Y);
static_assert(kGauge2Y + kF32 == kGauge1Z);
static_assert(kGauge1Z + kF32 == kGauge2Z);
static_assert(kGauge2Z + kF32 == kGauge1X);
static_assert(kGauge1X + kF32 == kGauge2X);
static_assert(kGauge2X + kF32 == kAuxFunc);
static_assert(kAuxFunc + kAuxFuncWidth == kFlagSheetMove);
static_assert(kFlagSheetMove + kI16 == kTonnageValue);
static_assert(kTonnageValue + kI16 == kReserved62);
static_assert(kReserved62 + kI16 == kStepReserved64);
static_assert(kStepReserved64 + kI16 == kODC);
static_assert(kODC + kI16 == kBendingSpeed);
static_assert(kBendingSpeed + kI16 == kReturnSpeed);
static_assert(kReturnSpeed + kI16 == kBGRetractFlag);
static_assert(kBGRetractFlag + kI16 == kCycleNo);
static_assert(kCycleNo + kI16 == kRetractStroke);
static_assert(kRetractStroke + kF32 == kDwellBG);
static_assert(kDwellBG + kF32 == kReserved84);
static_assert(kReserved84 + kI16 == kDwellEndBend);
static_assert(kDwellEndBend + kF32 == kReserved90);
static_assert(kReserved90 + kI16 == kReserved92);
static_assert(kReserved92 + kI16 == kBendNoBGPos);
static_assert(kBendNoBGPos + kI16 == kY1Compen);
static_assert(kY1Compen + kF32 == kY2Compen);
static_assert(kY2Compen + kF32 == kX1Compen);
static_assert(kX1Compen + kF32 == kX2Compen);
static_assert(kX2Compen + kF32 == kR1Compen);
static_assert(kR1Compen + kF32 == kR2Compen);
static_assert(kR2Compen + kF32 == kZ1Compen);
static_assert(kZ1Compen + kF32 == kZ2Compen);
static_assert(kZ2Compen + kF32 == kAngleCompen);
static_assert(kAngleCompen + kF32 == kReserved132);
static_assert(kReserved132 + kI32 == kPinchPointValue);
static_assert(kPinchPointValue + kF32 == kOffset);
static_assert(kOffset + kF32 == kCompactStepSize);
static_assert(kCompactStepSize == 144);
static_assert(kCompactStepSize + kU8 == kPaddedStepSize);
static_assert(kPaddedStepSize == 145);

std::string GetText(const uint8_t* p, size_t width) {
  return std::string(reinterpret_cast<const char*>(p), width);
}

}  // namespace

RecordLayout RecordLayoutForSelector(int selector) {
  return selector == 1 ? RecordLayout::kCompact : RecordLayout::kPadded;
}

void PutSpacePaddedText(uint8_t* field, std::string_view text, size_t width) {
  std::memset(field, 0, width);
  size_t n = std::min(text.size(), width);
  if (n > 0) std::memcpy(field, text.data(), n);
  for (size_t i = 0; i < width; ++i)
    if (field[i] == 0) field[i] = ' ';
}

std::array<uint8_t, kAuxFuncWidth> AuxFuncBytes(std::string_view text) {
  std::array<uint8_t, kAuxFuncWidth> bytes{};
  size_t n = std::min(text.size(), kAuxFuncWidth);
  if (n > 0) std::memcpy(bytes.data(), text.data(), n);
  return bytes;
}

char RevByte(std::string_view text) { return text.empty() ? 0 : text[0]; }

CreationDateBytes ParseCreationDate(std::string_view text) {
  auto pair = [text](size_t at) -> uint8_t {
    if (at >= text.size()) return 0;
    // At most two digits: the value is 0..99 and fits the byte.
    return static_cast<uint8_t>(LeadingDigitsValue(text.substr(at, 2)));
  };
  CreationDateBytes d;
  d.month = pair(0);
  d.day = pair(3);
  d.year = pair(6);
  return d;
}

RecordHeaderBytes EncodeRecordFileHeader(const RecordFileHeader& h) {
  RecordHeaderBytes b{};
  uint8_t* p = b.data();
  PutSpacePaddedText(p + kProgramName, h.ProgramName, kProgramNameWidth);
  PutSpacePaddedText(p + kPartReference, h.PartReference, kPartReferenceWidth);
  PutF32(p + kHeaderThickness, h.HeaderThickness);
  PutSpacePaddedText(p + kMaterialName, h.MaterialName, kMaterialNameWidth);
  PutI16(p + kHardness, h.Hardness);
  PutI32(p + kReserved31, h.Reserved31);
  PutSpacePaddedText(p + kPunchTargetName, h.PunchTargetName, kTargetNameWidth);
  PutSpacePaddedText(p + kDieTargetName, h.DieTargetName, kTargetNameWidth);
  PutSpacePaddedText(p + kDieHolderTargetName, h.DieHolderTargetName,
                     kTargetNameWidth);
  PutSpacePaddedText(p + kSpacerTargetName, h.SpacerTargetName,
                     kTargetNameWidth);
  PutI16(p + kRecordCount, h.RecordCount);
  PutU8(p + kCreationYear, h.CreationYear);
  PutU8(p + kCreationMonth, h.CreationMonth);
  PutU8(p + kCreationDay, h.CreationDay);
  PutU8(p + kReserved64, h.Reserved64);
  PutI32(p + kReserved65, h.Reserved65);
  PutI16(p + kReserved69, h.Reserved69);
  PutI16(p + kConstant71, h.Constant71);
  PutI16(p + kMaterialNumber, h.MaterialNumber);
  for (size_t i = 0; i < kReserved75Count; ++i)
    PutI32(p + kReserved75 + 4 * i, h.Reserved75[i]);
  PutI16(p + kNamePrefixDigit, h.NamePrefixDigit);
  PutI32(p + kReserved117, h.Reserved117);
  PutU8(p + kPunchRev, static_cast<uint8_t>(h.PunchRev));
  PutU8(p + kDieHolderRev, static_cast<uint8_t>(h.DieHolderRev));
  PutU8(p + kDieRev, static_cast<uint8_t>(h.DieRev));
  // The filler at 124 stays 0.
  return b;
}

RecordStepBytes EncodeRecordFileStep(const RecordFileStep& s) {
  RecordStepBytes b{};
  uint8_t* p = b.data();
  PutI16(p + kSequenceOrder, s.SequenceOrder);
  PutF32(p + kStepValue, s.StepValue);
  PutI16(p + kFlagAutoCompen, s.FlagAutoCompen);
  PutI16(p + kCoiningFlag, s.CoiningFlag);
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
  std::memcpy(p + kAuxFunc, s.AuxFunc.data(), kAuxFuncWidth);
  PutI16(p + kFlagSheetMove, s.FlagSheetMove);
  PutI16(p + kTonnageValue, s.TonnageValue);
  PutI16(p + kReserved62, s.Reserved62);
  PutI16(p + kStepReserved64, s.Reserved64);
  PutI16(p + kODC, s.ODC);
  PutI16(p + kBendingSpeed, s.BendingSpeed);
  PutI16(p + kReturnSpeed, s.ReturnSpeed);
  PutI16(p + kBGRetractFlag, s.BGRetractFlag);
  PutI16(p + kCycleNo, s.CycleNo);
  PutF32(p + kRetractStroke, s.RetractStroke);
  PutF32(p + kDwellBG, s.DwellBG);
  PutI16(p + kReserved84, s.Reserved84);
  PutF32(p + kDwellEndBend, s.DwellEndBend);
  PutI16(p + kReserved90, s.Reserved90);
  PutI16(p + kReserved92, s.Reserved92);
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
  PutI32(p + kReserved132, s.Reserved132);
  PutF32(p + kPinchPointValue, s.PinchPointValue);
  PutF32(p + kOffset, s.Offset);
  // The filler at 144 stays 0.
  return b;
}

std::string EncodeRecordFile(const RecordFileHeader& header,
                             const std::vector<RecordFileStep>& steps) {
  std::string out;
  out.reserve(kPaddedHeaderSize + steps.size() * kPaddedStepSize);
  RecordHeaderBytes h = EncodeRecordFileHeader(header);
  out.append(reinterpret_cast<const char*>(h.data()), h.size());
  for (const RecordFileStep& step : steps) {
    RecordStepBytes s = EncodeRecordFileStep(step);
    out.append(reinterpret_cast<const char*>(s.data()), s.size());
  }
  return out;
}

RecordFileHeader DecodeRecordFileHeader(const uint8_t* p) {
  RecordFileHeader h;
  h.ProgramName = GetText(p + kProgramName, kProgramNameWidth);
  h.PartReference = std::string(
      TrimRightView(GetText(p + kPartReference, kPartReferenceWidth)));
  h.HeaderThickness = GetF32(p + kHeaderThickness);
  h.MaterialName = GetText(p + kMaterialName, kMaterialNameWidth);
  h.Hardness = GetI16(p + kHardness);
  h.Reserved31 = GetI32(p + kReserved31);
  h.PunchTargetName = GetText(p + kPunchTargetName, kTargetNameWidth);
  h.DieTargetName = GetText(p + kDieTargetName, kTargetNameWidth);
  h.DieHolderTargetName = GetText(p + kDieHolderTargetName, kTargetNameWidth);
  h.SpacerTargetName = GetText(p + kSpacerTargetName, kTargetNameWidth);
  h.RecordCount = GetI16(p + kRecordCount);
  h.CreationYear = GetU8(p + kCreationYear);
  h.CreationMonth = GetU8(p + kCreationMonth);
  h.CreationDay = GetU8(p + kCreationDay);
  h.Reserved64 = GetU8(p + kReserved64);
  h.Reserved65 = GetI32(p + kReserved65);
  h.Reserved69 = GetI16(p + kReserved69);
  h.Constant71 = GetI16(p + kConstant71);
  h.MaterialNumber = GetI16(p + kMaterialNumber);
  for (size_t i = 0; i < kReserved75Count; ++i)
    h.Reserved75[i] = GetI32(p + kReserved75 + 4 * i);
  h.NamePrefixDigit = GetI16(p + kNamePrefixDigit);
  h.Reserved117 = GetI32(p + kReserved117);
  h.PunchRev = static_cast<char>(GetU8(p + kPunchRev));
  h.DieHolderRev = static_cast<char>(GetU8(p + kDieHolderRev));
  h.DieRev = static_cast<char>(GetU8(p + kDieRev));
  return h;
}

RecordFileStep DecodeRecordFileStep(const uint8_t* p, int layout_selector) {
  RecordFileStep s;
  s.LayoutSelector = layout_selector;
  s.SequenceOrder = GetI16(p + kSequenceOrder);
  s.StepValue = GetF32(p + kStepValue);
  s.FlagAutoCompen = GetI16(p + kFlagAutoCompen);
  s.CoiningFlag = GetI16(p + kCoiningFlag);
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
  std::memcpy(s.AuxFunc.data(), p + kAuxFunc, kAuxFuncWidth);
  s.FlagSheetMove = GetI16(p + kFlagSheetMove);
  s.TonnageValue = GetI16(p + kTonnageValue);
  s.Reserved62 = GetI16(p + kReserved62);
  s.Reserved64 = GetI16(p + kStepReserved64);
  s.ODC = GetI16(p + kODC);
  s.BendingSpeed = GetI16(p + kBendingSpeed);
  s.ReturnSpeed = GetI16(p + kReturnSpeed);
  s.BGRetractFlag = GetI16(p + kBGRetractFlag);
  s.CycleNo = GetI16(p + kCycleNo);
  s.RetractStroke = GetF32(p + kRetractStroke);
  s.DwellBG = GetF32(p + kDwellBG);
  s.Reserved84 = GetI16(p + kReserved84);
  s.DwellEndBend = GetF32(p + kDwellEndBend);
  s.Reserved90 = GetI16(p + kReserved90);
  s.Reserved92 = GetI16(p + kReserved92);
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
  s.Reserved132 = GetI32(p + kReserved132);
  s.PinchPointValue = GetF32(p + kPinchPointValue);
  s.Offset = GetF32(p + kOffset);
  return s;
}

// --- RecordFileReader ---

RecordFileReader::RecordFileReader(File* file, int layout_selector)
    : file_(file),
      selector_(layout_selector),
      layout_(RecordLayoutForSelector(layout_selector)) {}

Status RecordFileReader::ReadAt(uint64_t offset, uint8_t* data, size_t size) {
  if (file_ == nullptr) return Status::Error("no record file is open");
  Status s = file_->Seek(offset);
  if (!s.ok()) return s;
  size_t got = 0;
  s = file_->Read(data, size, &got);
  if (!s.ok()) return s;
  if (got != size)
    return Status::Error(
        "the record file is cut short: " + std::to_string(size) +
        " bytes wanted at offset " + std::to_string(offset) + ", " +
        std::to_string(got) + " there");
  return Status::OK();
}

Status RecordFileReader::ReadRecordCount(int16_t* record_count) {
  uint8_t b[2];
  Status s = ReadAt(kRecordCount, b, sizeof b);
  if (!s.ok()) return s;
  record_count_ = GetI16(b);
  have_count_ = true;
  *record_count = record_count_;
  return Status::OK();
}

Status RecordFileReader::ReadHeader(RecordFileHeader* header) {
  uint8_t b[kPaddedHeaderSize];
  Status s = ReadAt(0, b, HeaderSize(layout_));
  if (!s.ok()) return s;
  *header = DecodeRecordFileHeader(b);
  return Status::OK();
}

Status RecordFileReader::ReadStep(int k, RecordFileStep* step) {
  if (k < 0)
    return Status::Error("record " + std::to_string(k) + " does not exist");
  if (!have_count_) {
    int16_t count = 0;
    Status s = ReadRecordCount(&count);
    if (!s.ok()) return s;
  }
  if (k >= static_cast<int>(record_count_) - 1)
    return Status::Error("record " + std::to_string(k) +
                         " is not a step of a file with RecordCount " +
                         std::to_string(record_count_));
  uint8_t b[kPaddedStepSize];
  Status s = ReadAt(StepOffset(layout_, k), b, StepSize(layout_));
  if (!s.ok()) return s;
  *step = DecodeRecordFileStep(b, selector_);
  return Status::OK();
}

}  // namespace bendpost
