// The control file's folder on Windows: "\" and "/" both separate, and a
// "\" decides first.
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

TEST(BuildControlFileNameTest, BackslashAfterTheFirstCharacterWinsOverSlash) {
  EXPECT_EQ("C:\\Jobs\\2AB.NMB", Name("C:\\Jobs\\P1.NMB"));
  EXPECT_EQ("C:/a\\b\\2AB.NMB", Name("C:/a\\b\\P1.NMB"));
  EXPECT_EQ("/x\\2AB.NMB", Name("/x\\y/P1.NMB"));
  // A "\" only in the first place does not count; a "/" then decides.
  EXPECT_EQ("2AB.NMB", Name("\\P1.NMB"));
  EXPECT_EQ("\\d/2AB.NMB", Name("\\d/P1.NMB"));
}

}  // namespace
}  // namespace bendpost
