// The record file writer (record_file_writer.h).
//
// What the writer adds to the plain encoding:
//   - the header's thickness and hardness are converted to their
//     millimetre form in place first, so the calculation works in
//     millimetres (inch: thickness cut to 3 decimals x 25.4, hardness
//     x 1000/1446; millimetre: thickness cut to 2 decimals);
//   - bend type 3 (a bend made in CycleNo hits) gets the StepValue negated
//     (cut to whole millimetres in a millimetre job; in an inch job the
//     step's setter already made it millimetres, so it is only negated) and
//     the angle of one hit; a CycleNo of 0 or less counts as one hit;
//   - the back-gauge finger positions come from elements 0 and 1 of the
//     step's XX, YY and ZZ, finger 1's X with its sign inverted (inch: cut
//     to 4 decimals x 25.4; millimetre: cut to 3 decimals).
// The file is created (an existing one is emptied) before any step is
// calculated, then written whole in one piece. Any failure after the file
// was opened deletes it: a partly written record file is never left to be
// converted.
#include "generation/record_file_writer.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

#include "base/numeric.h"
#include "base/units.h"
#include "formats/record_file.h"
#include "generation/bend_calculation_driver.h"
#include "platform/file.h"
#include "records/truncate_decimals.h"
#include "resources/strings.h"

