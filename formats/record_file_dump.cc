// The readable listing of a record file (DumpRecordFile in record_file.h).
#include <string>

#include "formats/dump_text.h"
#include "formats/record_file.h"

namespace bendpost {

using namespace record_file;
using dump::Int;

namespace {

const char* LayoutName(RecordLayout layout) {
  return layout == RecordLayout::kCompact ? "compact" : "padded";
}

}  // namespace

std::string DumpRecordFile(std::string_view bytes, RecordLayout layout) {
  const size_t header_size = HeaderSize(layout);
  const size_t step_size = StepSize(layout);
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  std::string out = "record file, " + std::string(LayoutName(layout)) +
                    " layout (header " + Int(header_size) + ", records " +
                    Int(step_size) + "), " + Int(bytes.size()) + " bytes\n";
  if (bytes.size() < header_size) {
    out += "cut short: the header needs " + Int(header_size) + " bytes\n";
    return out;
  }
  out += "header at 0\n";
  fields::DumpFields(kHeaderFields, p, &out);
  int record_count = DecodeRecordFileHeader(p).RecordCount;
  if (record_count < 0) {
    out += "RecordCount is negative: no records\n";
    return out;
  }
  size_t at = header_size;
  for (int k = 0; k < record_count; ++k) {
    if (bytes.size() - at < step_size) {
      out += "record " + Int(k) + " at " + Int(at) + ": cut short, " +
             Int(bytes.size() - at) + " of " + Int(step_size) + " bytes\n";
      return out;
    }
    out += "record " + Int(k) + " at " + Int(at);
    if (k == record_count - 1) out += " (final default record, never read)";
    out += "\n";
    fields::DumpFields(kStepFields, p + at, &out);
    at += step_size;
  }
  if (at < bytes.size())
    out += Int(bytes.size() - at) + " bytes after the last record\n";
  return out;
}

}  // namespace bendpost
