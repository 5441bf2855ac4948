// The catalogue of a program folder: control files told by their contents,
// damaged ones kept with their problems, the rest counted, newest first.
#include "formats/program_catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "formats/creation_stamp.h"
#include "platform/path.h"
#include "testing/mem_file_system.h"

namespace bendpost {
namespace {

std::string Sample(const std::string& name) {
  std::ifstream in(std::string(BENDPOST_TESTDATA_DIR) + "/program/" + name,
                   std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The three-step sample with another part reference and creation date.
std::string Program(const std::string& part, uint8_t yy, uint8_t mm,
                    uint8_t dd) {
  std::string bytes = Sample("three_steps_inch.nmb");
  DecodedControlFile f;
  EXPECT_TRUE(DecodeControlFile(bytes, &f).ok());
  f.header.PartReference = part;
  f.header.CreationStamp = CreationStamp(yy, mm, dd);
  EncodeControlFileHeader(f.header, reinterpret_cast<uint8_t*>(bytes.data()));
  return bytes;
}

// A file of the folder "lib", named the way the catalogue names it (with
// the platform's separator).
std::string In(const std::string& name) {
  return std::string("lib") + PathSeparator() + name;
}

std::vector<std::string> Files(const ProgramCatalogue& c) {
  std::vector<std::string> names;
  for (const CatalogueEntry& e : c.programs) names.push_back(e.file);
  return names;
}

TEST(ProgramCatalogueTest, ListsControlFilesByContentAndCountsTheRest) {
  MemFileSystem fs;
  fs.SetFile(In("2250101.NMB"), Program("BRACKET", 25, 1, 1));
  fs.SetFile(In("renamed.txt"), Program("COVER", 25, 1, 2));
  fs.SetFile(In("notes.NMB"), "not a program\n");
  fs.SetFile(In("short.NMB"), Program("X", 25, 1, 1).substr(0, 12663));
  ProgramCatalogue c;
  ASSERT_TRUE(ReadProgramCatalogue(fs, "lib", &c).ok());
  ASSERT_EQ((std::vector<std::string>{"renamed.txt", "2250101.NMB"}), Files(c));
  EXPECT_EQ(2u, c.other_files);
  const CatalogueEntry& e = c.programs[1];
  EXPECT_FALSE(e.damaged());
  EXPECT_EQ(In("2250101.NMB"), e.path);
  EXPECT_EQ("BRACKET", e.header.PartReference);
  EXPECT_EQ("25-01-01 11:22", e.created);
  EXPECT_EQ(3u, e.steps);
  EXPECT_EQ(0u, e.zero_depth_steps);
}

TEST(ProgramCatalogueTest, ADamagedControlFileIsListedWithItsProblem) {
  std::string bytes = Program("BRACKET", 25, 1, 1);
  bytes[control_file::SlotOffset(1)] = 7;  // slot 1's block kind
  MemFileSystem fs;
  fs.SetFile(In("bad.NMB"), bytes);
  ProgramCatalogue c;
  ASSERT_TRUE(ReadProgramCatalogue(fs, "lib", &c).ok());
  ASSERT_EQ(1u, c.programs.size());
  ASSERT_TRUE(c.programs[0].damaged());
  EXPECT_EQ("slot 1 block kind is 7, not 1", c.programs[0].problems.back());
  EXPECT_EQ("BRACKET", c.programs[0].header.PartReference);
}

TEST(ProgramCatalogueTest, NewestFirstAcrossTheStampsWrapThenByName) {
  MemFileSystem fs;
  // From year 43 on the stamp wraps below the stamps of earlier years.
  fs.SetFile(In("a"), Program("A", 42, 12, 31));
  fs.SetFile(In("b"), Program("B", 43, 1, 1));
  fs.SetFile(In("d"), Program("D", 26, 5, 5));
  fs.SetFile(In("c"), Program("C", 26, 5, 5));
  std::string undated = Program("E", 26, 5, 5);
  undated[80] = 0;  // a stamp whose last digits are not 1122
  fs.SetFile(In("e"), undated);
  ProgramCatalogue c;
  ASSERT_TRUE(ReadProgramCatalogue(fs, "lib", &c).ok());
  ASSERT_EQ((std::vector<std::string>{"b", "a", "c", "d", "e"}), Files(c));
  EXPECT_EQ("43-01-01 11:22", c.programs[0].created);
  EXPECT_EQ("", c.programs[4].created);
}

TEST(ProgramCatalogueTest, PartFilterIgnoresAsciiCase) {
  MemFileSystem fs;
  fs.SetFile(In("1"), Program("Bracket-7", 25, 1, 1));
  fs.SetFile(In("2"), Program("COVER", 25, 1, 2));
  fs.SetFile(In("3"), Program("BIG BRACKET", 25, 1, 3));
  ProgramCatalogue c;
  ASSERT_TRUE(ReadProgramCatalogue(fs, "lib", &c).ok());
  KeepPartReference("bRACKet", &c);
  EXPECT_EQ((std::vector<std::string>{"3", "1"}), Files(c));
  KeepPartReference("", &c);
  EXPECT_EQ(2u, c.programs.size());
}

TEST(ProgramCatalogueTest, AFolderThatCannotBeListedFails) {
  MemFileSystem fs;
  ProgramCatalogue c;
  const Status s = ReadProgramCatalogue(fs, "none", &c);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ("cannot list none: No such file or directory", s.message());
}

TEST(ProgramCatalogueTest, StepsWithoutDepthAreCounted) {
  std::string bytes = Program("P", 25, 1, 1);
  DecodedControlFile f;
  ASSERT_TRUE(DecodeControlFile(bytes, &f).ok());
  f.steps[1].Y1 = 0;
  f.steps[1].Y2 = 0;
  f.steps[2].Y1 = 0;  // Y2 still holds a depth
  for (size_t k = 0; k < 3; ++k)
    EncodeControlFileStep(
        f.steps[k],
        reinterpret_cast<uint8_t*>(bytes.data() + control_file::SlotOffset(k)));
  EXPECT_EQ(1u, CatalogueEntryOf("x", "x", bytes).zero_depth_steps);
}

}  // namespace
}  // namespace bendpost
