// ProgramConverter: loading rules, naming, the atomic control file and its
// behaviour under every file failure.
#include "formats/program_converter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/le_bytes.h"
#include "platform/platform.h"
#include "support/native_path.h"
#include "support/program_samples.h"
#include "support/temp_dir.h"
#include "testing/fault_file_system.h"
#include "testing/mem_file_system.h"

namespace bendpost {
namespace {

using test_support::NativePath;
using test_support::ProgramSample;
using test_support::SimpleProgram;
using test_support::ThreeStepsInch;

const char kSource[] = "C:/Jobs/P1.kpz";
const char kTarget[] = "C:/Jobs/P1.NMB";

std::string Encode(const ProgramSample& p) {
  return EncodeRecordFile(p.header, p.records);
}

std::string ExpectedControlFile(const ProgramSample& p) {
  std::vector<RecordFileStep> steps(p.records.begin(), p.records.end() - 1);
  RecordFileHeader h = DecodeRecordFileHeader(
      reinterpret_cast<const uint8_t*>(Encode(p).data()));
  ControlFileImage image;
  EXPECT_TRUE(BuildControlFileImage(h, steps, &image).ok());
  return std::string(reinterpret_cast<const char*>(image.bytes.data()),
                     image.bytes.size());
}

class ConverterTest : public ::testing::Test {
 protected:
  // Converts `record` (stored at kSource) through `fs`.
  int Convert(FileSystem* fs, std::string* target, int selector = 0) {
    ProgramConverter converter(*fs, selector);
    int r = converter.ConvertToControlFile(kSource, *target);
    last_error_ = converter.status().message();
    return r;
  }
  int Read(const std::string& bytes, int selector = 0) {
    mem_.SetFile(kSource, bytes);
    return converter_.ReadRecordFile(kSource, selector);
  }

