// The control file's folder on Windows: "\" and "/" both separate, and a
// "\" decides first. And a read-only control file is not replaced by the
// rename that publishes the new one: creating it in place is refused, even
// for an administrator.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "formats/program_converter.h"
#include "platform/file.h"

namespace bendpost {
namespace {

std::string Name(const std::string& target) {
  ControlFileHeader h;
  h.ProgramName = "AB";
  h.NamePrefixDigit = 2;
  return BuildControlFileName(target, h);
}

TEST(BuildControlFileNameTest, BackslashAfterTheFirstCharacterWinsOverSlash) {
  EXPECT_EQ("C:\\Jobs\\2AB.NMB", Name("C:\\Jobs\\P1.NMB"));
  EXPECT_EQ("C:/a\\b\\2AB.NMB", Name("C:/a\\b\\P1.NMB"));
  EXPECT_EQ("/x\\2AB.NMB", Name("/x\\y/P1.NMB"));
  // A "\" only in the first place does not count; a "/" then decides.
  EXPECT_EQ("2AB.NMB", Name("\\P1.NMB"));
  EXPECT_EQ("\\d/2AB.NMB", Name("\\d/P1.NMB"));
}

TEST(WriteControlFileTest, AReadOnlyControlFileIsNotReplaced) {
  char temp[MAX_PATH] = {};
  ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
  const std::string name = std::string(temp) + "bendpost-ro-" +
                           std::to_string(GetCurrentProcessId()) + ".NMB";
  FileSystem& fs = RealFileSystem();
  {
    std::unique_ptr<File> f;
    ASSERT_TRUE(fs.Create(name, &f).ok());
    ASSERT_TRUE(f->Write("old program", 11).ok());
    ASSERT_TRUE(f->Close().ok());
  }
  ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_READONLY));
  ControlFileImage image;
  image.bytes.fill(1);
  const Status written = WriteControlFile(fs, image, name);
  EXPECT_FALSE(written.ok());
  const std::string& error = written.message();
  EXPECT_NE(std::string::npos, error.find("cannot replace")) << error;
  std::string kept;
  EXPECT_TRUE(ReadWholeFile(fs, name, &kept).ok());
  EXPECT_EQ("old program", kept);
  EXPECT_FALSE(fs.Exists(ControlFileTemporaryName(name)));
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(name.c_str());
}

}  // namespace
}  // namespace bendpost
