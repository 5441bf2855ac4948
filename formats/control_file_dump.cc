// The readable listing of a control file (DumpControlFile in control_file.h).
#include <string>

#include "formats/control_file.h"
#include "formats/dump_text.h"

namespace bendpost {

using namespace control_file;
using dump::Float;
using dump::Int;
using dump::Line;
using dump::Quote;

namespace {

void DumpHeader(std::string* out, const ControlFileHeader& h) {
  Line(out, kHeaderKind, "block kind", Int(h.BlockKind));
  Line(out, kHeaderBlockSize, "block size", Int(h.BlockSize));
  Line(out, kProgramName, "ProgramName", Quote(h.ProgramName));
  Line(out, kPartReference, "PartReference", Quote(h.PartReference));
  Line(out, kHeaderThickness, "HeaderThickness", Float(h.HeaderThickness));
  Line(out, kMaterialName, "MaterialName", Quote(h.MaterialName));
  Line(out, kHardness, "Hardness", Int(h.Hardness));
  Line(out, kPunchTargetName, "PunchTargetName", Quote(h.PunchTargetName));
  Line(out, kDieTargetName, "DieTargetName", Quote(h.DieTargetName));
  Line(out, kDieHolderTargetName, "DieHolderTargetName",
       Quote(h.DieHolderTargetName));
  Line(out, kSpacerTargetName, "SpacerTargetName", Quote(h.SpacerTargetName));
  Line(out, kStepCount, "StepCount", Int(h.StepCount));
  Line(out, kCreationStamp, "CreationStamp", Int(h.CreationStamp));
  Line(out, kReserved84, "reserved", Int(h.Reserved84));
  Line(out, kReserved88, "reserved", Int(h.Reserved88));
  Line(out, kConstant90, "constant", Int(h.Constant90));
  Line(out, kMaterialNumber, "MaterialNumber", Int(h.MaterialNumber));
  for (size_t i = 0; i < kReserved96Count; ++i)
    Line(out, kReserved96 + 4 * i, "reserved", Int(h.Reserved96[i]));
  Line(out, kNamePrefixDigit, "NamePrefixDigit", Int(h.NamePrefixDigit));
  Line(out, kPunchReversed, "punch reversed", Int(h.PunchReversed));
  Line(out, kDieHolderReversed, "die holder reversed",
       Int(h.DieHolderReversed));
  Line(out, kDieReversed, "die reversed", Int(h.DieReversed));
}

void DumpStep(std::string* out, const ControlFileStep& s) {
  Line(out, kStepKind, "block kind", Int(s.BlockKind));
  Line(out, kStepBlockSize, "block size", Int(s.BlockSize));
  Line(out, kSequenceOrder, "SequenceOrder", Int(s.SequenceOrder));
  Line(out, kStepValue, "StepValue", Float(s.StepValue));
  Line(out, kFlagAutoCompen, "FlagAutoCompen", Int(s.FlagAutoCompen));
  Line(out, kCoining, "coining", Int(s.Coining));
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
  Line(out, kReserved60, "reserved", Float(s.Reserved60));
  Line(out, kReserved64, "reserved", Float(s.Reserved64));
  Line(out, kAuxFunc, "AuxFunc", Quote(s.AuxFunc));
  Line(out, kFlagSheetMove, "FlagSheetMove", Int(s.FlagSheetMove));
  Line(out, kTonnageValue, "TonnageValue", Float(s.TonnageValue));
  Line(out, kODC, "ODC", Int(s.ODC));
  Line(out, kBendingSpeed, "BendingSpeed", Int(s.BendingSpeed));
  Line(out, kReturnSpeed, "ReturnSpeed", Int(s.ReturnSpeed));
  Line(out, kBGRetractFlag, "BGRetractFlag", Int(s.BGRetractFlag));
  Line(out, kCycleNo, "CycleNo", Int(s.CycleNo));
  Line(out, kRetractStroke, "RetractStroke", Float(s.RetractStroke));
  Line(out, kDwellBG, "DwellBG", Float(s.DwellBG));
  Line(out, kDwellEndBend, "DwellEndBend", Float(s.DwellEndBend));
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
  Line(out, kPinchPointValue, "PinchPointValue", Float(s.PinchPointValue));
  Line(out, kOffset, "Offset", Float(s.Offset));
}

}  // namespace

std::string DumpControlFile(std::string_view bytes) {
  std::string out = "control file, " + Int(bytes.size()) + " bytes\n";
  DecodedControlFile file;
  Status s = DecodeControlFile(bytes, &file);
  if (bytes.size() != kFileSize) {
    out += s.message() + "\n";
    return out;
  }
  out += "header at 0\n";
  DumpHeader(&out, file.header);
  for (size_t k = 0; k < file.steps.size(); ++k) {
    out += "slot " + Int(k) + " at " + Int(SlotOffset(k)) + "\n";
    DumpStep(&out, file.steps[k]);
  }
  size_t unused = kStepSlots - file.steps.size();
  if (unused > 0)
    out += "slots " + Int(file.steps.size()) + " to " + Int(kStepSlots - 1) +
           " unused\n";
  if (!s.ok()) out += s.message() + "\n";
  return out;
}

}  // namespace bendpost