  MemFileSystem mem_;
  ProgramConverter converter_{mem_, 0};
  std::string last_error_;
};

TEST(ProgramConverterSelectorTest, OneAndTwoStayEveryOtherValueBecomesZero) {
  MemFileSystem files;
  EXPECT_EQ(1, ProgramConverter(files, 1).layout_selector());
  EXPECT_EQ(2, ProgramConverter(files, 2).layout_selector());
  for (int s : {0, 3, -1, 100})
    EXPECT_EQ(0, ProgramConverter(files, s).layout_selector());
}

// --- BuildControlFileName ---

std::string Name(const std::string& target, const std::string& program,
                 uint8_t prefix = 2) {
  ControlFileHeader h;
  h.ProgramName = program;
  h.NamePrefixDigit = prefix;
  return BuildControlFileName(target, h);
}

TEST(BuildControlFileNameTest, FolderPrefixTrimmedNameExtension) {
  EXPECT_EQ("C:/Jobs/2AB.NMB", Name("C:/Jobs/P1.NMB", "AB    "));
  EXPECT_EQ("/srv/jobs/2AB.NMB", Name("/srv/jobs/P1.NMB", " AB\t"));
  EXPECT_EQ("2AB.NMB", Name("P1.NMB", "AB"));
  EXPECT_EQ("C:/Jobs/255AB.NMB", Name("C:/Jobs/P1.NMB", "AB", 255));
  EXPECT_EQ("C:/Jobs/0.NMB", Name("C:/Jobs/P1.NMB", "      ", 0));
}

// Where the folder ends is the platform's rule (program_converter_posix_test,
// program_converter_win32_test); "/" ends it on both.

TEST(BuildControlFileNameTest, ExtensionOnlyFromADotAfterTheLastSeparator) {
  EXPECT_EQ("C:/Jobs/2AB", Name("C:/Jobs/P1", "AB"));
  EXPECT_EQ(NativePath("C:/Jobs.v2/2AB"),
            Name(NativePath("C:/Jobs.v2/P1"), "AB"));
  EXPECT_EQ("/srv/a.b/2AB", Name("/srv/a.b/P1", "AB"));
  EXPECT_EQ("C:/Jobs/2AB.gz", Name("C:/Jobs/P1.tar.gz", "AB"));
  EXPECT_EQ("C:/Jobs/2AB.", Name("C:/Jobs/P1.", "AB"));
}

// --- ReadRecordFile ---

TEST_F(ConverterTest, LoadsHeaderAndStepsButNeverTheDefaultRecord) {
  auto p = ThreeStepsInch();
  ASSERT_EQ(1, Read(Encode(p)));
  ASSERT_NE(nullptr, converter_.header());
  EXPECT_EQ("XY1234", converter_.header()->ProgramName);
  ASSERT_EQ(3u, converter_.steps().size());
  for (int k = 0; k < 3; ++k)
    EXPECT_EQ(p.records[static_cast<size_t>(k)],
              converter_.steps()[static_cast<size_t>(k)]);
}

TEST_F(ConverterTest, StepsCarryTheLayoutSelectorTheyWereReadWith) {
  ASSERT_EQ(1, Read(Encode(SimpleProgram(2)), 2));
  for (const auto& s : converter_.steps()) EXPECT_EQ(2, s.LayoutSelector);
}

TEST_F(ConverterTest, ALoadReleasesWhatTheLastOneLeft) {
  ASSERT_EQ(1, Read(Encode(SimpleProgram(3))));
  ASSERT_EQ(1, Read(Encode(SimpleProgram(1))));
  EXPECT_EQ(1u, converter_.steps().size());
  EXPECT_EQ(0, Read("broken"));
  EXPECT_EQ(nullptr, converter_.header());
  EXPECT_TRUE(converter_.steps().empty());
}

TEST_F(ConverterTest, RecordCountsOutsideOneTo99StepsAreRefused) {
  for (int count : {1, 0, -1, -32768, 101, 32767}) {
    auto p = SimpleProgram(1);
    p.header.RecordCount = static_cast<int16_t>(count);
    std::string bytes = Encode(p);
    bytes.resize(125 + 145 * 110, '\0');  // long enough for any count here
    EXPECT_EQ(0, Read(bytes)) << count;
    EXPECT_NE(std::string::npos,
              converter_.status().message().find("RecordCount"))
        << count;
  }
  EXPECT_EQ(1, Read(Encode(SimpleProgram(99))));  // RecordCount 100
  EXPECT_EQ(99u, converter_.steps().size());
}

TEST_F(ConverterTest, TruncationAtEveryLengthIsRefused) {
  std::string bytes = Encode(SimpleProgram(3));
  ASSERT_EQ(125u + 145u * 4, bytes.size());
  for (size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_EQ(0, Read(bytes.substr(0, n))) << n;
    EXPECT_EQ(nullptr, converter_.header()) << n;
  }
  EXPECT_EQ(1, Read(bytes));
  EXPECT_EQ(1, Read(bytes + "trailing bytes are not read"));
}

TEST_F(ConverterTest, ACompactFileNeedsOnlyTheCompactLength) {
  auto p = SimpleProgram(2);
  std::string padded = Encode(p);
  std::string compact = padded.substr(0, 124);
  for (int k = 0; k < 3; ++k) compact += padded.substr(125 + 145 * k, 144);
  EXPECT_EQ(1, Read(compact, 1));
  EXPECT_EQ(p.records[1].TonnageValue, converter_.steps()[1].TonnageValue);
  EXPECT_EQ(0, Read(compact.substr(0, compact.size() - 1), 1));
  EXPECT_EQ(0, Read(compact, 0));  // too short for the padded layout
}

TEST_F(ConverterTest, AMissingFileIsRefused) {
  EXPECT_EQ(0, converter_.ReadRecordFile("C:/none.kpz", 0));
  std::string target = kTarget;
  EXPECT_EQ(0, converter_.ConvertToControlFile("C:/none.kpz", target));
  EXPECT_EQ(kTarget, target);
}

// --- ConvertToControlFile ---

TEST_F(ConverterTest, WritesTheControlFileNextToTheTargetAndRenamesTarget) {
  auto p = ThreeStepsInch();
  mem_.SetFile(kSource, Encode(p));
  std::string target = kTarget;
  ASSERT_EQ(1, Convert(&mem_, &target)) << last_error_;
  EXPECT_EQ("C:/Jobs/2XY1234.NMB", target);
  ASSERT_NE(nullptr, mem_.GetFile(target));
  EXPECT_EQ(ExpectedControlFile(p), *mem_.GetFile(target));
  // Only the source and the control file: no temporary file is left, and
  // the source is the caller's to delete.
  EXPECT_EQ((std::vector<std::string>{"C:/Jobs/2XY1234.NMB", kSource}),
            mem_.ListFiles());
}

TEST_F(ConverterTest, ReplacesAnExistingControlFile) {
  auto p = SimpleProgram(2);
  mem_.SetFile(kSource, Encode(p));
  mem_.SetFile(p.control_file_name, "old program");
  std::string target = kTarget;
  ASSERT_EQ(1, Convert(&mem_, &target));
  EXPECT_EQ(ExpectedControlFile(p), *mem_.GetFile(p.control_file_name));
}

// The rename that publishes the file would replace a read-only one; writing
// it in place would be refused, and so is the conversion.
TEST_F(ConverterTest, AControlFileThatMayNotBeWrittenIsLeftAsItWas) {
  auto p = SimpleProgram(2);
  mem_.SetFile(kSource, Encode(p));
  mem_.SetFile(p.control_file_name, "old program");
  mem_.SetReadOnly(p.control_file_name, true);
  std::string target = kTarget;
  EXPECT_EQ(0, Convert(&mem_, &target));
  EXPECT_EQ(kTarget, target);
  EXPECT_NE(std::string::npos, last_error_.find("Permission denied"))
      << last_error_;
  EXPECT_EQ("old program", *mem_.GetFile(p.control_file_name));
  EXPECT_EQ((std::vector<std::string>{p.control_file_name, kSource}),
            mem_.ListFiles());
}

TEST_F(ConverterTest, TwentyFiveStepsFitTwentySixAreRefused) {
  mem_.SetFile(kSource, Encode(SimpleProgram(25)));
  std::string target = kTarget;
  EXPECT_EQ(1, Convert(&mem_, &target));

  auto p = SimpleProgram(26);  // RecordCount 27: loads, but cannot convert
  mem_.SetFile(kSource, Encode(p));
  ASSERT_TRUE(mem_.Remove(target).ok());
  target = kTarget;
  EXPECT_EQ(0, Convert(&mem_, &target));
  EXPECT_EQ(kTarget, target);
  EXPECT_NE(std::string::npos, last_error_.find("25 step slots"));
  EXPECT_EQ(std::vector<std::string>{kSource}, mem_.ListFiles());
  EXPECT_EQ(1, Read(Encode(p)));
  EXPECT_EQ(26u, converter_.steps().size());
}

TEST_F(ConverterTest, ThePaddedFileConvertedInTheCompactLayoutIsWrong) {
  auto p = ThreeStepsInch();
  mem_.SetFile(kSource, Encode(p));
  std::string target = kTarget;
  ASSERT_EQ(1, Convert(&mem_, &target, 1));
  EXPECT_NE(ExpectedControlFile(p), *mem_.GetFile(target));
  target = kTarget;
  ASSERT_EQ(1, Convert(&mem_, &target, 2));  // 2 reads padded
  EXPECT_EQ(ExpectedControlFile(p), *mem_.GetFile(target));
}

// --- Failures while converting ---

class ConverterFaultTest : public ConverterTest {
 protected:
  static constexpr char kOld[] = "previous control file";
  void Reset(bool with_old) {
    mem_ = MemFileSystem();
    mem_.SetFile(kSource, Encode(sample_));
    if (with_old) mem_.SetFile(sample_.control_file_name, kOld);
  }
  // After a failed conversion: the old control file (or none) and the
  // source, nothing else.
  void ExpectUntouched(bool with_old, const std::string& context) {
    std::vector<std::string> expected = {kSource};
    if (with_old) {
      expected.insert(expected.begin(), sample_.control_file_name);
      ASSERT_NE(nullptr, mem_.GetFile(sample_.control_file_name)) << context;
      EXPECT_EQ(kOld, *mem_.GetFile(sample_.control_file_name)) << context;
    }
    EXPECT_EQ(expected, mem_.ListFiles()) << context;
  }
  ProgramSample sample_ = ThreeStepsInch();
};

TEST_F(ConverterFaultTest, FailingEachOperationInTurnNeverLeavesAHalfFile) {
  for (bool with_old : {false, true}) {
    Reset(with_old);
    FaultInjectingFileSystem counting(&mem_);
    std::string target = kTarget;
    ASSERT_EQ(1, Convert(&counting, &target));
    const int total = counting.TotalCount();
    const std::vector<std::string> log = counting.Log();
    // open, read, close; create, write, sync, close, rename, sync-folder
    ASSERT_EQ(9, total);
    const std::string converted = *mem_.GetFile(sample_.control_file_name);

    for (int i = 1; i <= total; ++i) {
      Reset(with_old);
      FaultInjectingFileSystem fs(&mem_);
      fs.FailOperationNumber(i);
      target = kTarget;
      int r = Convert(&fs, &target);
      const std::string& op = log[static_cast<size_t>(i - 1)];
      // Closing the record file after everything was read loses nothing.
      if (op.find("close " + std::string(kSource)) != std::string::npos) {
        EXPECT_EQ(1, r) << op;
        continue;
      }
      EXPECT_EQ(0, r) << "failing " << op;
      EXPECT_EQ(kTarget, target) << op;
      EXPECT_FALSE(last_error_.empty()) << op;
      // The folder is flushed after the rename: the new file is whole in
      // place, but not known to be on the device.
      if (op.find("sync-folder") != std::string::npos) {
        EXPECT_TRUE(converted == *mem_.GetFile(sample_.control_file_name));
        EXPECT_EQ(2u, mem_.ListFiles().size());
        continue;
      }
      ExpectUntouched(with_old, "failing " + op);
    }
  }
}

TEST_F(ConverterFaultTest, NamedFailuresOfTheControlFileWrite) {
  struct Case {
    const char* what;
    void (*arm)(FaultInjectingFileSystem&);
  };
  const Case cases[] = {
      {"create",
       [](FaultInjectingFileSystem& f) { f.FailNth(FileOp::kCreate, 1); }},
      {"write",
       [](FaultInjectingFileSystem& f) { f.FailNth(FileOp::kWrite, 1); }},
      {"disk full one byte short",
       [](FaultInjectingFileSystem& f) { f.SetDiskCapacity(12663); }},
      {"disk full after the header",
       [](FaultInjectingFileSystem& f) { f.SetDiskCapacity(364); }},
      {"close",
       [](FaultInjectingFileSystem& f) { f.FailNth(FileOp::kClose, 2); }},
      {"rename", [](FaultInjectingFileSystem& f) { f.RefuseRenames(true); }},
      {"short read of the record file",
       [](FaultInjectingFileSystem& f) { f.ShortReadOnNth(1, 100); }},
      {"read",
       [](FaultInjectingFileSystem& f) { f.FailNth(FileOp::kRead, 1); }},
  };
  for (bool with_old : {false, true}) {
    for (const Case& c : cases) {
      Reset(with_old);
      FaultInjectingFileSystem fs(&mem_);
      c.arm(fs);
      std::string target = kTarget;
      EXPECT_EQ(0, Convert(&fs, &target)) << c.what;
      ExpectUntouched(with_old, c.what);
    }
  }
}

TEST_F(ConverterFaultTest, TheConversionNeverSetsALength) {
  // The temporary file is created empty and written whole, so a failing
  // set-length cannot matter; checked so that a later change notices.
  Reset(false);
  FaultInjectingFileSystem fs(&mem_);
  fs.FailFrom(FileOp::kSetLength, 1);
  std::string target = kTarget;
  EXPECT_EQ(1, Convert(&fs, &target));
  EXPECT_EQ(0, fs.Count(FileOp::kSetLength));
}

// --- On the real file system ---

class ConverterRealFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = test_support::MakeTempDir("bendpost_conv_");
    ASSERT_NE("", dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string dir_;
};

TEST_F(ConverterRealFilesTest, WritesAndAtomicallyReplacesOnDisk) {
  FileSystem& fs = RealFileSystem();
  auto p = SimpleProgram(2);
  const std::string source = dir_ + test_support::NativePath("/P1.kpz");
  {
    std::unique_ptr<File> f;
    ASSERT_TRUE(fs.Create(source, &f).ok());
    std::string bytes = Encode(p);
    ASSERT_TRUE(f->Write(bytes.data(), bytes.size()).ok());
    ASSERT_TRUE(f->Close().ok());
  }
  ProgramConverter converter(fs, 0);
  std::string target = dir_ + test_support::NativePath("/P1.NMB");
  ASSERT_EQ(1, converter.ConvertToControlFile(source, target))
      << converter.status().message();
  EXPECT_EQ(dir_ + test_support::NativePath("/2P.NMB"), target);
  EXPECT_EQ(12664u, std::filesystem::file_size(target));

  // A refused rename leaves the file on disk as it was and no temporary.
  FaultInjectingFileSystem faulty(&fs);
  faulty.RefuseRenames(true);
  ProgramConverter faulty_converter(faulty, 0);
  std::string before;
  ASSERT_TRUE(ReadWholeFile(fs, target, &before).ok());
  p.header.HeaderThickness = 9;
  {
    std::unique_ptr<File> f;
    ASSERT_TRUE(fs.Create(source, &f).ok());
    std::string bytes = Encode(p);
    ASSERT_TRUE(f->Write(bytes.data(), bytes.size()).ok());
    ASSERT_TRUE(f->Close().ok());
  }
  std::string target2 = dir_ + test_support::NativePath("/P1.NMB");
  EXPECT_EQ(0, faulty_converter.ConvertToControlFile(source, target2));
  std::string after;
  ASSERT_TRUE(ReadWholeFile(fs, target, &after).ok());
  EXPECT_EQ(before, after);
  EXPECT_FALSE(fs.Exists(ControlFileTemporaryName(target)));
}

TEST_F(ConverterRealFilesTest, AFolderThatCannotHoldTheFileGivesZero) {
  FileSystem& fs = RealFileSystem();
  const std::string source = dir_ + test_support::NativePath("/P1.kpz");
  {
    std::unique_ptr<File> f;
    ASSERT_TRUE(fs.Create(source, &f).ok());
    std::string bytes = Encode(SimpleProgram(1));
    ASSERT_TRUE(f->Write(bytes.data(), bytes.size()).ok());
    ASSERT_TRUE(f->Close().ok());
  }
  ProgramConverter converter(fs, 0);
  std::string target =
      dir_ + test_support::NativePath("/no such folder/P1.NMB");
  EXPECT_EQ(0, converter.ConvertToControlFile(source, target));
  EXPECT_EQ(dir_ + test_support::NativePath("/no such folder/P1.NMB"), target);
  EXPECT_NE(std::string::npos,
            converter.status().message().find("cannot create"));
}

}  // namespace
}  // namespace bendpost
