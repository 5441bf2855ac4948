#include "formats/control_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/le_bytes.h"

namespace bendpost {

using namespace control_file;

namespace {

uint8_t IsOne(char c) { return c == '1' ? 1 : 0; }

std::string AuxFuncText(const RecordFileStep& record) {
  return BoundedText(
      std::string_view(reinterpret_cast<const char*>(record.AuxFunc.data()),
                       record.AuxFunc.size()),
      record_file::kAuxFuncWidth);
}

}  // namespace

std::string BoundedText(std::string_view text, size_t max_chars) {
  return std::string(fields::BoundedView(text, max_chars));
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

void EncodeControlFileHeader(const ControlFileHeader& header, uint8_t* block) {
  std::memset(block, 0, kHeaderSize);
  fields::EncodeFields<kHeaderFields>(header, block);
}

void EncodeControlFileStep(const ControlFileStep& step, uint8_t* block) {
  std::memset(block, 0, kStepSize);
  fields::EncodeFields<kStepFields>(step, block);
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
  std::vector<std::string>* list;
  void Add(const std::string& what) { list->push_back(what); }
};

Status CorruptionStatus(const std::vector<std::string>& problems) {
  if (problems.empty()) return Status::OK();
  std::string text;
  for (const std::string& p : problems) {
    if (!text.empty()) text += "; ";
    text += p;
  }
  return Status::Error("corrupt control file: " + text);
}

// Decodes a block; a text without its terminating 0 byte is a problem,
// named `prefix` + the field's name and reported at its file offset.
template <typename Table, typename Block>
void DecodeBlock(const Table& table, const uint8_t* block, size_t file_offset,
                 const std::string& prefix, Block* out, Problems* problems) {
  fields::DecodeFields(table, block, out, [&](const auto& field) {
    problems->Add(prefix + std::string(field.name) + " at offset " +
                  std::to_string(file_offset + field.offset) +
                  " has no terminating 0 byte");
  });
}

// Compared with a zero block rather than byte by byte: the 24 unused slots
// of a one-step file are 11,808 bytes, checked for every file a folder
// listing decodes.
bool AllZero(const uint8_t* p, size_t size) {
  static constexpr uint8_t kZero[kStepSize] = {};
  return size <= kStepSize && std::memcmp(p, kZero, size) == 0;
}

// A block written by the encoder is the encoding of its own fields; any other
// byte (in a gap, after a text's terminating 0, or the last byte of a text
// that has none) is reported by the file offset of the first one and the
// field that holds it, if any.
template <typename Table>
void CheckCanonical(const Table& table, const uint8_t* block,
                    const uint8_t* encoded, size_t size, size_t file_offset,
                    const std::string& what, Problems* problems) {
  for (size_t i = 0; i < size; ++i) {
    if (block[i] != encoded[i]) {
      problems->Add(what + ": unexpected byte " + std::to_string(block[i]) +
                    " at offset " + std::to_string(file_offset + i) + " (" +
                    fields::WhereInBlock(table, i) + ")");
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
  Problems problems{&out->problems};
  DecodeBlock(kHeaderFields, p, 0, "", &out->header, &problems);
  const ControlFileHeader& h = out->header;
  uint8_t encoded[kStepSize];
  static_assert(kStepSize >= kHeaderSize);
  EncodeControlFileHeader(h, encoded);
  CheckCanonical(kHeaderFields, p, encoded, kHeaderSize, 0, "header",
                 &problems);
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
      ControlFileStep& s = out->steps.emplace_back();
      DecodeBlock(kStepFields, slot, SlotOffset(k),
                  "slot " + std::to_string(k) + " ", &s, &problems);
      EncodeControlFileStep(s, encoded);
      CheckCanonical(kStepFields, slot, encoded, kStepSize, SlotOffset(k),
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
  return CorruptionStatus(out->problems);
}

}  // namespace bendpost
