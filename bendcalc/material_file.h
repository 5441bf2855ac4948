// The material data file: the four material models of one material.
//
// Layout (binary, little-endian, no header, no padding): four model blocks
// back to back, in the order Springback, NeutralFactor, InnerRadius,
// DepthCorrection. Each block:
//
//   2 bytes            not interpreted (written as 0)
//   int16              ModelType
//
// ModelType 1 (polynomial) continues with
//
//   2 bytes            not interpreted
//   int16              TermCount n, 0 to 10
//   2 bytes            not interpreted
//   n x int16          TermCodes (widened to 32 bits in memory)
//   2 bytes            not interpreted
//   (n + 1) x float32  Coefficients, the constant first
//
// ModelType 2 (table) continues with the 187 float32 of ModelTable, row 0
// first, cut into six chunks of 128, 128, 128, 128, 128 and 108 bytes, each
// chunk preceded by 2 bytes that are not interpreted (chunk boundaries fall
// inside rows).
//
// Any other ModelType: the block ends after ModelType. Fields of a model
// that its block does not hold are zero in memory; bytes after the fourth
// block are ignored.
#ifndef BENDPOST_BENDCALC_MATERIAL_FILE_H_
#define BENDPOST_BENDCALC_MATERIAL_FILE_H_

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

#include "base/status.h"
#include "bendcalc/material_model.h"

namespace bendpost {

// Sizes of the layout above, in bytes.
constexpr size_t kMaterialFillerSize = 2;
constexpr size_t kMaterialInt16Size = 2;
constexpr size_t kMaterialFloatSize = 4;
constexpr size_t kMaterialBlockHeadSize =
    kMaterialFillerSize + kMaterialInt16Size;
constexpr size_t kMaterialTableChunkSizes[] = {128, 128, 128, 128, 128, 108};
constexpr size_t kMaterialTableChunkCount = std::size(kMaterialTableChunkSizes);
constexpr size_t kMaterialTableBytes =
    MaterialModel::kTableSize * kMaterialFloatSize;  // 748
static_assert(kMaterialTableChunkSizes[0] + kMaterialTableChunkSizes[1] +
                      kMaterialTableChunkSizes[2] +
                      kMaterialTableChunkSizes[3] +
                      kMaterialTableChunkSizes[4] +
                      kMaterialTableChunkSizes[5] ==
                  kMaterialTableBytes,
              "the table chunks hold the whole model table");
static_assert(kMaterialTableBytes == 748);
// A table block: head, then six chunks each with its 2-byte filler.
constexpr size_t kMaterialTableBlockSize =
    kMaterialBlockHeadSize + kMaterialTableChunkCount * kMaterialFillerSize +
    kMaterialTableBytes;
static_assert(kMaterialTableBlockSize == 764);
// A polynomial block of n terms.
constexpr size_t MaterialPolynomialBlockSize(size_t n) {
  return kMaterialBlockHeadSize + kMaterialFillerSize + kMaterialInt16Size +
         kMaterialFillerSize + n * kMaterialInt16Size + kMaterialFillerSize +
         (n + 1) * kMaterialFloatSize;
}
static_assert(MaterialPolynomialBlockSize(0) == 16);
static_assert(MaterialPolynomialBlockSize(10) == 76);

// Reads the four models from a file's bytes. A file shorter than its blocks
// say, or a TermCount below 0 or above 10, is an error; *models is changed
// only on success.
Status ParseMaterialFile(std::string_view bytes, MaterialModelSet* models);

// Writes the four models in the layout above; every uninterpreted field is
// written as 0. Only the fields of each model's type are written. Fails,
// writing nothing, when a polynomial's TermCount is outside 0..10, or a
// ModelType or term code does not fit 16 bits.
Status EncodeMaterialFile(const MaterialModelSet& models, std::string* bytes);

}  // namespace bendpost

#endif  // BENDPOST_BENDCALC_MATERIAL_FILE_H_
