// Random and extreme input for the material file reader and the depth and
// force computation: nothing may crash, read out of bounds (the asan preset
// runs this too) or let a NaN or an infinity out of Calculate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <set>
#include <string>

#include "bendcalc/bend_calculator.h"
#include "bendcalc/material_file.h"
#include "platform/path.h"
#include "platform/platform.h"
#include "testing/mem_file_system.h"
#include "tests/bendcalc/bendcalc_fixtures.h"

namespace bendpost {
namespace {

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kDenormal = std::numeric_limits<float>::denorm_min();

const std::set<int> kKnownCodes = {0, 3, 10, 22, 23, 24, 51, 52, 53, 54, 60};

class Random {
 public:
  explicit Random(uint32_t seed) : gen_(seed) {}

  uint32_t Below(uint32_t n) { return gen_() % n; }
  float Uniform(float lo, float hi) {
    return std::uniform_real_distribution<float>(lo, hi)(gen_);
  }
  // Any float: random bits, an extreme, or an ordinary value.
  float AnyFloat() {
    static const float kExtremes[] = {
        0,    -0.0f,     1,      -1, kMax, -kMax, kInf, -kInf,
        kNaN, kDenormal, 1e-30f, 20, 180,  175,   4,    20.0001f};
    switch (Below(5)) {
      case 0: {
        const uint32_t bits = gen_();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
      }
      case 1:
        return kExtremes[Below(std::size(kExtremes))];
      case 2:
        return Uniform(-1000, 1000);
      case 3:
        return Uniform(-5, 5);
      default:
        return static_cast<float>(static_cast<int>(Below(200)) - 20);
    }
  }
  // Mostly a plausible value in [lo, hi], sometimes anything.
  float Value(float lo, float hi) {
    return Below(4) == 0 ? AnyFloat() : Uniform(lo, hi);
  }

  MaterialModel Model() {
    MaterialModel m;
    const uint32_t kind = Below(4);
    if (kind == 0) {
      m.ModelType = static_cast<int32_t>(Below(7)) - 2;
      return m;
    }
    if (kind == 1) {
      m.ModelType = MaterialModel::kPolynomial;
      m.TermCount = static_cast<int32_t>(Below(11));
      for (int i = 0; i < m.TermCount; ++i)
        m.TermCodes[i] = static_cast<int32_t>(Below(30)) - 3;
      for (int i = 0; i <= m.TermCount; ++i) m.Coefficients[i] = Value(-3, 3);
      return m;
    }
    m.ModelType = MaterialModel::kTable;
    const bool ordered = kind == 2;
    for (int j = 1; j <= 10; ++j)
      m.ModelTable[j] = ordered ? 2.0f * j + Uniform(0, 1.5f) : AnyFloat();
    for (int i = 1; i <= 16; ++i) {
      m.ModelTable[i * 11] = ordered ? 10.0f * i + Uniform(0, 9) : AnyFloat();
      for (int j = 1; j <= 10; ++j) m.ModelTable[i * 11 + j] = Value(-2, 2);
    }
    return m;
  }

  std::string MaterialFileBytes() {
    if (Below(4) == 0) {  // plain noise
      std::string bytes(Below(1200), '\0');
      for (char& c : bytes) c = static_cast<char>(Below(256));
      return bytes;
    }
    MaterialModelSet set;
    for (MaterialModel& m : set) m = Model();
    std::string bytes;
    EXPECT_TRUE(EncodeMaterialFile(set, &bytes).ok());
    switch (Below(4)) {
      case 0:  // flip a byte
        if (!bytes.empty()) bytes[Below(bytes.size())] ^= 1 << Below(8);
        break;
      case 1:  // cut
        bytes.resize(Below(static_cast<uint32_t>(bytes.size()) + 1));
        break;
      default:
        break;
    }
    return bytes;
  }

  BendMaterialData Material() {
    BendMaterialData m;
    static const float kNumbers[] = {0, 1, 2, 3, 4, 5, -1, 2.5f, 4.99f};
    m.MaterialNumber =
        Below(8) == 0 ? AnyFloat() : kNumbers[Below(std::size(kNumbers))];
    m.Thickness = Value(0.3f, 12);
    m.VWidth = Value(2, 120);
    m.DieAngle = Value(26, 180);
    m.DieRadius = Value(0, 10);
    m.BendLength = Value(0, 4);
    m.TensileStrength = Value(0, 1000);
    m.BendAngle = Value(15, 185);
    return m;
  }

  BendMachineData Machine() {
    BendMachineData k;
    k.FrameFlag = Below(2) == 0 ? 1.0f : Value(0, 1);
    k.FrameTightness = Value(0, 0.01f);
    k.MaxTonnage = Value(0, 20000);
    k.MinTonnage = Value(0, 500);
    k.MaxBendingLength = Value(0, 6000);
    k.BendingCoefficient = Value(0, 3);
    k.PunchLimit = Value(0, 20000);
    k.DieLimit = Value(0, 20000);
    return k;
  }

