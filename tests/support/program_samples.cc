#include "support/program_samples.h"

namespace bendpost {
namespace test_support {

RecordFileStep DefaultRecordStep() {
  RecordFileStep s;
  s.ODC = 251;
  s.BendingSpeed = 8;
  s.DwellEndBend = 0.2f;
  s.AuxFunc = AuxFuncBytes("000000");
  return s;
}

namespace {

RecordFileHeader BaseHeader(int steps) {
  RecordFileHeader h;
  h.RecordCount = static_cast<int16_t>(steps + 1);
  h.Constant71 = 9999;
  h.NamePrefixDigit = 2;
  return h;
}

}  // namespace

ProgramSample OneStepMillimetre() {
  ProgramSample p;
  p.name = "one_step_mm";
  RecordFileHeader& h = p.header;
  h = BaseHeader(1);
  h.ProgramName = "AB";
  h.PartReference = "BRACKET";
  h.HeaderThickness = 1.56f;
  h.MaterialName = "ST37";
  h.Hardness = 350;
  h.PunchTargetName = "P88";
  h.DieTargetName = "V16";
  h.DieHolderTargetName = "DH1";
  h.SpacerTargetName = "";
  h.CreationYear = 26;
  h.CreationMonth = 12;
  h.CreationDay = 7;
  h.MaterialNumber = 1;
  h.PunchRev = '1';
  h.DieHolderRev = '0';
  h.DieRev = ' ';

  RecordFileStep s;
  s.SequenceOrder = 1;
  s.StepValue = 0;
  s.FlagAutoCompen = 1;
  s.CoiningFlag = 0;
  s.BendLength = 250;
  s.FlangeLength = -12;
  s.BendAngle = 90;
  s.Y1 = -7.4055f;
  s.Y2 = -7.4055f;
  s.Gauge1Z = -60.5f;
  s.Gauge2Z = 60.5f;
  s.Gauge1X = -100;
  s.Gauge2X = 100;
  s.AuxFunc = AuxFuncBytes("");
  s.TonnageValue = 87;
  s.ODC = 251;
  s.BendingSpeed = 8;
  s.ReturnSpeed = 100;
  s.BGRetractFlag = 1;
  s.CycleNo = 1;
  s.RetractStroke = 5;
  s.DwellBG = 0.5f;
  s.DwellEndBend = 0.2f;
  s.Y1Compen = 0.05f;
  s.Y2Compen = -0.05f;
  s.X1Compen = 0.1f;
  s.AngleCompen = 0.5f;
  s.PinchPointValue = 3.2f;
  p.records = {s, DefaultRecordStep()};
  p.control_file_name = "C:/Jobs/2AB.NMB";
  return p;
}

ProgramSample ThreeStepsInch() {
  ProgramSample p;
  p.name = "three_steps_inch";
  RecordFileHeader& h = p.header;
  h = BaseHeader(3);
  h.ProgramName = "XY1234";
  h.PartReference = "ABCDEFGHIJKLM";
  h.HeaderThickness = 1.5748f;  // 0.0625 in cut to 0.062, times 25.4
  h.MaterialName = "AL5754";
  h.Hardness = 1000;  // 1446 on the inch scale
  h.PunchTargetName = "PUNCH1";
  h.DieTargetName = "DIE016";
  h.DieHolderTargetName = "HOLDR1";
  h.SpacerTargetName = "SPACE1";
  h.CreationYear = 25;
  h.CreationMonth = 1;
  h.CreationDay = 31;
  h.MaterialNumber = 2;
  h.PunchRev = 0;
  h.DieHolderRev = '1';
  h.DieRev = '0';

  RecordFileStep a;
  a.SequenceOrder = 1;
  a.BendLength = 305;  // 12 in
  a.FlangeLength = 50;
  a.BendAngle = 90;
  a.Y1 = -12.25f;
  a.Y2 = -12.3f;
  a.Gauge1X = -63.5f;  // 2.5 in, sign inverted for finger 1
  a.Gauge2X = 63.5f;
  a.AuxFunc = AuxFuncBytes("M12");
  a.TonnageValue = 142;
  a.ODC = 254;  // 10 in
  a.BendingSpeed = 10;
  a.ReturnSpeed = 80;
  a.CycleNo = 1;
  a.RetractStroke = 25.4f;
  a.DwellBG = 0.3f;
  a.DwellEndBend = 0.2f;

  RecordFileStep b;  // a bend of type 3 in three hits, Mode not 0
  b.SequenceOrder = 2;
  b.StepValue = -2.54f;  // -0.1 in
  b.CoiningFlag = 2;
  b.BendLength = 191;  // 7.5 in
  b.FlangeLength = 25;
  b.BendAngle = 150;
  b.Y1 = -1.5f;
  b.Y2 = -1.5f;
  b.Gauge1Y = 0;
  b.Gauge2Y = 12.7f;
  b.Gauge1Z = -76.2f;
  b.Gauge2Z = 76.2f;
  b.Gauge1X = -99.9998f;  // 3.937 in
  b.Gauge2X = 99.9998f;
  b.AuxFunc = AuxFuncBytes("M12345");
  b.FlagSheetMove = 258;  // low byte 2
  b.TonnageValue = 0;
  b.ODC = 191;
  b.BendingSpeed = 10;
  b.ReturnSpeed = 80;
  b.BGRetractFlag = 257;  // low byte 1
  b.CycleNo = 3;
  b.RetractStroke = 12.7f;
  b.DwellEndBend = 0.5f;
  b.BendNoBGPos = 1;
  b.PinchPointValue = 1.5875f;

  RecordFileStep c;
  c.SequenceOrder = 3;
  c.FlagAutoCompen = 1;
  c.BendLength = 305;
  c.FlangeLength = 12;
  c.BendAngle = 135.5f;
  c.Y1 = -3.1f;
  c.Y2 = -3.2f;
  c.Gauge1X = -38.1f;
  c.Gauge2X = 38.1f;
  c.AuxFunc = AuxFuncBytes("");
  c.TonnageValue = 55;
  c.ODC = 254;
  c.BendingSpeed = 10;
  c.ReturnSpeed = 80;
  c.CycleNo = 1;
  c.DwellEndBend = 0.2f;
  c.Z1Compen = 0.254f;
  c.Z2Compen = -0.254f;
  c.R1Compen = 1.27f;
  c.R2Compen = -1.27f;
  c.X2Compen = 0.0254f;
  c.AngleCompen = -0.25f;
  c.Offset = 12.7f;

  p.records = {a, b, c, DefaultRecordStep()};
  p.control_file_name = "C:/Jobs/2XY1234.NMB";
  return p;
}

ProgramSample TwentyFiveSteps() {
  ProgramSample p;
  p.name = "twenty_five_steps";
  RecordFileHeader& h = p.header;
  h = BaseHeader(25);
  h.HeaderThickness = 3;
  h.CreationYear = 99;  // the stamp 991231 1122 wraps modulo 2^32
  h.CreationMonth = 12;
  h.CreationDay = 31;
  h.PunchRev = ' ';
  h.DieHolderRev = '1';
  h.DieRev = 0;

  static const char* const kAux[] = {"", "M3", "M12", "ABCDEF"};
  for (int k = 0; k < 25; ++k) {
    RecordFileStep s;
    s.SequenceOrder = static_cast<int16_t>(k + 1);
    s.BendLength = static_cast<int16_t>(100 + 10 * k);
    s.FlangeLength = 10 + k;
    s.BendAngle = 90.0f + static_cast<float>(k);
    s.Y1 = -(5.0f + 0.25f * static_cast<float>(k));
    s.Y2 = s.Y1;
    s.Gauge1X = -(50.0f + 10.0f * static_cast<float>(k));
    s.Gauge2X = 50.0f + 10.0f * static_cast<float>(k);
    s.AuxFunc = AuxFuncBytes(kAux[k % 4]);
    s.TonnageValue = static_cast<int16_t>(20 + 3 * k);
    s.ODC = 251;
    s.BendingSpeed = 8;
    s.CycleNo = 1;
    s.DwellEndBend = 0.2f;
    p.records.push_back(s);
  }
  p.records.push_back(DefaultRecordStep());
  p.control_file_name = "C:/Jobs/2.NMB";
  return p;
}

std::vector<ProgramSample> AllProgramSamples() {
  return {OneStepMillimetre(), ThreeStepsInch(), TwentyFiveSteps()};
}

ProgramSample SimpleProgram(int steps) {
  ProgramSample p;
  p.name = "simple";
  p.header = BaseHeader(steps);
  p.header.ProgramName = "P";
  p.header.PartReference = "PART";
  p.header.HeaderThickness = 2;
  for (int k = 0; k < steps; ++k) {
    RecordFileStep s;
    s.SequenceOrder = static_cast<int16_t>(k + 1);
    s.BendAngle = 90;
    s.BendLength = 100;
    s.Y1 = s.Y2 = -4;
    s.TonnageValue = static_cast<int16_t>(10 + k);
    s.ODC = 251;
    s.BendingSpeed = 8;
    p.records.push_back(s);
  }
  p.records.push_back(DefaultRecordStep());
  p.control_file_name = "C:/Jobs/2P.NMB";
  return p;
}

}  // namespace test_support
}  // namespace bendpost
