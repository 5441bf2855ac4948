// The control file's folder on POSIX systems: only "/" separates, so a "\"
// is part of a folder's or a file's name, as it is for the program's naming
// (dialog/program_identity.cc), which built the target in that folder.
#include <gtest/gtest.h>

#include <string>

#include "formats/program_converter.h"

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

}  // namespace
}  // namespace bendpost
