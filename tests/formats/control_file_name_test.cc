// The control file's name from a program's working file and its name.
#include "formats/control_file_name.h"

#include <gtest/gtest.h>

#include <string>

namespace bendpost {
namespace {

// Folder, prefix, extension and the platforms' separators:
// program_converter_test and its _posix/_win32 companions.

TEST(ControlFileNameTest, ADotInAFolderNameIsNeverTheExtension) {
  EXPECT_EQ(ControlFileName("/a.b/x", 2, "NAME"), "/a.b/2NAME");
}

TEST(ControlFileNameTest, TheNameIsShownInCapitalsWithoutTrailingBlanks) {
  EXPECT_EQ(ControlShownName(" ab12 \t"), " AB12");
  EXPECT_EQ(ControlShownName("120700"), "120700");
}

TEST(ControlFileNameTest, TheControlFileHoldsSixBytesOfTheRecordFilesName) {
  EXPECT_EQ(ControlProgramName("ABCDEFGH"), "ABCDEF");
  EXPECT_EQ(ControlProgramName("AB"), "AB    ");
  EXPECT_EQ(ControlProgramName(std::string("A\0B", 3)), "A B   ");
}

}  // namespace
}  // namespace bendpost
