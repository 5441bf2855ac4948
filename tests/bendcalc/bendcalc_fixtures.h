// Shared models and inputs of the bend calculation tests.
#ifndef BENDPOST_TESTS_BENDCALC_BENDCALC_FIXTURES_H_
#define BENDPOST_TESTS_BENDCALC_BENDCALC_FIXTURES_H_

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "bendcalc/bend_data.h"
#include "bendcalc/material_file.h"
#include "bendcalc/material_model.h"

namespace bendpost::testing {

// A polynomial model: constant, then (code, coefficient) terms.
inline MaterialModel Polynomial(
    float constant, std::initializer_list<std::pair<int, float>> terms = {}) {
  MaterialModel m;
  m.ModelType = MaterialModel::kPolynomial;
  m.Coefficients[0] = constant;
  for (const auto& [code, coefficient] : terms) {
    m.TermCodes[m.TermCount] = code;
    m.Coefficients[m.TermCount + 1] = coefficient;
    ++m.TermCount;
  }
  return m;
}

// The models of the worked example: springback 2, neutral factor 0.4,
// inner radius 10^0 x T, no depth correction.
inline MaterialModelSet WorkedExampleModels() {
  MaterialModelSet set{};
  set[kSpringback] = Polynomial(2);
  set[kNeutralFactor] = Polynomial(0.4f);
  set[kInnerRadius] = Polynomial(0);
  set[kDepthCorrection].ModelType = 0;
  return set;
}

// A set with every kind of block (values exact in binary, so the golden
// file never depends on how a compiler rounds): a polynomial of 3 terms, a
// table, a polynomial of the full 10 terms, and no model.
inline MaterialModelSet MixedModels() {
  MaterialModelSet set{};
  set[kSpringback] =
      Polynomial(1.5f, {{2, -0.25f}, {7, 0.125f}, {12, 0.0625f}});
  MaterialModel& table = set[kNeutralFactor];
  table.ModelType = MaterialModel::kTable;
  for (int j = 1; j <= 10; ++j) table.ModelTable[j] = 2.0f * (j + 1);
  for (int i = 1; i <= 16; ++i) {
    table.ModelTable[i * 11] = 20.0f + 10 * i;
    for (int j = 1; j <= 10; ++j)
      table.ModelTable[i * 11 + j] = 0.25f + i / 64.0f + j / 1024.0f;
  }
  MaterialModel& full = set[kInnerRadius];
  full.ModelType = MaterialModel::kPolynomial;
  full.TermCount = 10;
  full.Coefficients[0] = -0.5f;
  for (int i = 0; i < 10; ++i) {
    full.TermCodes[i] = 2 + 2 * i;
    full.Coefficients[i + 1] = (i + 1) / 128.0f;
  }
  set[kDepthCorrection].ModelType = 0;
  return set;
}

// Bitwise equality of two models (NaNs compare by their bits).
inline bool SameModel(const MaterialModel& a, const MaterialModel& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}
inline bool SameModels(const MaterialModelSet& a, const MaterialModelSet& b) {
  for (int i = 0; i < kMaterialModelCount; ++i)
    if (!SameModel(a[i], b[i])) return false;
  return true;
}

inline std::string Encode(const MaterialModelSet& models) {
  std::string bytes;
  Status s = EncodeMaterialFile(models, &bytes);
  EXPECT_TRUE(s.ok()) << s.message();
  return bytes;
}

// n 1, T 2, V 16, Ad 88, Rd 2, Lm 1, sigma 40, alpha 90.
inline BendMaterialData WorkedExampleMaterial() {
  return BendMaterialData::FromArray({1, 2, 16, 88, 2, 1, 40, 90});
}

// Frame flag 0, Ft 0, Tmax 1000, Tmin 50, Lmax 3000, Cb 1, Pp = Pd = 1000.
inline BendMachineData WorkedExampleMachine() {
  return BendMachineData::FromArray({0, 0, 1000, 50, 3000, 1, 1000, 1000});
}

}  // namespace bendpost::testing

#endif  // BENDPOST_TESTS_BENDCALC_BENDCALC_FIXTURES_H_
