// FinishProgram: serial counter, record file, staging file,
// control file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "formats/control_file.h"
#include "formats/record_file.h"
#include "testing/fault_file_system.h"
#include "tests/generation/generation_test_support.h"

namespace bendpost::testing {
namespace {

class FinishProgramTest : public GenerationTest {
 protected:
  FinishProgramTest() : faults_(&files_) {
    files_used_ = &faults_;
    AddWorkedExampleJob();
  }

  std::vector<std::string> Files() const { return files_.ListFiles(); }
  DecodedControlFile Control(const std::string& path) const {
    DecodedControlFile decoded;
    const std::string* bytes = files_.GetFile(path);
    EXPECT_NE(nullptr, bytes) << path;
    if (bytes == nullptr) return decoded;
    const Status s = DecodeControlFile(*bytes, &decoded);
    EXPECT_TRUE(s.ok()) << s.message();
    return decoded;
  }
  std::map<std::string, std::string> Serial() {
    return *settings_.Values(SerialCounterKeyPath(ui_));
  }
  bool Logged(const std::string& text) const {
    for (const std::string& line : faults_.Log())
      if (line.find(text) != std::string::npos) return true;
    return false;
  }

  FaultInjectingFileSystem faults_;
};

TEST_F(FinishProgramTest, WritesTheControlFileAndLeavesNothingElse) {
  auto header = MakeHeader(WorkedSteps(2));
  ASSERT_STREQ(NativePath("/jobs/2030500.NMB").c_str(), header->FileName);
  const Status s = FinishProgram(*header, steps_, Context());
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            Files());
  EXPECT_EQ(12664u, files_.GetFile(NativePath("/jobs/2030500.NMB"))->size());
  const DecodedControlFile control = Control(NativePath("/jobs/2030500.NMB"));
  EXPECT_EQ("030500", control.header.ProgramName);
  EXPECT_EQ(2, control.header.StepCount);
  EXPECT_TRUE(MessageTexts().empty());
  // The road of the files: the record file under the staging name, never
  // under FileName (the control file's own name here); the control file
  // under its temporary name, flushed before the rename that publishes it,
  // its folder flushed after it.
  std::vector<std::string> road;
  for (const std::string& line : faults_.Log()) {
    const std::string op = line.substr(line.find(' ') + 1);
    if (op.find(NativePath("/jobs/")) == std::string::npos) continue;
    if (op.rfind("read ", 0) == 0 || op.rfind("seek ", 0) == 0) continue;
    road.push_back(op);
  }
  const std::string kpz = NativePath("/jobs/2030500.kpz");
  const std::string tmp = NativePath("/jobs/2030500.NMB.tmp");
  const std::string nmb = NativePath("/jobs/2030500.NMB");
  EXPECT_EQ((std::vector<std::string>{
                "create " + kpz, "write " + kpz + " 560", "close " + kpz,
                "open " + kpz, "close " + kpz, "create " + tmp,
                "write " + tmp + " 12664", "sync " + tmp, "close " + tmp,
                "rename " + tmp + " -> " + nmb, "sync-folder " + nmb,
                "remove " + kpz}),
            road);
}

TEST_F(FinishProgramTest, StoresTheSerialCounterFirst) {
  StoreSerial("7", "3", "5");
  auto header = MakeHeader(WorkedSteps(1));
  ASSERT_STREQ("030507", header->ProgramName);
  EXPECT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_EQ(std::string("8\0\0", 3), Serial()[kSerialNumberValue]);
  EXPECT_EQ(std::string("3\0\0", 3), Serial()[kSerialMonthValue]);
  EXPECT_EQ(std::string("5\0\0", 3), Serial()[kSerialDayValue]);
}

TEST_F(FinishProgramTest, TheSerialNumberIsUsedEvenWhenWritingFails) {
  faults_.FailNth(FileOp::kCreate, 1);
  auto header = MakeHeader(WorkedSteps(1));
  EXPECT_FALSE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_EQ(std::string("1\0\0", 3), Serial()[kSerialNumberValue]);
  EXPECT_EQ(std::vector<std::string>{Text(strings::kOpenFileFails)},
            MessageTexts());
  EXPECT_EQ(std::vector<std::string>{NativePath("/data/f_1")}, Files());
}

TEST_F(FinishProgramTest, AStoreThatCannotBeWrittenDoesNotStopTheProgram) {
  settings_.SetReadOnly(true);
  auto header = MakeHeader(WorkedSteps(1));
  EXPECT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_NE(nullptr, files_.GetFile(NativePath("/jobs/2030500.NMB")));
}

TEST_F(FinishProgramTest, NamesAreTrimmedAtTheEndAndUpperCased) {
  auto header = MakeHeader(WorkedSteps(1));
  header->ProgramName = "ab12 \t";
  header->PartReference = " part 1\r\n";
  ASSERT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_STREQ("AB12", header->ProgramName);
  EXPECT_STREQ(" PART 1", header->PartReference);
  const DecodedControlFile control = Control(NativePath("/jobs/2AB12.NMB"));
  // The record file pads the name to its 6 bytes; the file name has it
  // without blanks.
  EXPECT_EQ("AB12  ", control.header.ProgramName);
  EXPECT_EQ(" PART 1", control.header.PartReference);
}

TEST_F(FinishProgramTest, OnlyControlTypeSevenHasAFile) {
  for (int control_type : {0, 2, 5}) {
    store_->Setups[0].SetControlType(control_type);
    auto header = MakeHeader(WorkedSteps(1));
    header->ProgramName = "ab ";
    faults_.ResetCounts();
    EXPECT_FALSE(FinishProgram(*header, steps_, Context()).ok())
        << control_type;
    EXPECT_EQ(0, faults_.TotalCount()) << control_type;
    EXPECT_STREQ("AB", header->ProgramName);
  }
  EXPECT_TRUE(Serial().empty());
  EXPECT_EQ(std::vector<std::string>{NativePath("/data/f_1")}, Files());
}

TEST_F(FinishProgramTest, SeveralSetupsStageUnderTheFileNameAndNameTheControl) {
  AddBandRSetup(1);
  auto header = MakeHeader(WorkedSteps(1), 1, 1);
  ASSERT_STREQ(NativePath("/jobs/2030500.S2P2.NMB").c_str(), header->FileName);
  ASSERT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_TRUE(Logged(NativePath("create /jobs/2030500.S2P2.kpz")));
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            Files());
}

