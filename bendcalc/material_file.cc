#include "bendcalc/material_file.h"

#include <cstdint>
#include <utility>

#include "base/le_bytes.h"

namespace bendpost {
namespace {

const char* const kModelNames[kMaterialModelCount] = {
    "Springback", "NeutralFactor", "InnerRadius", "DepthCorrection"};

// Reads the file front to back; every read checks the remaining length.
class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  size_t offset() const { return offset_; }
  bool Skip(size_t n) {
    if (bytes_.size() - offset_ < n) return false;
    offset_ += n;
    return true;
  }
  bool ReadI16(int16_t* v) {
    const uint8_t* p = Take(kMaterialInt16Size);
    if (p == nullptr) return false;
    *v = GetI16(p);
    return true;
  }
  bool ReadF32(float* v) {
    const uint8_t* p = Take(kMaterialFloatSize);
    if (p == nullptr) return false;
    *v = GetF32(p);
    return true;
  }

 private:
  const uint8_t* Take(size_t n) {
    if (bytes_.size() - offset_ < n) return nullptr;
    const uint8_t* p =
        reinterpret_cast<const uint8_t*>(bytes_.data()) + offset_;
    offset_ += n;
    return p;
  }

  std::string_view bytes_;
  size_t offset_ = 0;
};

Status Truncated(int block, const Reader& reader) {
  return Status::Error(std::string("material file ends inside the ") +
                       kModelNames[block] + " block (at byte " +
                       std::to_string(reader.offset()) + ")");
}

Status ParseBlock(Reader& reader, int block, MaterialModel* model) {
  int16_t type = 0;
  if (!reader.Skip(kMaterialFillerSize) || !reader.ReadI16(&type))
    return Truncated(block, reader);
  model->ModelType = type;

  if (type == MaterialModel::kTable) {
    int index = 0;
    for (size_t chunk : kMaterialTableChunkSizes) {
      if (!reader.Skip(kMaterialFillerSize)) return Truncated(block, reader);
      for (size_t i = 0; i < chunk / kMaterialFloatSize; ++i) {
        if (!reader.ReadF32(&model->ModelTable[index++]))
          return Truncated(block, reader);
      }
    }
    return Status::OK();
  }

  if (type == MaterialModel::kPolynomial) {
    int16_t count = 0;
    if (!reader.Skip(kMaterialFillerSize) || !reader.ReadI16(&count))
      return Truncated(block, reader);
    if (count < 0 || count > MaterialModel::kMaxTerms) {
      return Status::Error(std::string("material file: ") + kModelNames[block] +
                           " has " + std::to_string(count) +
                           " terms (0 to 10 allowed)");
    }
    model->TermCount = count;
    if (!reader.Skip(kMaterialFillerSize)) return Truncated(block, reader);
    for (int i = 0; i < count; ++i) {
      int16_t code = 0;
      if (!reader.ReadI16(&code)) return Truncated(block, reader);
      model->TermCodes[i] = code;
    }
    if (!reader.Skip(kMaterialFillerSize)) return Truncated(block, reader);
    for (int i = 0; i <= count; ++i) {
      if (!reader.ReadF32(&model->Coefficients[i]))
        return Truncated(block, reader);
    }
  }
  // Any other type: no model, the block ends here.
  return Status::OK();
}

void PutFiller(std::string* out) { out->append(kMaterialFillerSize, '\0'); }

void PutI16(std::string* out, int16_t v) {
  uint8_t b[kMaterialInt16Size];
  bendpost::PutI16(b, v);
  out->append(reinterpret_cast<const char*>(b), sizeof b);
}

void PutF32(std::string* out, float v) {
  uint8_t b[kMaterialFloatSize];
  bendpost::PutF32(b, v);
  out->append(reinterpret_cast<const char*>(b), sizeof b);
}

bool FitsInt16(int32_t v) { return v >= INT16_MIN && v <= INT16_MAX; }

}  // namespace

Status ParseMaterialFile(std::string_view bytes, MaterialModelSet* models) {
  MaterialModelSet parsed{};
  Reader reader(bytes);
  for (int block = 0; block < kMaterialModelCount; ++block) {
    Status s = ParseBlock(reader, block, &parsed[block]);
    if (!s.ok()) return s;
  }
  *models = parsed;
  return Status::OK();
}

Status EncodeMaterialFile(const MaterialModelSet& models, std::string* bytes) {
  for (int block = 0; block < kMaterialModelCount; ++block) {
    const MaterialModel& m = models[block];
    if (!FitsInt16(m.ModelType)) {
      return Status::Error(std::string(kModelNames[block]) +
                           ": model type does not fit 16 bits");
    }
    if (m.ModelType != MaterialModel::kPolynomial) continue;
    if (m.TermCount < 0 || m.TermCount > MaterialModel::kMaxTerms) {
      return Status::Error(std::string(kModelNames[block]) + " has " +
                           std::to_string(m.TermCount) +
                           " terms (0 to 10 allowed)");
    }
    for (int i = 0; i < m.TermCount; ++i) {
      if (!FitsInt16(m.TermCodes[i])) {
        return Status::Error(std::string(kModelNames[block]) +
                             ": term code does not fit 16 bits");
      }
    }
  }

  std::string out;
  for (const MaterialModel& m : models) {
    PutFiller(&out);
    PutI16(&out, static_cast<int16_t>(m.ModelType));
    if (m.ModelType == MaterialModel::kTable) {
      int index = 0;
      for (size_t chunk : kMaterialTableChunkSizes) {
        PutFiller(&out);
        for (size_t i = 0; i < chunk / kMaterialFloatSize; ++i)
          PutF32(&out, m.ModelTable[index++]);
      }
    } else if (m.ModelType == MaterialModel::kPolynomial) {
      PutFiller(&out);
      PutI16(&out, static_cast<int16_t>(m.TermCount));
      PutFiller(&out);
      for (int i = 0; i < m.TermCount; ++i)
        PutI16(&out, static_cast<int16_t>(m.TermCodes[i]));
      PutFiller(&out);
      for (int i = 0; i <= m.TermCount; ++i) PutF32(&out, m.Coefficients[i]);
    }
  }
  *bytes = std::move(out);
  return Status::OK();
}

}  // namespace bendpost
