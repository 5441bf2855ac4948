// The readable listing of a record file (DumpRecordFile in record_file.h).
#include <string>

#include "formats/dump_text.h"
#include "formats/record_file.h"

namespace bendpost {

using namespace record_file;
using dump::Float;
using dump::Int;
using dump::Line;
using dump::Quote;

namespace {

const char* LayoutName(RecordLayout layout) {
  return layout == RecordLayout::kCompact ? "compact" : "padded";
}

std::string Byte(uint8_t b) { return Int(b); }

std::string RevText(char c) {
  return Quote(std::string_view(&c, 1)) + " (" +
         Int(static_cast<unsigned char>(c)) + ")";
}

void DumpHeader(std::string* out, const uint8_t* p) {
  RecordFileHeader h = DecodeRecordFileHeader(p);
  const char* raw = reinterpret_cast<const char*>(p);
  Line(out, kProgramName, "ProgramName", Quote(h.ProgramName));
  Line(out, kPartReference, "PartReference",
       Quote(std::string_view(raw + kPartReference, kPartReferenceWidth)));
  Line(out, kHeaderThickness, "HeaderThickness", Float(h.HeaderThickness));
  Line(out, kMaterialName, "MaterialName", Quote(h.MaterialName));
  Line(out, kHardness, "Hardness", Int(h.Hardness));
  Line(out, kReserved31, "reserved", Int(h.Reserved31));
  Line(out, kPunchTargetName, "PunchTargetName", Quote(h.PunchTargetName));
  Line(out, kDieTargetName, "DieTargetName", Quote(h.DieTargetName));
  Line(out, kDieHolderTargetName, "DieHolderTargetName",
       Quote(h.DieHolderTargetName));
  Line(out, kSpacerTargetName, "SpacerTargetName", Quote(h.SpacerTargetName));
  Line(out, kRecordCount, "RecordCount", Int(h.RecordCount));
  Line(out, kCreationYear, "CreationDate year", Byte(h.CreationYear));
  Line(out, kCreationMonth, "CreationDate month", Byte(h.CreationMonth));
  Line(out, kCreationDay, "CreationDate day", Byte(h.CreationDay));
  Line(out, kReserved64, "reserved", Byte(h.Reserved64));
  Line(out, kReserved65, "reserved", Int(h.Reserved65));
  Line(out, kReserved69, "reserved", Int(h.Reserved69));
  Line(out, kConstant71, "constant", Int(h.Constant71));
  Line(out, kMaterialNumber, "MaterialNumber", Int(h.MaterialNumber));
  for (size_t i = 0; i < kReserved75Count; ++i)
    Line(out, kReserved75 + 4 * i, "reserved", Int(h.Reserved75[i]));
  Line(out, kNamePrefixDigit, "NamePrefixDigit", Int(h.NamePrefixDigit));
  Line(out, kReserved117, "reserved", Int(h.Reserved117));
  Line(out, kPunchRev, "PunchRev", RevText(h.PunchRev));
  Line(out, kDieHolderRev, "DieHolderRev", RevText(h.DieHolderRev));
  Line(out, kDieRev, "DieRev", RevText(h.DieRev));
}

void DumpStep(std::string* out, const uint8_t* p) {
  RecordFileStep s = DecodeRecordFileStep(p, 0);
  Line(out, kSequenceOrder, "SequenceOrder", Int(s.SequenceOrder));
  Line(out, kStepValue, "StepValue", Float(s.StepValue));
  Line(out, kFlagAutoCompen, "FlagAutoCompen", Int(s.FlagAutoCompen));
  Line(out, kCoiningFlag, "CoiningFlag", Int(s.CoiningFlag));
  Line(out, kBendLength, "BendLength", Int(s.BendLength));
  Line(out, kFlangeLength, "FlangeLength", Int(s.FlangeLength));
  Line(out, kBendAngle, "BendAngle", Float(s.BendAngle));
  Line(out, kY1, "Y1", Float(s.Y1));
  Line(out, kY2, "Y2", Float(s.Y2));
  Line(out, kGauge1Y, "Gauge1Y", Float(s.Gauge1Y));
  Line(out, kGauge2Y, "Gauge2Y", Float(s.Gauge2Y));
  Line(out, kGauge1Z, "Gauge1Z", Float(s.Gauge1Z));
  Line(out, kGauge2Z, "Gauge2Z", Float(s.Gauge2Z));
  Line(out, kGauge1X, "Gauge1X", Float(s.Gauge1X));
  Line(out, kGauge2X, "Gauge2X", Float(s.Gauge2X));
  Line(out, kAuxFunc, "AuxFunc",
       Quote(std::string_view(reinterpret_cast<const char*>(s.AuxFunc.data()),
                              s.AuxFunc.size())));
  Line(out, kFlagSheetMove, "FlagSheetMove", Int(s.FlagSheetMove));
  Line(out, kTonnageValue, "TonnageValue", Int(s.TonnageValue));
  Line(out, kReserved62, "reserved", Int(s.Reserved62));
  Line(out, kStepReserved64, "reserved", Int(s.Reserved64));
  Line(out, kODC, "ODC", Int(s.ODC));
  Line(out, kBendingSpeed, "BendingSpeed", Int(s.BendingSpeed));
  Line(out, kReturnSpeed, "ReturnSpeed", Int(s.ReturnSpeed));
  Line(out, kBGRetractFlag, "BGRetractFlag", Int(s.BGRetractFlag));
  Line(out, kCycleNo, "CycleNo", Int(s.CycleNo));
  Line(out, kRetractStroke, "RetractStroke", Float(s.RetractStroke));
  Line(out, kDwellBG, "DwellBG", Float(s.DwellBG));
  Line(out, kReserved84, "reserved", Int(s.Reserved84));
  Line(out, kDwellEndBend, "DwellEndBend", Float(s.DwellEndBend));
  Line(out, kReserved90, "reserved", Int(s.Reserved90));
  Line(out, kReserved92, "reserved", Int(s.Reserved92));
  Line(out, kBendNoBGPos, "BendNoBGPos", Int(s.BendNoBGPos));
  Line(out, kY1Compen, "Y1Compen", Float(s.Y1Compen));
  Line(out, kY2Compen, "Y2Compen", Float(s.Y2Compen));
  Line(out, kX1Compen, "X1Compen", Float(s.X1Compen));
  Line(out, kX2Compen, "X2Compen", Float(s.X2Compen));
  Line(out, kR1Compen, "R1Compen", Float(s.R1Compen));
  Line(out, kR2Compen, "R2Compen", Float(s.R2Compen));
  Line(out, kZ1Compen, "Z1Compen", Float(s.Z1Compen));
  Line(out, kZ2Compen, "Z2Compen", Float(s.Z2Compen));
  Line(out, kAngleCompen, "AngleCompen", Float(s.AngleCompen));
  Line(out, kReserved132, "reserved", Int(s.Reserved132));
  Line(out, kPinchPointValue, "PinchPointValue", Float(s.PinchPointValue));
  Line(out, kOffset, "Offset", Float(s.Offset));
}

}  // namespace

std::string DumpRecordFile(std::string_view bytes, RecordLayout layout) {
  const size_t header_size = HeaderSize(layout);
  const size_t step_size = StepSize(layout);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  std::string out = "record file, " + std::string(LayoutName(layout)) +
                    " layout (header " + Int(header_size) + ", records " +
                    Int(step_size) + "), " + Int(bytes.size()) + " bytes\n";
  if (bytes.size() < header_size) {
    out += "cut short: the header needs " + Int(header_size) + " bytes\n";
    return out;
  }
  out += "header at 0\n";
  DumpHeader(&out, p);
  int record_count = DecodeRecordFileHeader(p).RecordCount;
  if (record_count < 0) {
    out += "RecordCount is negative: no records\n";
    return out;
  }
  size_t at = header_size;
  for (int k = 0; k < record_count; ++k) {
    if (bytes.size() - at < step_size) {
      out += "record " + Int(k) + " at " + Int(at) + ": cut short, " +
             Int(bytes.size() - at) + " of " + Int(step_size) + " bytes\n";
      return out;
    }
    out += "record " + Int(k) + " at " + Int(at);
    if (k == record_count - 1) out += " (final default record, never read)";
    out += "\n";
    DumpStep(&out, p + at);
    at += step_size;
  }
  if (at < bytes.size())
    out += Int(bytes.size() - at) + " bytes after the last record\n";
  return out;
}

}  // namespace bendpost
