#include "formats/record_file.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/le_bytes.h"
#include "base/text.h"

namespace bendpost {

using namespace record_file;

RecordLayout RecordLayoutForSelector(int selector) {
  return selector == 1 ? RecordLayout::kCompact : RecordLayout::kPadded;
}

void PutSpacePaddedText(uint8_t* field, std::string_view text, size_t width) {
  fields::PutText(field, text, width, fields::TextStyle::kSpacePadded);
}

std::array<uint8_t, kAuxFuncWidth> AuxFuncBytes(std::string_view text) {
  std::array<uint8_t, kAuxFuncWidth> bytes{};
  size_t n = std::min(text.size(), kAuxFuncWidth);
  if (n > 0) std::memcpy(bytes.data(), text.data(), n);
  return bytes;
}

char RevByte(std::string_view text) { return text.empty() ? 0 : text[0]; }

CreationDateBytes ParseCreationDate(std::string_view text) {
  auto pair = [text](size_t at) -> uint8_t {
    if (at >= text.size()) return 0;
    // At most two digits: the value is 0..99 and fits the byte.
    return static_cast<uint8_t>(LeadingDigitsValue(text.substr(at, 2)));
  };
  CreationDateBytes d;
  d.month = pair(0);
  d.day = pair(3);
  d.year = pair(6);
  return d;
}

RecordHeaderBytes EncodeRecordFileHeader(const RecordFileHeader& header) {
  RecordHeaderBytes b{};  // the padded layout's filler stays 0
  fields::EncodeFields<kHeaderFields>(header, b.data());
  return b;
}

RecordStepBytes EncodeRecordFileStep(const RecordFileStep& step) {
  RecordStepBytes b{};  // the padded layout's filler stays 0
  fields::EncodeFields<kStepFields>(step, b.data());
  return b;
}

std::string EncodeRecordFile(const RecordFileHeader& header,
                             const std::vector<RecordFileStep>& steps) {
  std::string out;
  out.reserve(kPaddedHeaderSize + steps.size() * kPaddedStepSize);
  RecordHeaderBytes h = EncodeRecordFileHeader(header);
  out.append(reinterpret_cast<const char*>(h.data()), h.size());
  for (const RecordFileStep& step : steps) {
    RecordStepBytes s = EncodeRecordFileStep(step);
    out.append(reinterpret_cast<const char*>(s.data()), s.size());
  }
  return out;
}

RecordFileHeader DecodeRecordFileHeader(const uint8_t* p) {
  RecordFileHeader header;
  fields::DecodeFields(kHeaderFields, p, &header);
  return header;
}

RecordFileStep DecodeRecordFileStep(const uint8_t* p, int layout_selector) {
  RecordFileStep step;
  step.LayoutSelector = layout_selector;
  fields::DecodeFields(kStepFields, p, &step);
  return step;
}

// --- RecordFileReader ---

RecordFileReader::RecordFileReader(File* file, int layout_selector)
    : file_(file),
      selector_(layout_selector),
      layout_(RecordLayoutForSelector(layout_selector)) {}

Status RecordFileReader::ReadAt(uint64_t offset, uint8_t* data, size_t size) {
  if (file_ == nullptr) return Status::Error("no record file is open");
  Status s = file_->Seek(offset);
  if (!s.ok()) return s;
  size_t got = 0;
  s = file_->Read(data, size, &got);
  if (!s.ok()) return s;
  if (got != size)
    return Status::Error(
        "the record file is cut short: " + std::to_string(size) +
        " bytes wanted at offset " + std::to_string(offset) + ", " +
        std::to_string(got) + " there");
  return Status::OK();
}

Status RecordFileReader::ReadRecordCount(int16_t* record_count) {
  uint8_t b[2];
  Status s = ReadAt(kRecordCount, b, sizeof b);
  if (!s.ok()) return s;
  record_count_ = GetI16(b);
  have_count_ = true;
  *record_count = record_count_;
  return Status::OK();
}

Status RecordFileReader::ReadHeader(RecordFileHeader* header) {
  uint8_t b[kPaddedHeaderSize];
  Status s = ReadAt(0, b, HeaderSize(layout_));
  if (!s.ok()) return s;
  *header = DecodeRecordFileHeader(b);
  return Status::OK();
}

Status RecordFileReader::ReadStep(int k, RecordFileStep* step) {
  if (k < 0)
    return Status::Error("record " + std::to_string(k) + " does not exist");
  if (!have_count_) {
    int16_t count = 0;
    Status s = ReadRecordCount(&count);
    if (!s.ok()) return s;
  }
  if (k >= static_cast<int>(record_count_) - 1)
    return Status::Error("record " + std::to_string(k) +
                         " is not a step of a file with RecordCount " +
                         std::to_string(record_count_));
  uint8_t b[kPaddedStepSize];
  Status s = ReadAt(StepOffset(layout_, k), b, StepSize(layout_));
  if (!s.ok()) return s;
  *step = DecodeRecordFileStep(b, selector_);
  return Status::OK();
}

}  // namespace bendpost
