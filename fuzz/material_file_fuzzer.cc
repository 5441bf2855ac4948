// Fuzz target: the material data file reader, then one evaluation of each
// model it loaded.
//
// Input: the bytes of a material data file. The reader ignores bytes after
// the fourth block; the last 12 bytes of the input (when there are that
// many) also give an evaluation point as three raw floats (angle, V width,
// thickness), so NaNs, infinities, zeros and denormals reach the
// evaluators. Each model is also evaluated at an ordinary point.
//
// Properties: a refused file leaves the models as they were; a loaded set
// encodes without error and reads back bit for bit; evaluation never reads
// outside a model (the sanitizers watch that).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "bendcalc/material_file.h"
#include "bendcalc/material_model.h"
#include "fuzz/fuzz_check.h"

namespace {

using bendpost::MaterialModel;
using bendpost::MaterialModelSet;

bool SameModels(const MaterialModelSet& a, const MaterialModelSet& b) {
  return std::memcmp(a.data(), b.data(), sizeof(MaterialModel) * a.size()) == 0;
}

// A set no file produces: every byte 0xA5.
MaterialModelSet Sentinel() {
  MaterialModelSet set;
  std::memset(static_cast<void*>(set.data()), 0xA5,
              sizeof(MaterialModel) * set.size());
  return set;
}

volatile float sink;

void Evaluate(const MaterialModel& model, float angle, float v_width,
              float thickness) {
  // Both evaluators accept any model, whatever its type says.
  sink = bendpost::EvaluatePolynomialModel(model, angle, v_width, thickness);
  sink = bendpost::EvaluateTableModel(model, angle, v_width, thickness);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  MaterialModelSet models = Sentinel();
  const bendpost::Status parsed = bendpost::ParseMaterialFile(bytes, &models);
  if (!parsed.ok()) {
    FUZZ_CHECK(!parsed.message().empty());
    FUZZ_CHECK(SameModels(models, Sentinel()));
    return 0;
  }
  for (const MaterialModel& m : models) {
    FUZZ_CHECK(m.ModelType != MaterialModel::kPolynomial ||
               (m.TermCount >= 0 && m.TermCount <= MaterialModel::kMaxTerms));
  }

  std::string encoded;
  FUZZ_CHECK(bendpost::EncodeMaterialFile(models, &encoded).ok());
  FUZZ_CHECK(encoded.size() <= size);
  MaterialModelSet again = Sentinel();
  FUZZ_CHECK(bendpost::ParseMaterialFile(encoded, &again).ok());
  FUZZ_CHECK(SameModels(models, again));

  float point[3] = {90, 16, 2};
  for (const MaterialModel& m : models)
    Evaluate(m, point[0], point[1], point[2]);
  if (size >= sizeof point) {
    std::memcpy(point, data + size - sizeof point, sizeof point);
    for (const MaterialModel& m : models)
      Evaluate(m, point[0], point[1], point[2]);
  }
  return 0;
}