TEST_F(FinishProgramTest, AStaleStagingFileIsReplacedNotConverted) {
  // A whole record file of another program, left by a crash.
  RecordFileHeader stale_header;
  stale_header.ProgramName = "STALE";
  stale_header.RecordCount = 2;
  stale_header.NamePrefixDigit = 2;
  files_.SetFile(NativePath("/jobs/2030500.kpz"),
                 EncodeRecordFile(stale_header, {RecordFileStep{}, {}}));
  auto header = MakeHeader(WorkedSteps(1));
  ASSERT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            Files());
  EXPECT_EQ("030500",
            Control(NativePath("/jobs/2030500.NMB")).header.ProgramName);
}

TEST_F(FinishProgramTest, AFailedFlushFailsAndLeavesTheOlderControlFile) {
  // One setup: FileName is the control file's own name.
  files_.SetFile(NativePath("/jobs/2030500.NMB"), "an earlier program");
  faults_.FailNth(FileOp::kSync, 1);
  auto header = MakeHeader(WorkedSteps(1));
  EXPECT_FALSE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_TRUE("an earlier program" ==
              *files_.GetFile(NativePath("/jobs/2030500.NMB")));
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            Files());
}

TEST_F(FinishProgramTest, ControlFileThatCannotBeCreatedLeavesTheOldOne) {
  AddBandRSetup(1);
  files_.SetFile(NativePath("/jobs/2030500.NMB"), "an earlier program");
  faults_.FailNth(FileOp::kCreate, 2);  // 1: the record file
  auto header = MakeHeader(WorkedSteps(1), 1, 1);
  EXPECT_FALSE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            Files());
  EXPECT_EQ("an earlier program",
            *files_.GetFile(NativePath("/jobs/2030500.NMB")));
  EXPECT_TRUE(Logged(NativePath("remove /jobs/2030500.S2P2.kpz")));
}