 private:
  std::mt19937 gen_;
};

std::string FileOf(int material) {
  return std::string("data") + PathSeparator() + "f_" +
         std::to_string(material);
}

void ExpectSane(const BendResult& r, const WarningCodes& w,
                const std::string& what) {
  ASSERT_TRUE(std::isfinite(r.Depth)) << what;
  ASSERT_TRUE(std::isfinite(r.Force)) << what;
  ASSERT_TRUE(kKnownCodes.count(w[0])) << what << " code " << w[0];
  for (int i = 1; i < 16; ++i) ASSERT_EQ(0, w[i]) << what;
}

std::string Describe(const BendMaterialData& m, const BendMachineData& k) {
  float a[8], b[8];
  m.ToArray(a);
  k.ToArray(b);
  std::string s = "material";
  for (float v : a) s += " " + std::to_string(v);
  s += " machine";
  for (float v : b) s += " " + std::to_string(v);
  return s;
}

TEST(BendRobustnessTest, RandomMaterialFilesNeverOverreadOrOverfill) {
  Random random(20240611);
  for (int iteration = 0; iteration < 4000; ++iteration) {
    const std::string bytes = random.MaterialFileBytes();
    MaterialModelSet models = testing::WorkedExampleModels();
    const MaterialModelSet before = models;
    const Status s = ParseMaterialFile(bytes, &models);
    if (!s.ok()) {
      ASSERT_TRUE(testing::SameModels(before, models)) << iteration;
      continue;
    }
    for (const MaterialModel& m : models) {
      ASSERT_GE(m.TermCount, 0);
      ASSERT_LE(m.TermCount, MaterialModel::kMaxTerms);
    }
    // Whatever was read writes back to a file that reads the same.
    std::string again;
    ASSERT_TRUE(EncodeMaterialFile(models, &again).ok());
    MaterialModelSet reread;
    ASSERT_TRUE(ParseMaterialFile(again, &reread).ok());
    ASSERT_TRUE(testing::SameModels(models, reread)) << iteration;
  }
}

TEST(BendRobustnessTest, RandomFilesAndBlocksGiveFiniteResults) {
  Random random(7031);
  std::map<int, int> codes;  // how often each warning code came out
  int with_depth = 0;
  for (int iteration = 0; iteration < 3000; ++iteration) {
    MemFileSystem fs;
    for (int n = 1; n <= 4; ++n) {
      if (random.Below(8) != 0)
        fs.SetFile(FileOf(n), random.MaterialFileBytes());
    }
    BendCalculator calculator(fs, "data");
    // Two calculations per calculator: the second may reuse the models.
    for (int round = 0; round < 2; ++round) {
      const BendMaterialData m = random.Material();
      const BendMachineData k = random.Machine();
      BendResult result;
      WarningCodes warnings{};
      calculator.Calculate(m, k, result, warnings);
      ExpectSane(
          result, warnings,
          "iteration " + std::to_string(iteration) + " " + Describe(m, k));
      ++codes[warnings[0]];
      if (result.Depth != 0) ++with_depth;
    }
  }
  // The input reaches every part of the computation, not just the loader.
  EXPECT_GT(with_depth, 500);
  for (int code : kKnownCodes) EXPECT_GT(codes[code], 0) << "code " << code;
}

TEST(BendRobustnessTest, RandomModelsEvaluateWithoutTrouble) {
  Random random(99);
  for (int iteration = 0; iteration < 3000; ++iteration) {
    const MaterialModel m = random.Model();
    const float angle = random.Value(0, 200);
    const float v = random.Value(1, 100);
    const float t = random.Value(0.1f, 10);
    // Any float may come out (NaN included); the point is no crash and no
    // read outside the model (asan).
    (void)EvaluatePolynomialModel(m, angle, v, t);
    (void)EvaluateTableModel(m, angle, v, t);
  }
}

TEST(BendRobustnessTest, ExtremeBlocksGiveFiniteResults) {
  MaterialModelSet table_models = testing::MixedModels();
  table_models[kDepthCorrection] = table_models[kNeutralFactor];
  const MaterialModelSet model_sets[] = {testing::WorkedExampleModels(),
                                         testing::MixedModels(), table_models};
  const float thicknesses[] = {2, 1e30f, kMax, kInf, 1e-30f, kDenormal, -2};
  const float angles[] = {20, 180, 175, 90, 19.999f, 179.999f};
  const float radii[] = {0, 2, kMax};
  const float strengths[] = {0, 40, kMax};
  const float widths[] = {16, kMax, 1e-30f};
  int count = 0;
  for (const MaterialModelSet& set : model_sets) {
    MemFileSystem fs;
    fs.SetFile(FileOf(1), testing::Encode(set));
    BendCalculator calculator(fs, "data");
    for (float t : thicknesses)
      for (float alpha : angles)
        for (float rd : radii)
          for (float sigma : strengths)
            for (float v : widths) {
              BendMaterialData m = testing::WorkedExampleMaterial();
              m.Thickness = t;
              m.BendAngle = alpha;
              m.DieRadius = rd;
              m.TensileStrength = sigma;
              m.VWidth = v;
              for (BendMachineData k :
                   {testing::WorkedExampleMachine(),
                    BendMachineData::FromArray({1, 1, 0, 0, 0, 0, 0, 0}),
                    BendMachineData::FromArray(
                        {1, kMax, kMax, kMax, kDenormal, kMax, kMax, kMax})}) {
                BendResult result;
                WarningCodes warnings{};
                calculator.Calculate(m, k, result, warnings);
                ExpectSane(result, warnings, Describe(m, k));
                ++count;
              }
            }
  }
  EXPECT_EQ(3 * 7 * 6 * 3 * 3 * 3 * 3, count);
}

}  // namespace
}  // namespace bendpost
