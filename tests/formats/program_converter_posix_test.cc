// The control file's folder on POSIX systems: only "/" separates, so a "\"
// is part of a folder's or a file's name, as it is for the program's naming
// (dialog/program_identity.cc), which built the target in that folder.
// And a read-only control file is not replaced by the rename that
// publishes the new one.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "formats/program_converter.h"
#include "support/temp_dir.h"

namespace bendpost {
namespace {

std::string Name(const std::string& target) {
  ControlFileHeader h;
  h.ProgramName = "AB";
  h.NamePrefixDigit = 2;
  return BuildControlFileName(target, h);
}

TEST(BuildControlFileNameTest, ABackslashIsPartOfAFolderName) {
  EXPECT_EQ("/x\\y/2AB.NMB", Name("/x\\y/P1.NMB"));
  EXPECT_EQ("/home/we\\ird/2AB.NMB", Name("/home/we\\ird/P1.NMB"));
  // Without a "/" there is no folder, whatever "\" the name holds.
  EXPECT_EQ("2AB.NMB", Name("C:\\Jobs\\P1.NMB"));
}

// Root may write a read-only file, so creating it in place would succeed
// for root and so does the replacement: only another user can see the
// refusal (the in-memory file system shows it to every user).
TEST(WriteControlFileTest, AReadOnlyControlFileIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write a read-only file";
  const std::string dir = test_support::MakeTempDir("bendpost_ro_");
  ASSERT_NE("", dir);
  const std::string name = dir + "/2AB.NMB";
  std::ofstream(name, std::ios::binary) << "old program";
  ASSERT_EQ(0, ::chmod(name.c_str(), 0444));
  ControlFileImage image;
  image.bytes.fill(1);
  const Status written = WriteControlFile(RealFileSystem(), image, name);
  EXPECT_FALSE(written.ok());
  const std::string& error = written.message();
  EXPECT_NE(std::string::npos, error.find("Permission denied")) << error;
  std::ifstream in(name, std::ios::binary);
  EXPECT_EQ("old program", std::string(std::istreambuf_iterator<char>(in), {}));
  EXPECT_FALSE(std::filesystem::exists(ControlFileTemporaryName(name)));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace bendpost
