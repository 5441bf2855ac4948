// The Win32 file layer against the real file system (a fresh folder below
// the user's temporary folder).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "platform/file.h"

namespace bendpost {
namespace {

class Win32FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
    dir_ = std::string(temp) + "bendpost-file-test-" +
           std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
  }
  void TearDown() override {
    for (const char* name : {"a.bin", "b.bin", "c.txt"})
      DeleteFileA(Path(name).c_str());
    RemoveDirectoryA(dir_.c_str());
  }
  std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

  void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::unique_ptr<File> f;
    ASSERT_TRUE(fs_.Create(path, &f).ok());
    ASSERT_TRUE(f->Write(bytes.data(), bytes.size()).ok());
    ASSERT_TRUE(f->Close().ok());
  }
  std::string ReadFileBytes(const std::string& path) {
    std::string contents;
    Status s = ReadWholeFile(fs_, path, &contents);
    EXPECT_TRUE(s.ok()) << s.message();
    return contents;
  }

  FileSystem& fs_ = RealFileSystem();
  std::string dir_;
};

TEST_F(Win32FileTest, CreateTruncatesAnExistingFileAndKeepsBinaryBytes) {
  const std::string bytes("A\r\n\0\x1a\xff", 6);
  WriteFileBytes(Path("a.bin"), "a much longer previous content");
  WriteFileBytes(Path("a.bin"), bytes);
  EXPECT_EQ(bytes, ReadFileBytes(Path("a.bin")));
}

TEST_F(Win32FileTest, ReadStopsShortAtTheEndWithoutAnError) {
  WriteFileBytes(Path("a.bin"), "12345");
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.OpenForRead(Path("a.bin"), &f).ok());
  ASSERT_TRUE(f->Seek(3).ok());
  char buf[16] = {};
  size_t got = 99;
  ASSERT_TRUE(f->Read(buf, sizeof buf, &got).ok());
  EXPECT_EQ(2u, got);
  EXPECT_EQ("45", std::string(buf, got));
  ASSERT_TRUE(f->Read(buf, sizeof buf, &got).ok());
  EXPECT_EQ(0u, got);
  EXPECT_TRUE(f->Close().ok());
  EXPECT_TRUE(f->Close().ok());  // twice is harmless
}

TEST_F(Win32FileTest, SetLengthTruncatesAndExtendsWithZerosKeepingThePosition) {
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.Create(Path("a.bin"), &f).ok());
  ASSERT_TRUE(f->Write("abcdef", 6).ok());
  ASSERT_TRUE(f->SetLength(10).ok());
  // The position stayed at 6: this write lands inside the zero fill.
  ASSERT_TRUE(f->Write("X", 1).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_EQ(std::string("abcdefX\0\0\0", 10), ReadFileBytes(Path("a.bin")));

  ASSERT_TRUE(fs_.Create(Path("b.bin"), &f).ok());
  ASSERT_TRUE(f->Write("abcdef", 6).ok());
  ASSERT_TRUE(f->SetLength(2).ok());
  ASSERT_TRUE(f->Seek(2).ok());
  ASSERT_TRUE(f->Write("Z", 1).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_EQ("abZ", ReadFileBytes(Path("b.bin")));
}

TEST_F(Win32FileTest, SeekBeyondTheEndThenWriteFillsTheGapWithZeros) {
  std::unique_ptr<File> f;
  ASSERT_TRUE(fs_.Create(Path("a.bin"), &f).ok());
  ASSERT_TRUE(f->Seek(4).ok());
  ASSERT_TRUE(f->Write("x", 1).ok());
  ASSERT_TRUE(f->Close().ok());
  EXPECT_EQ(std::string("\0\0\0\0x", 5), ReadFileBytes(Path("a.bin")));
}

TEST_F(Win32FileTest, RenameReplacesAnExistingTarget) {
  WriteFileBytes(Path("a.bin"), "new");
  WriteFileBytes(Path("b.bin"), "old and longer");
  Status s = fs_.Rename(Path("a.bin"), Path("b.bin"));
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_FALSE(fs_.Exists(Path("a.bin")));
  EXPECT_EQ("new", ReadFileBytes(Path("b.bin")));
}

TEST_F(Win32FileTest, RemoveDeletesAndExistsSeesFilesAndFolders) {
  WriteFileBytes(Path("a.bin"), "x");
  EXPECT_TRUE(fs_.Exists(Path("a.bin")));
  EXPECT_TRUE(fs_.Exists(dir_));
  ASSERT_TRUE(fs_.Remove(Path("a.bin")).ok());
  EXPECT_FALSE(fs_.Exists(Path("a.bin")));
}

TEST_F(Win32FileTest, FailuresNameTheOperationThePathAndTheSystemReason) {
  std::unique_ptr<File> f;
  Status s = fs_.OpenForRead(Path("missing.bin"), &f);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(nullptr, f);
  const std::string prefix = "cannot open " + Path("missing.bin") + ": ";
  ASSERT_GT(s.message().size(), prefix.size()) << s.message();
  EXPECT_EQ(prefix, s.message().substr(0, prefix.size()));
  EXPECT_NE('\n', s.message().back());

  EXPECT_FALSE(fs_.OpenForRead(dir_, &f).ok());  // a folder is not a file
  EXPECT_FALSE(fs_.Remove(Path("missing.bin")).ok());
  EXPECT_FALSE(fs_.Rename(Path("missing.bin"), Path("b.bin")).ok());
  EXPECT_FALSE(fs_.Exists(Path("b.bin")));
  EXPECT_FALSE(fs_.Create(Path("no-such-folder\\a.bin"), &f).ok());
}

// A pipe ends when its writer closes it, and ReadFile then fails with
// ERROR_BROKEN_PIPE: that is the end of the file, not a failed read. The
// writer flushes (FlushFileBuffers waits until the reader took everything)
// between the halves, so the reader gets them in two reads.
TEST_F(Win32FileTest, APipeIsReadUntilItsWriterClosesIt) {
  const std::string name = "\\\\.\\pipe\\bendpost-file-test-" +
                           std::to_string(GetCurrentProcessId());
  HANDLE server =
      CreateNamedPipeA(name.c_str(), PIPE_ACCESS_OUTBOUND,
                       PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, server);
  std::string bytes(12664, '\0');
  for (size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<char>(i * 31 + 7);
  std::thread writer([&] {
    ConnectNamedPipe(server, nullptr);
    for (const std::string& half :
         {bytes.substr(0, 1000), bytes.substr(1000)}) {
      DWORD written = 0;
      WriteFile(server, half.data(), static_cast<DWORD>(half.size()), &written,
                nullptr);
      FlushFileBuffers(server);
    }
    CloseHandle(server);
  });
  std::string got;
  Status s = ReadWholeFile(fs_, name, &got);
  writer.join();
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(bytes.size(), got.size());
  EXPECT_TRUE(bytes == got);
}

TEST_F(Win32FileTest, TextLinesAcceptBothLineEnds) {
  WriteFileBytes(Path("c.txt"), "P88=PX1\r\nD12=DX\nlast");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(fs_, Path("c.txt"), &lines).ok());
  EXPECT_EQ((std::vector<std::string>{"P88=PX1", "D12=DX", "last"}), lines);
}

}  // namespace
}  // namespace bendpost
