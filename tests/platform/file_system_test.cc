// The file port's contract, checked on the real file system and on the
// in-memory one alike, and the fault injector.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"
#include "support/temp_dir.h"
#include "testing/fault_file_system.h"
#include "testing/mem_file_system.h"

namespace bendpost {
namespace {

std::string ReadAll(FileSystem& fs, const std::string& path) {
  std::string s;
  Status st = ReadWholeFile(fs, path, &s);
  EXPECT_TRUE(st.ok()) << st.message();
  return s;
}

Status WriteFile(FileSystem& fs, const std::string& path,
                 const std::string& text) {
  std::unique_ptr<File> f;
  Status s = fs.Create(path, &f);
  if (!s.ok()) return s;
  s = f->Write(text.data(), text.size());
  if (!s.ok()) return s;
  return f->Close();
}

// --- The same contract on both file systems ---

class FileContractTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      dir_ = test_support::MakeTempDir("bendpost_fs_");
      ASSERT_NE("", dir_);
      dir_ += "/";
      fs_ = &RealFileSystem();
    } else {
      fs_ = &mem_;
    }
  }
  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  std::string P(const std::string& name) { return dir_ + name; }

  MemFileSystem mem_;
  FileSystem* fs_ = nullptr;
  std::string dir_;
};

TEST_P(FileContractTest, CreateEmptiesAnExistingFile) {
  ASSERT_TRUE(WriteFile(*fs_, P("a"), "long old contents").ok());
  ASSERT_TRUE(WriteFile(*fs_, P("a"), "new").ok());
  EXPECT_EQ("new", ReadAll(*fs_, P("a")));
}

TEST_P(FileContractTest, SeekPastTheEndWritesZerosInTheGapAndReadsStopAtEnd) {
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_->Create(P("b"), &f).ok());
  ASSERT_TRUE(f->Seek(4).ok());
  ASSERT_TRUE(f->Write("xy", 2).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_EQ(std::string("\0\0\0\0xy", 6), ReadAll(*fs_, P("b")));

  ASSERT_TRUE(fs_->OpenForRead(P("b"), &f).ok());
  char buf[8];
  size_t got = 99;
  ASSERT_TRUE(f->Seek(5).ok());
  ASSERT_TRUE(f->Read(buf, sizeof buf, &got).ok());
  EXPECT_EQ(1u, got);
  ASSERT_TRUE(f->Seek(100).ok());
  ASSERT_TRUE(f->Read(buf, sizeof buf, &got).ok());
  EXPECT_EQ(0u, got);
}

TEST_P(FileContractTest, SetLengthGrowsWithZerosAndShrinks) {
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_->Create(P("c"), &f).ok());
  ASSERT_TRUE(f->SetLength(3).ok());
  ASSERT_TRUE(f->Write("A", 1).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_EQ(std::string("A\0\0", 3), ReadAll(*fs_, P("c")));
  ASSERT_TRUE(fs_->Create(P("c"), &f).ok());
  ASSERT_TRUE(f->Write("ABCDEF", 6).ok());
  ASSERT_TRUE(f->SetLength(2).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_EQ("AB", ReadAll(*fs_, P("c")));
}

TEST_P(FileContractTest, RenameReplacesTheTargetAndRemoveDeletes) {
  ASSERT_TRUE(WriteFile(*fs_, P("old"), "old").ok());
  ASSERT_TRUE(WriteFile(*fs_, P("new"), "new").ok());
  ASSERT_TRUE(fs_->Rename(P("new"), P("old")).ok());
  EXPECT_FALSE(fs_->Exists(P("new")));
  EXPECT_EQ("new", ReadAll(*fs_, P("old")));
  ASSERT_TRUE(fs_->Remove(P("old")).ok());
  EXPECT_FALSE(fs_->Exists(P("old")));
}

TEST_P(FileContractTest, PublishingSyncsTheFileAndItsFolder) {
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_->Create(P("p.tmp"), &f).ok());
  ASSERT_TRUE(f->Write("abc", 3).ok());
  Status s = f->Sync();
  EXPECT_TRUE(s.ok()) << s.message();
  ASSERT_TRUE(f->Close().ok());
  EXPECT_FALSE(f->Sync().ok());  // a closed file has nothing to flush
  ASSERT_TRUE(fs_->Rename(P("p.tmp"), P("p")).ok());
  s = fs_->SyncFolderOf(P("p"));
  EXPECT_TRUE(s.ok()) << s.message();
  EXPECT_EQ("abc", ReadAll(*fs_, P("p")));
}