TEST_F(FinishProgramTest, FailedConversionStillDeletesTheStagingFile) {
  faults_.FailNth(FileOp::kRename, 1);  // the control file's rename
  auto header = MakeHeader(WorkedSteps(1));
  EXPECT_FALSE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_EQ(std::vector<std::string>{NativePath("/data/f_1")}, Files());
}

TEST_F(FinishProgramTest, AStagingFileThatCannotBeDeletedIsHarmless) {
  faults_.FailNth(FileOp::kRemove, 1);
  auto header = MakeHeader(WorkedSteps(1));
  EXPECT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB"),
                                      NativePath("/jobs/2030500.kpz")}),
            Files());
  // The next program of that name replaces it before converting.
  faults_.ClearFaults();
  StoreSerial("0", "3", "5");  // the same name again
  auto again = MakeHeader(WorkedSteps(3));
  ASSERT_TRUE(FinishProgram(*again, steps_, Context()).ok());
  EXPECT_EQ(3, Control(NativePath("/jobs/2030500.NMB")).header.StepCount);
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"),
                                      NativePath("/jobs/2030500.NMB")}),
            Files());
}

TEST_F(FinishProgramTest, StagingNameOfAFileNameWithoutExtension) {
  const struct {
    std::string file_name;
    std::string staging;
    std::string control;
  } cases[] = {
      {NativePath("/jobs/prog"), NativePath("/jobs/prog.kpz"),
       NativePath("/jobs/2030500")},
      {NativePath("/jobs.v2/prog"), NativePath("/jobs.v2/prog.kpz"),
       NativePath("/jobs.v2/2030500")},
      {NativePath("/jobs.v2/prog.x.NMB"), NativePath("/jobs.v2/prog.x.kpz"),
       NativePath("/jobs.v2/2030500.NMB")},
  };
  for (const auto& c : cases) {
    StoreSerial("0", "3", "5");  // every program is named 030500
    auto header = MakeHeader(WorkedSteps(1));
    header->FileName = c.file_name;
    faults_.ResetCounts();
    ASSERT_TRUE(FinishProgram(*header, steps_, Context()).ok()) << c.file_name;
    EXPECT_TRUE(Logged(std::string("create ") + c.staging)) << c.file_name;
    EXPECT_NE(nullptr, files_.GetFile(c.control)) << c.file_name;
    EXPECT_EQ(nullptr, files_.GetFile(c.staging)) << c.file_name;
    ASSERT_TRUE(files_.Remove(c.control).ok());
  }
}

// With one setup the control file takes FileName itself; when that ends in
// ".kpz" the staging file must not share its name, or the new control file
// would be deleted as the staging file and an older one overwritten first.
TEST_F(FinishProgramTest, AFileNameEndingInTheStagingExtensionKeepsItsProgram) {
  const std::string name = NativePath("/jobs/2030500.kpz");
  files_.SetFile(name, "an earlier program");
  auto header = MakeHeader(WorkedSteps(1));
  header->FileName = name;
  faults_.FailNth(FileOp::kRename, 1);
  EXPECT_FALSE(FinishProgram(*header, steps_, Context()).ok());
  const std::string* kept = files_.GetFile(name);
  ASSERT_NE(nullptr, kept);
  EXPECT_EQ("an earlier program", *kept);

  faults_.ClearFaults();
  ASSERT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_TRUE(Logged("create " + name + ".kpz"));
  EXPECT_EQ(1, Control(name).header.StepCount);
  EXPECT_EQ((std::vector<std::string>{NativePath("/data/f_1"), name}), Files());
}

// On a file system that ignores case (Windows) ".KPZ" names the same file
// as ".kpz": the staging file must not take that name either.
TEST_F(FinishProgramTest, TheStagingExtensionIsRecognisedInAnyCase) {
  const std::string name = NativePath("/jobs/2030500.KPZ");
  auto header = MakeHeader(WorkedSteps(1));
  header->FileName = name;
  ASSERT_TRUE(FinishProgram(*header, steps_, Context()).ok());
  EXPECT_TRUE(Logged("create " + name + ".kpz"));
  EXPECT_FALSE(Logged(NativePath("create /jobs/2030500.kpz")));
}

}  // namespace
}  // namespace bendpost::testing
