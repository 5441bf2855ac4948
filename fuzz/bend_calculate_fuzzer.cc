// Fuzz target: BendCalculator::Calculate on arbitrary inputs with loaded
// material models.
//
// Input: 16 raw 32-bit floats (little-endian, missing bytes are 0): the
// eight material values, then the eight machine values, in the order of
// BendMaterialData and BendMachineData. Any bytes after them, when they
// read as a material data file, replace the models of material 4.
//
// The material data folder is in memory and holds four fixed model sets:
//   f_1  constant polynomials (springback 2, neutral factor 0.4, inner
//        radius 10^0 x T, no depth correction);
//   f_2  polynomials of every term code and a polynomial depth correction;
//   f_3  tables for all four models;
//   f_4  a mixed set (polynomial, table, full polynomial, no model).
//
// Properties: Depth and Force are finite; the warning is one of the codes
// the calculation knows and only element 0 is written; a material that
// cannot be loaded leaves depth and force 0; a second calculation of the
// same inputs (models already loaded) gives the same bits.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "bendcalc/bend_calculator.h"
#include "bendcalc/bend_data.h"
#include "bendcalc/material_file.h"
#include "bendcalc/material_model.h"
#include "fuzz/fuzz_check.h"
#include "platform/file.h"
#include "platform/path.h"
#include "testing/mem_file_system.h"

namespace {

using namespace bendpost;

constexpr char kDataPath[] = "data";

MaterialModel Polynomial(float constant) {
  MaterialModel m;
  m.ModelType = MaterialModel::kPolynomial;
  m.Coefficients[0] = constant;
  return m;
}

MaterialModelSet ConstantModels() {
  MaterialModelSet set{};
  set[kSpringback] = Polynomial(2);
  set[kNeutralFactor] = Polynomial(0.4f);
  set[kInnerRadius] = Polynomial(0);
  return set;
}

MaterialModelSet EveryTermModels() {
  MaterialModelSet set{};
  for (int i = 0; i < kMaterialModelCount; ++i) {
    MaterialModel& m = set[i];
    m.ModelType = MaterialModel::kPolynomial;
    m.TermCount = MaterialModel::kMaxTerms;
    m.Coefficients[0] = i == kNeutralFactor ? 0.4f : 0.1f * i;
    for (int t = 0; t < m.TermCount; ++t) {
      m.TermCodes[t] = 2 + (t * 2 + i) % 20;  // 2..21
      m.Coefficients[t + 1] = (t % 3 - 1) * 0.05f;
    }
  }
  return set;
}

MaterialModel Table(float base, float per_ratio, float per_angle) {
  MaterialModel m;
  m.ModelType = MaterialModel::kTable;
  for (int j = 1; j < MaterialModel::kTableColumns; ++j)
    m.ModelTable[j] = 2.0f * (j + 1);  // ratios 4..22
  for (int i = 1; i < MaterialModel::kTableRows; ++i) {
    m.ModelTable[i * MaterialModel::kTableColumns] = 20.0f + 10 * i;
    for (int j = 1; j < MaterialModel::kTableColumns; ++j)
      m.ModelTable[i * MaterialModel::kTableColumns + j] =
          base + per_ratio * j + per_angle * i;
  }
  return m;
}

MaterialModelSet TableModels() {
  MaterialModelSet set{};
  set[kSpringback] = Table(0.5f, 0.2f, 0.1f);
  set[kNeutralFactor] = Table(0.3f, 0.01f, 0.005f);
  set[kInnerRadius] = Table(0.8f, 0.1f, 0.02f);
  set[kDepthCorrection] = Table(0.0f, 0.01f, -0.002f);
  return set;
}

MaterialModelSet MixedModels() {
  MaterialModelSet set = EveryTermModels();
  set[kNeutralFactor] = Table(0.3f, 0.01f, 0.005f);
  set[kDepthCorrection] = MaterialModel();
  return set;
}

std::string Encode(const MaterialModelSet& models) {
  std::string bytes;
  FUZZ_CHECK(EncodeMaterialFile(models, &bytes).ok());
  return bytes;
}

std::string FileName(int material) {
  return std::string(kDataPath) + PathSeparator() + "f_" +
         std::to_string(material);
}

// The four files' bytes, encoded once.
const std::string& MaterialFile(int material) {
  static const std::string* files =
      new std::string[4]{Encode(ConstantModels()), Encode(EveryTermModels()),
                         Encode(TableModels()), Encode(MixedModels())};
  return files[material - 1];
}

bool IsKnownWarning(int32_t code) {
  switch (code) {
    case 0:
    case kWarningMaterialNumber:
    case kWarningMaterialFile:
    case kWarningElongation:
    case kWarningOpeningSmall:
    case kWarningOpeningLarge:
    case kWarningBelowMinTonnage:
    case kWarningAboveMaxTonnage:
    case kWarningAbovePunchLimit:
    case kWarningAboveDieLimit:
    case kWarningNotCalculated:
      return true;
    default:
      return false;
  }
}

constexpr int32_t kUntouched = 0x5A5A5A5A;

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kValues =
      BendMaterialData::kFieldCount + BendMachineData::kFieldCount;
  float values[kValues] = {};
  std::memcpy(values, data, std::min(size, sizeof values));
  float material_values[BendMaterialData::kFieldCount];
  float machine_values[BendMachineData::kFieldCount];
  std::memcpy(material_values, values, sizeof material_values);
  std::memcpy(machine_values, values + BendMaterialData::kFieldCount,
              sizeof machine_values);
  const BendMaterialData material =
      BendMaterialData::FromArray(material_values);
  const BendMachineData machine = BendMachineData::FromArray(machine_values);

  MemFileSystem files;
  for (int n = 1; n <= BendCalculator::kMaterialFileCount; ++n)
    files.SetFile(FileName(n), MaterialFile(n));
  if (size > sizeof values) {
    const std::string_view extra(
        reinterpret_cast<const char*>(data) + sizeof values,
        size - sizeof values);
    MaterialModelSet models{};
    if (ParseMaterialFile(extra, &models).ok())
      files.SetFile(FileName(4), std::string(extra));
  }
  BendCalculator calculator(files, kDataPath);
  BendResult result{123, 456};
  WarningCodes warnings;
  warnings.fill(kUntouched);
  calculator.Calculate(material, machine, result, warnings);

  FUZZ_CHECK(std::isfinite(result.Depth));
  FUZZ_CHECK(std::isfinite(result.Force));
  FUZZ_CHECK(IsKnownWarning(warnings[0]));
  for (size_t i = 1; i < warnings.size(); ++i)
    FUZZ_CHECK(warnings[i] == kUntouched);
  if (warnings[0] == kWarningMaterialNumber ||
      warnings[0] == kWarningMaterialFile) {
    FUZZ_CHECK(result.Depth == 0 && result.Force == 0);
  }

  BendResult again{789, 1011};
  WarningCodes warnings_again;
  warnings_again.fill(0);
  calculator.Calculate(material, machine, again, warnings_again);
  FUZZ_CHECK(SameBits(result.Depth, again.Depth));
  FUZZ_CHECK(SameBits(result.Force, again.Force));
  FUZZ_CHECK(warnings_again[0] == warnings[0]);
  return 0;
}