TEST_P(FileContractTest, MissingFilesAreReportedNotThrown) {
  std::unique_ptr<File> f;
  Status s = fs_->OpenForRead(P("none"), &f);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(std::string::npos, s.message().find("none"));
  EXPECT_FALSE(fs_->Rename(P("none"), P("x")).ok());
  EXPECT_FALSE(fs_->Remove(P("none")).ok());
}

TEST_P(FileContractTest, AFileOpenForReadingRefusesWrites) {
  ASSERT_TRUE(WriteFile(*fs_, P("r"), "abc").ok());
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_->OpenForRead(P("r"), &f).ok());
  EXPECT_FALSE(f->Write("x", 1).ok());
  EXPECT_FALSE(f->SetLength(0).ok());
  EXPECT_EQ("abc", ReadAll(*fs_, P("r")));
}

TEST_P(FileContractTest, AClosedFileRefusesUseAndClosesTwiceHarmlessly) {
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_->Create(P("d"), &f).ok());
  ASSERT_TRUE(f->Write("abc", 3).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_TRUE(f->Close().ok());
  char buf[4];
  size_t got = 7;
  EXPECT_FALSE(f->Write("x", 1).ok());
  EXPECT_FALSE(f->Read(buf, 4, &got).ok());
  EXPECT_EQ(0u, got);
  EXPECT_FALSE(f->SetLength(0).ok());
  EXPECT_EQ("abc", ReadAll(*fs_, P("d")));
}

TEST_P(FileContractTest, ReadsAreFullUntilTheEndAndWholeFilesComeBackWhole) {
  for (size_t size : {0u, 1u, 8191u, 8192u, 8193u, 16384u, 70000u}) {
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>(i * 7 + 3);
    ASSERT_TRUE(WriteFile(*fs_, P("w"), text).ok()) << size;
    std::string got;
    ASSERT_TRUE(ReadWholeFile(*fs_, P("w"), &got).ok()) << size;
    EXPECT_TRUE(text == got) << size;

    // A read asking for more than is left gets the rest, then nothing.
    std::unique_ptr<File> f;
    ASSERT_TRUE(fs_->OpenForRead(P("w"), &f).ok());
    std::string buffer(size + 10, 'x');
    size_t n = 0;
    ASSERT_TRUE(f->Seek(size / 2).ok());
    ASSERT_TRUE(f->Read(buffer.data(), buffer.size(), &n).ok());
    EXPECT_EQ(size - size / 2, n);
    ASSERT_TRUE(f->Read(buffer.data(), buffer.size(), &n).ok());
    EXPECT_EQ(0u, n);
  }
}

TEST_P(FileContractTest, TextLinesDropLineEndsAndKeepALastLineWithoutOne) {
  ASSERT_TRUE(WriteFile(*fs_, P("t"), "a b\r\n\nlast").ok());
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(*fs_, P("t"), &lines).ok());
  EXPECT_EQ((std::vector<std::string>{"a b", "", "last"}), lines);
}

TEST_P(FileContractTest, AMissingOrAWritableFileMayBeWritten) {
  EXPECT_TRUE(fs_->CheckWritable(P("none")).ok());
  ASSERT_TRUE(WriteFile(*fs_, P("w"), "abc").ok());
  Status s = fs_->CheckWritable(P("w"));
  EXPECT_TRUE(s.ok()) << s.message();
}

TEST_P(FileContractTest, AFolderListsItsFilesSortedWithoutSubfolders) {
  if (GetParam()) {
    ASSERT_TRUE(std::filesystem::create_directories(P("lib/sub")));
  } else {
    mem_.AddFolder(P("lib"));
  }
  std::vector<std::string> names;
  ASSERT_TRUE(fs_->ListFolder(P("lib"), &names).ok());
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(WriteFile(*fs_, P("lib/b"), "2").ok());
  ASSERT_TRUE(WriteFile(*fs_, P("lib/a"), "1").ok());
  ASSERT_TRUE(WriteFile(*fs_, P("lib/sub/c"), "3").ok());
  ASSERT_TRUE(fs_->ListFolder(P("lib"), &names).ok());
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), names);

  const Status missing = fs_->ListFolder(P("none"), &names);
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(std::string::npos, missing.message().find("cannot list"));
}

