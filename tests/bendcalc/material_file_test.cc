#include "bendcalc/material_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/le_bytes.h"
#include "base/text.h"
#include "tests/bendcalc/bendcalc_fixtures.h"

namespace bendpost {
namespace {

using testing::Encode;
using testing::MixedModels;
using testing::Polynomial;
using testing::SameModels;

// Offsets of the blocks of MixedModels' file.
constexpr size_t kSpringbackAt = 0;
constexpr size_t kTableAt = kSpringbackAt + MaterialPolynomialBlockSize(3);
constexpr size_t kFullAt = kTableAt + kMaterialTableBlockSize;
constexpr size_t kNoModelAt = kFullAt + MaterialPolynomialBlockSize(10);
constexpr size_t kMixedSize = kNoModelAt + kMaterialBlockHeadSize;
static_assert(kMixedSize == 34 + 764 + 76 + 4);

const uint8_t* Bytes(const std::string& s, size_t at) {
  return reinterpret_cast<const uint8_t*>(s.data()) + at;
}

TEST(MaterialFileWriterTest, PolynomialBlockLayout) {
  MaterialModelSet set{};
  set[kSpringback] = Polynomial(1.5f, {{2, -0.25f}, {21, 4}});
  set[kSpringback].ModelTable[5] = 9;  // not part of a polynomial block
  const std::string bytes = Encode(set);
  ASSERT_EQ(MaterialPolynomialBlockSize(2) + 3 * kMaterialBlockHeadSize,
            bytes.size());
  EXPECT_EQ(0, GetU16(Bytes(bytes, 0)));   // not interpreted
  EXPECT_EQ(1, GetI16(Bytes(bytes, 2)));   // ModelType
  EXPECT_EQ(0, GetU16(Bytes(bytes, 4)));   // not interpreted
  EXPECT_EQ(2, GetI16(Bytes(bytes, 6)));   // TermCount
  EXPECT_EQ(0, GetU16(Bytes(bytes, 8)));   // not interpreted
  EXPECT_EQ(2, GetI16(Bytes(bytes, 10)));  // TermCodes
  EXPECT_EQ(21, GetI16(Bytes(bytes, 12)));
  EXPECT_EQ(0, GetU16(Bytes(bytes, 14)));     // not interpreted
  EXPECT_EQ(1.5f, GetF32(Bytes(bytes, 16)));  // Coefficients
  EXPECT_EQ(-0.25f, GetF32(Bytes(bytes, 20)));
  EXPECT_EQ(4.0f, GetF32(Bytes(bytes, 24)));
  // The three empty blocks: filler and type 0.
  EXPECT_EQ(std::string(12, '\0'), bytes.substr(28));
}

TEST(MaterialFileWriterTest, TableBlockIsSixChunksEachAfterTwoBytes) {
  MaterialModelSet set{};
  set[kSpringback].ModelType = MaterialModel::kTable;
  for (int i = 0; i < MaterialModel::kTableSize; ++i)
    set[kSpringback].ModelTable[i] = static_cast<float>(i + 1);
  set[kSpringback].TermCount = 3;  // not part of a table block
  const std::string bytes = Encode(set);
  ASSERT_EQ(kMaterialTableBlockSize + 3 * kMaterialBlockHeadSize, bytes.size());
  EXPECT_EQ(2, GetI16(Bytes(bytes, 2)));
  size_t at = kMaterialBlockHeadSize;
  int index = 0;
  for (size_t chunk : {128, 128, 128, 128, 128, 108}) {
    EXPECT_EQ(0, GetU16(Bytes(bytes, at))) << "filler at " << at;
    at += 2;
    for (size_t k = 0; k < chunk; k += 4, at += 4, ++index)
      ASSERT_EQ(index + 1.0f, GetF32(Bytes(bytes, at))) << "float " << index;
  }
  EXPECT_EQ(187, index);
  EXPECT_EQ(kMaterialTableBlockSize, at);
  // Chunk boundaries fall inside rows: the second chunk starts with the
  // 33rd float, row 2's column 10.
  EXPECT_EQ(33.0f, GetF32(Bytes(bytes, 4 + 2 + 128 + 2)));
}

TEST(MaterialFileWriterTest, RejectsWhatTheFormatCannotHoldAndWritesNothing) {
  std::string bytes = "unchanged";
  MaterialModelSet set = MixedModels();
  set[kInnerRadius].TermCount = 11;
  EXPECT_FALSE(EncodeMaterialFile(set, &bytes).ok());
  set[kInnerRadius].TermCount = -1;
  EXPECT_FALSE(EncodeMaterialFile(set, &bytes).ok());
  set = MixedModels();
  set[kSpringback].TermCodes[2] = 40000;
  EXPECT_FALSE(EncodeMaterialFile(set, &bytes).ok());
  set = MixedModels();
  set[kDepthCorrection].ModelType = -40000;
  EXPECT_FALSE(EncodeMaterialFile(set, &bytes).ok());
  EXPECT_EQ("unchanged", bytes);
  // A term count beyond 10 in a model that is not a polynomial is not
  // written, so it is no error.
  set = MixedModels();
  set[kDepthCorrection].TermCount = 99;
  EXPECT_TRUE(EncodeMaterialFile(set, &bytes).ok());
}

TEST(MaterialFileReaderTest, RoundTripKeepsEveryFieldOfTheBlockType) {
  const MaterialModelSet set = MixedModels();
  const std::string bytes = Encode(set);
  ASSERT_EQ(kMixedSize, bytes.size());
  MaterialModelSet read{};
  ASSERT_TRUE(ParseMaterialFile(bytes, &read).ok());
  EXPECT_TRUE(SameModels(set, read));
}

TEST(MaterialFileReaderTest, FieldsOutsideTheBlockTypeAreZero) {
  MaterialModelSet set{};
  set[kSpringback] = Polynomial(1, {{2, 1}});
  set[kSpringback].ModelTable[100] = 7;
  set[kNeutralFactor].ModelType = MaterialModel::kTable;
  set[kNeutralFactor].TermCount = 2;
  set[kNeutralFactor].Coefficients[0] = 3;
  set[kInnerRadius].ModelType = 9;  // no model, any number
  set[kInnerRadius].TermCount = 4;
  set[kInnerRadius].ModelTable[0] = 1;
  MaterialModelSet read = MixedModels();  // overwritten completely
  ASSERT_TRUE(ParseMaterialFile(Encode(set), &read).ok());
  EXPECT_EQ(0.0f, read[kSpringback].ModelTable[100]);
  EXPECT_EQ(0, read[kNeutralFactor].TermCount);
  EXPECT_EQ(0.0f, read[kNeutralFactor].Coefficients[0]);
  EXPECT_EQ(9, read[kInnerRadius].ModelType);
  EXPECT_EQ(0, read[kInnerRadius].TermCount);
  EXPECT_EQ(0.0f, read[kInnerRadius].ModelTable[0]);
  MaterialModel empty;
  EXPECT_TRUE(testing::SameModel(empty, read[kDepthCorrection]));
}

TEST(MaterialFileReaderTest, UninterpretedBytesAndTrailingBytesAreIgnored) {
  const MaterialModelSet set = MixedModels();
  std::string bytes = Encode(set);
  auto smear = [&](size_t at) { bytes[at] = bytes[at + 1] = '\xA5'; };
  for (size_t block : {kSpringbackAt, kFullAt}) {
    smear(block);
    smear(block + 4);
    smear(block + 8);
  }
  smear(kSpringbackAt + 10 + 3 * 2);
  smear(kFullAt + 10 + 10 * 2);
  smear(kTableAt);
  for (size_t at = kTableAt + 4, k = 0; k < 6; ++k) {
    smear(at);
    at += 2 + kMaterialTableChunkSizes[k];
  }
  smear(kNoModelAt);
  bytes += "trailing bytes";
  MaterialModelSet read{};
  ASSERT_TRUE(ParseMaterialFile(bytes, &read).ok());
  EXPECT_TRUE(SameModels(set, read));
}

TEST(MaterialFileReaderTest, EveryTruncationIsAnErrorAndChangesNothing) {
  const std::string bytes = Encode(MixedModels());
  const MaterialModelSet before = testing::WorkedExampleModels();
  for (size_t length = 0; length < bytes.size(); ++length) {
    MaterialModelSet read = before;
    const Status s =
        ParseMaterialFile(std::string_view(bytes).substr(0, length), &read);
    EXPECT_FALSE(s.ok()) << "length " << length;
    EXPECT_TRUE(SameModels(before, read)) << "length " << length;
  }
}

TEST(MaterialFileReaderTest, TermCountOutsideZeroToTenIsAnError) {
  const std::string good = Encode(MixedModels());
  for (size_t count_at : {kSpringbackAt + 6, kFullAt + 6}) {
    for (int16_t count : {-1, 11, 12, INT16_MAX, INT16_MIN}) {
      std::string bytes = good + std::string(200, '\0');  // room for terms
      PutI16(reinterpret_cast<uint8_t*>(bytes.data()) + count_at, count);
      MaterialModelSet read{};
      const Status s = ParseMaterialFile(bytes, &read);
      EXPECT_FALSE(s.ok()) << count << " at " << count_at;
      EXPECT_NE(std::string::npos, s.message().find("terms")) << s.message();
    }
  }
  // The full ten terms are fine (the InnerRadius block has them).
  MaterialModelSet read{};
  EXPECT_TRUE(ParseMaterialFile(good, &read).ok());
  EXPECT_EQ(10, read[kInnerRadius].TermCount);
}

// A readable dump of decoded models, kept beside the golden bytes.
std::string Dump(const MaterialModelSet& set) {
  static const char* const kNames[] = {"Springback", "NeutralFactor",
                                       "InnerRadius", "DepthCorrection"};
  std::ostringstream out;
  out << "# Material data file: four model blocks, decoded.\n";
  for (int b = 0; b < kMaterialModelCount; ++b) {
    const MaterialModel& m = set[b];
    out << "block " << b << " " << kNames[b] << "\n";
    out << "  ModelType " << m.ModelType << "\n";
    if (m.ModelType == MaterialModel::kPolynomial) {
      out << "  TermCount " << m.TermCount << "\n  TermCodes";
      for (int i = 0; i < m.TermCount; ++i) out << " " << m.TermCodes[i];
      out << "\n  Coefficients";
      for (int i = 0; i <= m.TermCount; ++i)
        out << " " << FormatFloat(m.Coefficients[i]);
      out << "\n";
    } else if (m.ModelType == MaterialModel::kTable) {
      for (int r = 0; r < MaterialModel::kTableRows; ++r) {
        out << "  row " << r << ":";
        for (int c = 0; c < MaterialModel::kTableColumns; ++c)
          out << " " << FormatFloat(m.TableAt(r, c));
        out << "\n";
      }
    }
  }
  return out.str();
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

TEST(MaterialFileGoldenTest, WriterAndReaderMatchTheCommittedFile) {
  const std::string dir = std::string(BENDPOST_TESTDATA_DIR) + "/bendcalc/";
  const std::string bin_path = dir + "material_mixed.bin";
  const std::string txt_path = dir + "material_mixed.txt";
  const MaterialModelSet set = MixedModels();
  const std::string bytes = Encode(set);
  const char* update = std::getenv("BENDPOST_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    WriteFileBytes(bin_path, bytes);
    WriteFileBytes(txt_path, Dump(set));
  }
  const std::string golden = ReadFileBytes(bin_path);
  ASSERT_FALSE(golden.empty()) << "missing " << bin_path;
  EXPECT_TRUE(bytes == golden) << "the writer's bytes differ from " << bin_path;
  MaterialModelSet read{};
  ASSERT_TRUE(ParseMaterialFile(golden, &read).ok());
  EXPECT_TRUE(SameModels(set, read));
  EXPECT_EQ(ReadFileBytes(txt_path), Dump(read));
}

}  // namespace
}  // namespace bendpost
