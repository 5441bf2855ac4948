// WriteRecordFile: the record file of one program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/record_file.h"
#include "testing/fault_file_system.h"
#include "tests/generation/generation_test_support.h"

namespace bendpost::testing {
namespace {

using record_file::StepOffset;

// Where the record file of the first program goes.
std::string RecordPath() { return NativePath("/jobs/2030500.NMB"); }

class RecordFileWriterTest : public GenerationTest {
 protected:
  RecordFileWriterTest() { AddWorkedExampleJob(); }

  // The written file, or "" when there is none.
  std::string Written() const {
    const std::string* bytes = files_.GetFile(RecordPath());
    return bytes == nullptr ? std::string() : *bytes;
  }
  RecordFileHeader Header() const {
    const std::string bytes = Written();
    EXPECT_GE(bytes.size(), record_file::kPaddedHeaderSize);
    if (bytes.size() < record_file::kPaddedHeaderSize) return {};
    return DecodeRecordFileHeader(
        reinterpret_cast<const uint8_t*>(bytes.data()));
  }
  RecordFileStep Record(int k) const {
    const std::string bytes = Written();
    const uint64_t at = StepOffset(RecordLayout::kPadded, k);
    EXPECT_GE(bytes.size(), at + record_file::kPaddedStepSize);
    if (bytes.size() < at + record_file::kPaddedStepSize) return {};
    return DecodeRecordFileStep(
        reinterpret_cast<const uint8_t*>(bytes.data() + at), 0);
  }
  // Writes a program of `steps`; the dialog is kept for inspection.
  Status Write(std::vector<CPPStepInfo> steps) {
    header_ = MakeHeader(std::move(steps));
    EXPECT_STREQ(RecordPath().c_str(), header_->FileName);
    return WriteRecordFile(*header_, steps_, Context());
  }