INSTANTIATE_TEST_SUITE_P(RealAndMemory, FileContractTest,
                         ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Real" : "Memory";
                         });

// A published file replaces the one before it, but never one this
// process may not write: the rename would replace it whatever its
// permissions.
TEST(WriteFileAtomicallyTest, ReplacesAFileButNotAReadOnlyOne) {
  MemFileSystem fs;
  fs.SetFile("a", "old");
  ASSERT_TRUE(WriteFileAtomically(fs, "a", "new").ok());
  EXPECT_EQ("new", *fs.GetFile("a"));
  fs.SetReadOnly("a", true);
  EXPECT_FALSE(WriteFileAtomically(fs, "a", "newer").ok());
  EXPECT_EQ("new", *fs.GetFile("a"));
  EXPECT_EQ(nullptr, fs.GetFile("a.tmp"));
}

// --- Fault injection ---

class FaultFileSystemTest : public ::testing::Test {
 protected:
  MemFileSystem mem_;
  FaultInjectingFileSystem fs_{&mem_};
};

TEST_F(FaultFileSystemTest, CountsEveryOperationByKindAndInOneSequence) {
  ASSERT_TRUE(WriteFile(fs_, "a", "abc").ok());  // create, write, close
  ASSERT_TRUE(fs_.Rename("a", "b").ok());
  std::string s;
  // open, one read (fewer bytes than asked: the end), close
  ASSERT_TRUE(ReadWholeFile(fs_, "b", &s).ok());
  ASSERT_TRUE(fs_.Remove("b").ok());
  EXPECT_EQ(1, fs_.Count(FileOp::kCreate));
  EXPECT_EQ(1, fs_.Count(FileOp::kWrite));
  EXPECT_EQ(2, fs_.Count(FileOp::kClose));
  EXPECT_EQ(1, fs_.Count(FileOp::kRename));
  EXPECT_EQ(1, fs_.Count(FileOp::kOpenForRead));
  EXPECT_EQ(1, fs_.Count(FileOp::kRead));
  EXPECT_EQ(1, fs_.Count(FileOp::kRemove));
  EXPECT_EQ(8, fs_.TotalCount());
  EXPECT_EQ(3u, fs_.BytesWritten());
  ASSERT_EQ(8u, fs_.Log().size());
  EXPECT_EQ("4 rename a -> b", fs_.Log()[3]);
  fs_.ResetCounts();
  EXPECT_EQ(0, fs_.TotalCount());
}

TEST_F(FaultFileSystemTest, TheNthOperationOfAKindFailsAndOnlyThatOne) {
  fs_.FailNth(FileOp::kWrite, 2);
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.Create("a", &f).ok());
  EXPECT_TRUE(f->Write("1", 1).ok());
  Status s = f->Write("2", 1);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(std::string::npos, s.message().find("write"));
  EXPECT_TRUE(f->Write("3", 1).ok());
  EXPECT_TRUE(f->Close().ok());
  EXPECT_EQ("13", *mem_.GetFile("a"));  // the failed write wrote nothing
}

TEST_F(FaultFileSystemTest, FailFromMakesEveryLaterOperationFail) {
  fs_.FailFrom(FileOp::kSeek, 2);
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.Create("a", &f).ok());
  EXPECT_TRUE(f->Seek(0).ok());
  EXPECT_FALSE(f->Seek(0).ok());
  EXPECT_FALSE(f->Seek(0).ok());
}

TEST_F(FaultFileSystemTest, FailOperationNumberCountsAcrossKinds) {
  fs_.FailOperationNumber(3);  // create, write, close: the close fails
  Status s = WriteFile(fs_, "a", "abc");
  EXPECT_FALSE(s.ok());
  EXPECT_NE(std::string::npos, s.message().find("close"));
  // The file was closed all the same; its bytes reached the wrapped system.
  EXPECT_EQ("abc", *mem_.GetFile("a"));
  EXPECT_NE(std::string::npos, fs_.Log()[2].find("FAILED"));
}