namespace bendpost {
namespace {

constexpr int kBendTypeMultiHit = 3;

// One gauge coordinate in millimetres, as the record holds it.
float GaugeCoordinate(double value, bool inch) {
  const float narrowed = static_cast<float>(value);
  if (inch) {
    return static_cast<float>(TruncateDecimals(narrowed, 4) *
                              kMillimetresPerInch);
  }
  return static_cast<float>(TruncateDecimals(narrowed, 3));
}

// The positions of back-gauge fingers 1 and 2 (elements 0 and 1 of the
// step's XX, YY, ZZ). Finger 1's X is measured the other way.
void GaugeFingerPositions(const CPPStepInfo& step, bool inch,
                          RecordFileStep& record) {
  double xx[4] = {};
  double yy[4] = {};
  double zz[4] = {};
  step.GetXX(xx);
  step.GetYY(yy);
  step.GetZZ(zz);
  record.Gauge1Y = GaugeCoordinate(yy[0], inch);
  record.Gauge2Y = GaugeCoordinate(yy[1], inch);
  record.Gauge1Z = GaugeCoordinate(zz[0], inch);
  record.Gauge2Z = GaugeCoordinate(zz[1], inch);
  record.Gauge1X = GaugeCoordinate(-static_cast<float>(xx[0]), inch);
  record.Gauge2X = GaugeCoordinate(xx[1], inch);
}

RecordFileHeader HeaderOf(const ProgramHeader& d) {
  RecordFileHeader h;
  h.ProgramName = d.ProgramName.str();
  h.PartReference = d.PartReference.str();
  h.HeaderThickness = d.HeaderThickness;
  h.MaterialName = d.MaterialName.str();
  h.Hardness = TruncToInt16Bits(static_cast<double>(d.Hardness) + 0.5);
  h.PunchTargetName = d.PunchTargetName.str();
  h.DieTargetName = d.DieTargetName.str();
  h.DieHolderTargetName = d.DieHolderTargetName.str();
  h.SpacerTargetName = d.SpacerTargetName.str();
  h.RecordCount = d.RecordCount;
  const CreationDateBytes date = ParseCreationDate(d.CreationDate.str());
  h.CreationYear = date.year;
  h.CreationMonth = date.month;
  h.CreationDay = date.day;
  h.Reserved65 = d.HeaderReserved1;
  h.Reserved69 = d.HeaderReserved2;
  h.Constant71 = d.HeaderConstant;
  h.MaterialNumber = d.MaterialNumber;
  for (size_t i = 0; i < h.Reserved75.size(); ++i)
    h.Reserved75[i] = d.HeaderReservedBlock[i];
  h.NamePrefixDigit = d.NamePrefixDigit;
  h.Reserved117 = d.HeaderReserved3;
  h.PunchRev = RevByte(d.PunchRev.str());
  h.DieHolderRev = RevByte(d.DieHolderRev.str());
  h.DieRev = RevByte(d.DieRev.str());
  return h;
}

// The record of `step` after its bend data were calculated. The step
// itself is not changed.
RecordFileStep RecordOf(CPPStepInfo& step, bool inch) {
  RecordFileStep r;
  r.SequenceOrder = step.GetSequenceOrder();
  r.StepValue = step.GetStepValue();
  r.BendAngle = step.GetBendAngle();
  if (step.GetBendType() == kBendTypeMultiHit) {
    const float negated = -r.StepValue;
    r.StepValue =
        inch ? negated : static_cast<float>(TruncateDecimals(negated, 0));
    const int cycles = step.GetCycleNo() > 0 ? step.GetCycleNo() : 1;
    const float one_hit = static_cast<float>(
        180.0 - (180.0 - static_cast<double>(r.BendAngle)) / cycles);
    r.BendAngle = static_cast<float>(TruncateDecimals(one_hit, 1));
  }
  r.FlagAutoCompen = step.GetFlagAutoCompen();
  r.CoiningFlag = step.GetCoiningFlag();
  r.BendLength = step.GetBendLength();
  r.FlangeLength = TruncToInt32(step.GetFlangeLength());
  r.Y1 = step.GetY1();
  r.Y2 = step.GetY2();
  GaugeFingerPositions(step, inch, r);
  r.AuxFunc = AuxFuncBytes(step.GetAuxFunc().str());
  r.FlagSheetMove = step.GetFlagSheetMove();
  r.TonnageValue = TruncToInt16Bits(step.GetTonnageValue());
  r.ODC = step.GetODC();
  r.BendingSpeed = step.GetBendingSpeed();
  r.ReturnSpeed = step.GetReturnSpeed();
  r.BGRetractFlag = step.GetBGRetractFlag();
  r.CycleNo = step.GetCycleNo();
  r.RetractStroke = step.GetRetractStroke();
  r.DwellBG = step.GetDwellBG();
  r.DwellEndBend = step.GetDwellEndBend();
  r.BendNoBGPos = step.GetBendNoBGPos();
  r.Y1Compen = step.GetY1Compen();
  r.Y2Compen = step.GetY2Compen();
  r.X1Compen = step.GetX1Compen();
  r.X2Compen = step.GetX2Compen();
  r.R1Compen = step.GetR1Compen();
  r.R2Compen = step.GetR2Compen();
  r.Z1Compen = step.GetZ1Compen();
  r.Z2Compen = step.GetZ2Compen();
  r.AngleCompen = step.GetAngleCompen();
  r.PinchPointValue = step.GetPinchPointValue();
  r.Offset = step.GetOffset();
  return r;
}

// Writes the header and every record; the steps of the program (all but
// the final default step) with Mode 0 are calculated first, in order, each
// just before its record is encoded. The file is encoded whole in memory
// and written in one piece.
Status WriteContents(const ProgramHeader& program, CArray<CPPStepInfo>& steps,
                     const JobContext& context, File& file) {
  using namespace record_file;
  const bool inch = IsInchUnit(program.Unit);
  const int count = program.RecordCount;

  std::string bytes(
      static_cast<size_t>(StepOffset(RecordLayout::kPadded, count)), '\0');
  const RecordHeaderBytes header = EncodeRecordFileHeader(HeaderOf(program));
  std::copy(header.begin(), header.end(), bytes.begin());
  for (int k = 0; k < count; ++k) {
    CPPStepInfo& step = steps[k];
    if (CalculatesStep(step, k, count - 1)) {
      CalculateBendData(program, context, program.Setup, step);
    }
    const RecordStepBytes record = EncodeRecordFileStep(RecordOf(step, inch));
    std::copy(record.begin(), record.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(
                                  StepOffset(RecordLayout::kPadded, k)));
  }
  return file.Write(bytes.data(), bytes.size());
}

// The header values as the record file holds them: target names without
// surrounding white space, thickness and hardness in millimetre form.
void PrepareHeader(ProgramHeader& h) {
  for (CString* name : {&h.PunchTargetName, &h.DieTargetName,
                        &h.DieHolderTargetName, &h.SpacerTargetName}) {
    name->TrimRight();
    name->TrimLeft();
  }
  if (IsInchUnit(h.Unit)) {
    h.HeaderThickness = static_cast<float>(
        TruncateDecimals(h.HeaderThickness, 3) * kMillimetresPerInch);
    h.Hardness = static_cast<float>(h.Hardness * kInchHardnessToControl);
  } else {
    h.HeaderThickness =
        static_cast<float>(TruncateDecimals(h.HeaderThickness, 2));
  }
}

}  // namespace

bool CalculatesStep(const CPPStepInfo& step, int index, int step_count) {
  return index < step_count && step.GetMode() == 0;
}

Status WriteRecordFile(ProgramHeader& header, CArray<CPPStepInfo>& steps,
                       const JobContext& context) {
  return WriteRecordFile(header, steps, context, header.FileName.str());
}

Status WriteRecordFile(ProgramHeader& header, CArray<CPPStepInfo>& steps,
                       const JobContext& context, const std::string& path) {
  // The list must hold the RecordCount records the header announces.
  if (header.RecordCount < 1 || header.RecordCount != steps.GetSize()) {
    return Status::Error(
        "the program's step list holds " + std::to_string(steps.GetSize()) +
        " records, its header " + std::to_string(header.RecordCount));
  }
  PrepareHeader(header);

  FileSystem& files = context.files;
  std::unique_ptr<File> file;
  Status s = files.Create(path, &file);
  if (!s.ok()) {
    context.ui.ShowMessage(LoadString(strings::kOpenFileFails),
                           MessageIcon::kNone);
    return Status::Error("cannot open the record file " + path + ": " +
                         s.message());
  }
  try {
    s = WriteContents(header, steps, context, *file);
  } catch (...) {
    // The exception is what is reported; the clean-up may fail as well.
    (void)file->Close();
    (void)files.Remove(path);
    throw;
  }
  if (s.ok()) {
    s = file->Close();
  } else {
    (void)file->Close();  // already failed; `s` says why
  }
  if (!s.ok()) {
    (void)files.Remove(path);  // the failure is `s`
    return Status::Error("writing the record file " + path +
                         " failed: " + s.message());
  }
  return Status::OK();
}

}  // namespace bendpost