  std::unique_ptr<ProgramHeader> header_;
};

TEST_F(RecordFileWriterTest, HeaderAndOneRecordPerStepPlusTheDefaultStep) {
  ASSERT_TRUE(Write(WorkedSteps(3)).ok());
  EXPECT_EQ(125u + 145u * 4, Written().size());
  EXPECT_EQ(4, Header().RecordCount);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(k + 1, Record(k).SequenceOrder);
    EXPECT_NEAR(-kWorkedDepth, Record(k).Y1, 1e-3);
    EXPECT_EQ(232, Record(k).TonnageValue);
  }
  // The final record is a new step's: never calculated (its Y1 stays +0).
  const RecordFileStep last = Record(3);
  EXPECT_EQ(0.0f, last.Y1);
  EXPECT_FALSE(std::signbit(last.Y1));
  EXPECT_EQ(251, last.ODC);
  EXPECT_EQ(8, last.BendingSpeed);
  EXPECT_EQ(0.2f, last.DwellEndBend);
  EXPECT_EQ('0', last.AuxFunc[0]);
  EXPECT_EQ('0', last.AuxFunc[5]);
  EXPECT_TRUE(WriteRecordFile(*header_, steps_, Context()).ok());
}

TEST_F(RecordFileWriterTest, CalculatesEveryStepOfModeZeroButNeverTheLast) {
  // Without its data file every calculated step shows a warning: the
  // messages count the calculations.
  store_->MaterialCode = 5;
  std::vector<CPPStepInfo> steps = WorkedSteps(3);
  steps[1].SetMode(1);
  ASSERT_TRUE(Write(steps).ok());
  EXPECT_EQ((std::vector<std::string>{
                WarningText(1, strings::kMaterialNotSupported),
                WarningText(3, strings::kMaterialNotSupported)}),
            MessageTexts());
}

TEST_F(RecordFileWriterTest, HeaderFieldsFromTheDialog) {
  auto header = MakeHeader(WorkedSteps(1));
  header->PartReference = "BRACKET-7";
  header->PunchTargetName = "  P1 \t";
  header->DieTargetName = "D16";
  header->DieHolderTargetName = " H";
  header->SpacerTargetName = "";
  header->PunchRev = "1";
  header->DieHolderRev = "";
  header->DieRev = "S";
  header->HeaderReserved1 = 11;
  header->HeaderReserved2 = 12;
  header->HeaderReservedBlock[9] = 13;
  header->HeaderReserved3 = 14;
  ASSERT_TRUE(WriteRecordFile(*header, steps_, Context()).ok());

  const RecordFileHeader h = Header();
  EXPECT_EQ("030500", h.ProgramName);
  EXPECT_EQ("BRACKET-7", h.PartReference);
  EXPECT_EQ(2.0f, h.HeaderThickness);
  EXPECT_EQ("C.R.S.", h.MaterialName);
  EXPECT_EQ(40, h.Hardness);
  EXPECT_EQ(0, h.Reserved31);
  // Target names trimmed at both ends, then space-padded.
  EXPECT_EQ("P1    ", h.PunchTargetName);
  EXPECT_EQ("D16   ", h.DieTargetName);
  EXPECT_EQ("H     ", h.DieHolderTargetName);
  EXPECT_EQ("      ", h.SpacerTargetName);
  EXPECT_STREQ("P1", header->PunchTargetName);
  EXPECT_EQ(2, h.RecordCount);
  EXPECT_EQ(24, h.CreationYear);
  EXPECT_EQ(3, h.CreationMonth);
  EXPECT_EQ(5, h.CreationDay);
  EXPECT_EQ(0, h.Reserved64);
  EXPECT_EQ(11, h.Reserved65);
  EXPECT_EQ(12, h.Reserved69);
  EXPECT_EQ(9999, h.Constant71);
  EXPECT_EQ(1, h.MaterialNumber);
  EXPECT_EQ(13, h.Reserved75[9]);
  EXPECT_EQ(2, h.NamePrefixDigit);
  EXPECT_EQ(14, h.Reserved117);
  // Punch, die holder, die.
  EXPECT_EQ('1', h.PunchRev);
  EXPECT_EQ(0, h.DieHolderRev);
  EXPECT_EQ('S', h.DieRev);
  EXPECT_EQ(0, static_cast<uint8_t>(Written()[124]));
}

TEST_F(RecordFileWriterTest, MillimetreThicknessIsCutToHundredths) {
  auto header = MakeHeader(WorkedSteps(1));
  header->HeaderThickness = 1.567f;
  ASSERT_TRUE(WriteRecordFile(*header, steps_, Context()).ok());
  EXPECT_EQ(1.56f, header->HeaderThickness);
  EXPECT_EQ(1.56f, Header().HeaderThickness);
}

TEST_F(RecordFileWriterTest, InchThicknessIsCutToThousandthsTimes25Point4) {
  store_->Unit = 1;
  auto header = MakeHeader(WorkedSteps(1));
  header->HeaderThickness = 0.0625f;
  ASSERT_TRUE(WriteRecordFile(*header, steps_, Context()).ok());
  EXPECT_EQ(static_cast<float>(0.062 * 25.4), Header().HeaderThickness);
  EXPECT_NEAR(1.5748, Header().HeaderThickness, 1e-6);
  // 0.7 stands for 0.7, not for 0.699999988: no unit is lost in the cut.
  header = MakeHeader(WorkedSteps(1));
  header->HeaderThickness = 0.07f;
  ASSERT_TRUE(WriteRecordFile(*header, steps_, Context()).ok());
  EXPECT_EQ(static_cast<float>(0.07 * 25.4), Header().HeaderThickness);
}

TEST_F(RecordFileWriterTest, HardnessIsScaledForInchAndRoundedHalfUp) {
  const struct {
    int unit;
    float hardness;
    int16_t written;
  } cases[] = {{1, 1446, 1000},  {1, 1, 1},        {0, 1000, 1000},
               {0, 349.6f, 350}, {0, 349.4f, 349}, {0, 349.5f, 350}};
  for (const auto& c : cases) {
    store_->Unit = c.unit;
    auto header = MakeHeader(WorkedSteps(1));
    header->Hardness = c.hardness;
    ASSERT_TRUE(WriteRecordFile(*header, steps_, Context()).ok());
    EXPECT_EQ(c.written, Header().Hardness) << c.unit << " " << c.hardness;
  }
}

TEST_F(RecordFileWriterTest, TheCalculationSeesTheConvertedHeaderValues) {
  // An inch job: 0.0787 inch is cut to 0.078 and becomes 1.9812 mm, the
  // inch hardness 57.84 becomes 40. The calculation gets both.
  store_->Unit = 1;
  auto header = MakeHeader(WorkedSteps(1));
  header->HeaderThickness = 0.0787f;
  header->Hardness = 57.84f;
  ASSERT_TRUE(WriteRecordFile(*header, steps_, Context()).ok());
  EXPECT_EQ(static_cast<float>(0.078 * 25.4), header->HeaderThickness);
  EXPECT_NEAR(40, header->Hardness, 1e-3);
  BendMaterialData material;
  GatherMaterialData(*header, job_, WorkedStep(1), material);
  EXPECT_EQ(header->HeaderThickness, material.Thickness);
  EXPECT_EQ(header->Hardness, material.TensileStrength);
}

TEST_F(RecordFileWriterTest, BendTypeThreeInAMillimetreJob) {
  CPPStepInfo step = WorkedStep(1);
  step.SetBendType(3);
  step.SetStepValue(2.5f, 0);  // whole millimetres: 2
  step.SetCycleNo(3);
  // A value the millimetre setter could not give: the writer cuts it.
  CPPStepInfo fractional = WorkedStep(2);
  fractional.SetBendType(3);
  fractional.SetStepValue(0.1f, 1);  // 2.54 mm
  fractional.SetCycleNo(2);
  fractional.SetBendAngle(100);
  ASSERT_TRUE(Write({step, fractional}).ok());
  EXPECT_EQ(-2.0f, Record(0).StepValue);
  EXPECT_EQ(150.0f, Record(0).BendAngle);
  EXPECT_EQ(3, Record(0).CycleNo);
  EXPECT_EQ(-2.0f, Record(1).StepValue);
  EXPECT_EQ(140.0f, Record(1).BendAngle);
  // The program's step copies keep the host's values.
  EXPECT_EQ(2.0f, steps_[0].GetStepValue());
  EXPECT_EQ(90.0f, steps_[0].GetBendAngle());
}

TEST_F(RecordFileWriterTest, BendTypeThreeInAnInchJobIsOnlyNegated) {
  store_->Unit = 1;
  CPPStepInfo step = WorkedStep(1);
  step.SetBendType(3);
  step.SetStepValue(0.1f, 1);  // the setter made it 2.54 mm
  step.SetCycleNo(3);
  step.SetBendAngle(91);
  ASSERT_TRUE(Write({step}).ok());
  EXPECT_EQ(-step.GetStepValue(), Record(0).StepValue);
  EXPECT_NEAR(-2.54, Record(0).StepValue, 1e-6);
  // 180 - 89 / 3 = 150.333..., cut to tenths.
  EXPECT_EQ(static_cast<float>(1503 * 0.1), Record(0).BendAngle);
}

TEST_F(RecordFileWriterTest, BendTypeThreeWithoutHitsCountsAsOneHit) {
  std::vector<CPPStepInfo> steps;
  for (short cycles : {0, -2}) {
    CPPStepInfo step = WorkedStep(1, 87.5f);
    step.SetBendType(3);
    step.SetCycleNo(cycles);
    steps.push_back(step);
  }
  ASSERT_TRUE(Write(steps).ok());
  EXPECT_EQ(87.5f, Record(0).BendAngle);
  EXPECT_EQ(0, Record(0).CycleNo);
  EXPECT_EQ(87.5f, Record(1).BendAngle);
  EXPECT_EQ(-2, Record(1).CycleNo);
}

TEST_F(RecordFileWriterTest, OtherBendTypesKeepValueAndAngle) {
  CPPStepInfo step = WorkedStep(1, 91.25f);
  step.SetStepValue(3, 0);
  step.SetCycleNo(3);
  ASSERT_TRUE(Write({step}).ok());
  EXPECT_EQ(3.0f, Record(0).StepValue);
  EXPECT_EQ(91.25f, Record(0).BendAngle);
}

TEST_F(RecordFileWriterTest, GaugePositionsInAMillimetreJob) {
  CPPStepInfo step = WorkedStep(1);
  double xx[4] = {100, 100, 7, 7};
  double yy[4] = {12.3456, -0.0009, 0, 0};
  double zz[4] = {250.75, 1.0005, 0, 0};
  step.SetXX(xx);
  step.SetYY(yy);
  step.SetZZ(zz);
  ASSERT_TRUE(Write({step}).ok());
  const RecordFileStep r = Record(0);
  EXPECT_EQ(-100.0f, r.Gauge1X);
  EXPECT_EQ(100.0f, r.Gauge2X);
  EXPECT_EQ(static_cast<float>(12345 * 0.001), r.Gauge1Y);
  EXPECT_EQ(0.0f, r.Gauge2Y);
  EXPECT_EQ(static_cast<float>(250750 * 0.001), r.Gauge1Z);
  EXPECT_EQ(1.0f, r.Gauge2Z);
}

TEST_F(RecordFileWriterTest, GaugePositionsInAnInchJob) {
  store_->Unit = 1;
  CPPStepInfo step = WorkedStep(1);
  double xx[4] = {1.23456, 2, 0, 0};
  double yy[4] = {0.5, 0.00019, 0, 0};
  double zz[4] = {10, -3.33333, 0, 0};
  step.SetXX(xx);
  step.SetYY(yy);
  step.SetZZ(zz);
  ASSERT_TRUE(Write({step}).ok());
  const RecordFileStep r = Record(0);
  EXPECT_EQ(static_cast<float>(-12345 * 0.0001 * 25.4), r.Gauge1X);
  EXPECT_EQ(static_cast<float>(20000 * 0.0001 * 25.4), r.Gauge2X);
  EXPECT_EQ(static_cast<float>(5000 * 0.0001 * 25.4), r.Gauge1Y);
  EXPECT_EQ(static_cast<float>(1 * 0.0001 * 25.4), r.Gauge2Y);
  EXPECT_EQ(static_cast<float>(100000 * 0.0001 * 25.4), r.Gauge1Z);
  EXPECT_EQ(static_cast<float>(-33333 * 0.0001 * 25.4), r.Gauge2Z);
}

TEST_F(RecordFileWriterTest, StepsOfAnotherModeKeepTheHostsValues) {
  CPPStepInfo coining = WorkedStep(1);
  coining.SetBendType(2);  // coining: flag and Mode 1
  coining.SetY1(-3.5f);
  coining.SetY2(-3.625f);
  coining.SetTonnageValue(87.9f);
  ASSERT_TRUE(Write({coining, WorkedStep(2)}).ok());
  EXPECT_EQ(-3.5f, Record(0).Y1);
  EXPECT_EQ(-3.625f, Record(0).Y2);
  EXPECT_EQ(87, Record(0).TonnageValue);
  EXPECT_EQ(1, Record(0).CoiningFlag);
  EXPECT_NEAR(-kWorkedDepth, Record(1).Y1, 1e-3);
}

TEST_F(RecordFileWriterTest, StepFieldsAreCopied) {
  CPPStepInfo step = WorkedStep(1);
  step.SetFlangeLength(-12.7f);
  step.SetAuxFunc("M12");
  step.SetFlagAutoCompen(3);
  step.SetFlagSheetMove(4);
  step.SetReturnSpeed(120);
  step.SetBGRetractFlag(1);
  step.SetRetractStroke(5.55f, 0);
  step.SetDwellBG(0.5f);
  step.SetBendNoBGPos(6);
  step.SetAngleCompen(-0.25f);
  step.SetZ2Compen(0.125f);
  step.SetPinchPointValue(1.75f);
  step.SetOffset(-3.2f, 0);
  ASSERT_TRUE(Write({step}).ok());
  const RecordFileStep r = Record(0);
  EXPECT_EQ(-12, r.FlangeLength);
  EXPECT_EQ('M', r.AuxFunc[0]);
  EXPECT_EQ('2', r.AuxFunc[2]);
  EXPECT_EQ(0, r.AuxFunc[3]);
  EXPECT_EQ(3, r.FlagAutoCompen);
  EXPECT_EQ(4, r.FlagSheetMove);
  EXPECT_EQ(120, r.ReturnSpeed);
  EXPECT_EQ(1, r.BGRetractFlag);
  EXPECT_EQ(5.5f, r.RetractStroke);
  EXPECT_EQ(0.5f, r.DwellBG);
  EXPECT_EQ(6, r.BendNoBGPos);
  EXPECT_EQ(-0.25f, r.AngleCompen);
  EXPECT_EQ(0.125f, r.Z2Compen);
  EXPECT_EQ(1.75f, r.PinchPointValue);
  EXPECT_EQ(-3.2f, r.Offset);
  EXPECT_EQ(1000, r.BendLength);
}

TEST_F(RecordFileWriterTest, AnExistingFileIsReplaced) {
  files_.SetFile(RecordPath(), std::string(5000, 'x'));
  ASSERT_TRUE(Write(WorkedSteps(1)).ok());
  EXPECT_EQ(415u, Written().size());
}

TEST_F(RecordFileWriterTest, OpenFailureShowsItsMessageAndWritesNothing) {
  FaultInjectingFileSystem faults(&files_);
  faults.FailNth(FileOp::kCreate, 1);
  files_used_ = &faults;
  store_->Unit = 1;
  auto header = MakeHeader(WorkedSteps(2));
  header->HeaderThickness = 0.0625f;
  const Status s = WriteRecordFile(*header, steps_, Context());
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(std::vector<std::string>{Text(strings::kOpenFileFails)},
            MessageTexts());
  EXPECT_EQ(MessageIcon::kNone, ui_.messages()[0].icon);
  EXPECT_EQ(nullptr, files_.GetFile(RecordPath()));
  // Converted before the attempt, and no step was calculated.
  EXPECT_NEAR(1.5748, header->HeaderThickness, 1e-6);
  EXPECT_EQ(0.0f, steps_[0].GetY1());
  faults.ClearFaults();
  faults.FailNth(FileOp::kCreate, 2);
  EXPECT_FALSE(WriteRecordFile(*header, steps_, Context()).ok());
}

TEST_F(RecordFileWriterTest,
       AnyFailureAfterOpeningDeletesThePartlyWrittenFile) {
  FaultInjectingFileSystem faults(&files_);
  files_used_ = &faults;
  ASSERT_TRUE(Write(WorkedSteps(2)).ok());
  const std::vector<std::string> log = faults.Log();
  ASSERT_FALSE(log.empty());

  int record_file_faults = 0;
  for (int i = 1; i <= static_cast<int>(log.size()); ++i) {
    const std::string& op = log[static_cast<size_t>(i - 1)];
    (void)files_.Remove(RecordPath());  // only that it is gone matters
    ui_.ClearMessages();
    faults.ClearFaults();
    faults.ResetCounts();
    faults.FailOperationNumber(i);
    const Status s = Write(WorkedSteps(2));
    const bool on_record_file = op.find(RecordPath()) != std::string::npos;
    if (!on_record_file) {
      // A material file that cannot be read only gives a warning.
      EXPECT_TRUE(s.ok()) << op;
      continue;
    }
    ++record_file_faults;
    EXPECT_FALSE(s.ok()) << op;
    EXPECT_EQ(nullptr, files_.GetFile(RecordPath())) << op;
    const bool is_open = op.find(" create ") != std::string::npos;
    EXPECT_EQ(is_open,
              !MessageTexts().empty() &&
                  MessageTexts().back() == Text(strings::kOpenFileFails))
        << op;
  }
  // Create, the one write of the whole file, close.
  EXPECT_EQ(3, record_file_faults);
}

TEST_F(RecordFileWriterTest, DiskFullDeletesThePartlyWrittenFile) {
  FaultInjectingFileSystem faults(&files_);
  faults.SetDiskCapacity(300);
  files_used_ = &faults;
  EXPECT_FALSE(Write(WorkedSteps(3)).ok());
  EXPECT_EQ(nullptr, files_.GetFile(RecordPath()));
  EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(RecordFileWriterTest, AStepListNotMatchingTheHeaderIsRefused) {
  auto header = MakeHeader(WorkedSteps(2));
  steps_.Add(WorkedStep(9));
  EXPECT_FALSE(WriteRecordFile(*header, steps_, Context()).ok());
  EXPECT_EQ(nullptr, files_.GetFile(RecordPath()));
}

}  // namespace
}  // namespace bendpost::testing