TEST_F(FaultFileSystemTest, FailedCreateOpenRenameAndRemoveChangeNothing) {
  mem_.SetFile("x", "data");
  fs_.FailNth(FileOp::kCreate, 1);
  fs_.FailNth(FileOp::kOpenForRead, 1);
  fs_.FailNth(FileOp::kRemove, 1);
  fs_.RefuseRenames(true);
  std::unique_ptr<File> f;
  EXPECT_FALSE(fs_.Create("x", &f).ok());
  EXPECT_FALSE(fs_.OpenForRead("x", &f).ok());
  EXPECT_FALSE(fs_.Rename("x", "y").ok());
  EXPECT_FALSE(fs_.Rename("x", "y").ok());
  EXPECT_FALSE(fs_.Remove("x").ok());
  EXPECT_EQ("data", *mem_.GetFile("x"));
  EXPECT_EQ(nullptr, mem_.GetFile("y"));
  fs_.ClearFaults();
  EXPECT_TRUE(fs_.Rename("x", "y").ok());
}

TEST_F(FaultFileSystemTest, SyncsAreCountedAndCanFail) {
  fs_.FailNth(FileOp::kSync, 1);
  fs_.FailNth(FileOp::kSyncFolder, 1);
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.Create("a", &f).ok());
  EXPECT_FALSE(f->Sync().ok());
  EXPECT_TRUE(f->Sync().ok());
  EXPECT_FALSE(fs_.SyncFolderOf("a").ok());
  EXPECT_TRUE(fs_.SyncFolderOf("a").ok());
  EXPECT_EQ(2, fs_.Count(FileOp::kSync));
  EXPECT_EQ(2, fs_.Count(FileOp::kSyncFolder));
  EXPECT_EQ("2 sync a FAILED", fs_.Log()[1]);
  EXPECT_EQ("4 sync-folder a FAILED", fs_.Log()[3]);
}

TEST_F(FaultFileSystemTest, DiskFullWritesWhatFitsThenFails) {
  fs_.SetDiskCapacity(5);
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.Create("a", &f).ok());
  EXPECT_TRUE(f->Write("abc", 3).ok());
  Status s = f->Write("defg", 4);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(std::string::npos, s.message().find("No space"));
  EXPECT_FALSE(f->Write("h", 1).ok());
  EXPECT_EQ("abcde", *mem_.GetFile("a"));
  EXPECT_EQ(5u, fs_.BytesWritten());
}

TEST_F(FaultFileSystemTest, WholeFilesAroundTheReadBufferSize) {
  // The whole-file reader reads in 8 KiB pieces and stops at the first
  // short one: sizes at and around the piece boundaries come back whole.
  for (size_t size : {0u, 1u, 8191u, 8192u, 8193u, 16384u, 20000u}) {
    std::string text(size, 'x');
    for (size_t i = 0; i < size; ++i) text[i] = static_cast<char>('a' + i % 26);
    mem_.SetFile("f", text);
    fs_.ResetCounts();
    std::string got;
    ASSERT_TRUE(ReadWholeFile(fs_, "f", &got).ok()) << size;
    EXPECT_EQ(text, got) << size;
    EXPECT_EQ(static_cast<int>(size / 8192 + 1), fs_.Count(FileOp::kRead))
        << size;
  }
}

TEST_F(FaultFileSystemTest, ShortAndFailedReads) {
  mem_.SetFile("a", "abcdef");
  fs_.ShortReadOnNth(1, 2);
  fs_.FailNth(FileOp::kRead, 2);
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.OpenForRead("a", &f).ok());
  char buf[8];
  size_t got = 0;
  ASSERT_TRUE(f->Read(buf, 6, &got).ok());
  EXPECT_EQ(2u, got);
  got = 5;
  EXPECT_FALSE(f->Read(buf, 4, &got).ok());
  EXPECT_EQ(0u, got);
  ASSERT_TRUE(f->Read(buf, 4, &got).ok());
  EXPECT_EQ(4u, got);
  EXPECT_EQ("cdef", std::string(buf, 4));
}

TEST_F(FaultFileSystemTest, WrapsTheRealFileSystemToo) {
  std::string dir = test_support::MakeTempDir("bendpost_fault_");
  ASSERT_NE("", dir);
  FaultInjectingFileSystem real(&RealFileSystem());
  real.FailNth(FileOp::kWrite, 1);
  EXPECT_FALSE(WriteFile(real, dir + "/f", "abc").ok());
  EXPECT_TRUE(RealFileSystem().Exists(dir + "/f"));
  EXPECT_EQ("", ReadAll(RealFileSystem(), dir + "/f"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace bendpost
