#include "formats/program_kind.h"

#include <sstream>

#include "base/le_bytes.h"

namespace bendpost {

std::string GroupedThousands(size_t n) {
  const std::string digits = std::to_string(n);
  std::string grouped;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}

ProgramFileIdentity IdentifyProgramFile(std::string_view bytes) {
  ProgramFileIdentity id;
  const size_t size = bytes.size();
  const std::string what =
      GroupedThousands(size) + (size == 1 ? " byte" : " bytes");
  if (size == control_file::kFileSize) {
    id.kind = ProgramFileKind::kControl;
    return id;
  }
  if (size < record_file::kCompactHeaderSize) {
    id.error = what +
               ": neither a control file (always 12,664 bytes) nor a record "
               "file (a header of 125 bytes, or 124 in the compact layout, "
               "then the records)";
    return id;
  }
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const int rc = GetI16(p + record_file::kRecordCount);
  id.record_count = rc;
  using namespace record_file;
  const long long padded = static_cast<long long>(kPaddedHeaderSize) +
                           static_cast<long long>(kPaddedStepSize) * rc;
  const long long compact = static_cast<long long>(kCompactHeaderSize) +
                            static_cast<long long>(kCompactStepSize) * rc;
  if (rc >= 0 && static_cast<long long>(size) == padded) {
    id.layout = RecordLayout::kPadded;
  } else if (rc >= 0 && static_cast<long long>(size) == compact) {
    id.layout = RecordLayout::kCompact;
  } else {
    std::ostringstream s;
    s << what << ": neither a control file (always 12,664 bytes) nor a "
      << "record file: its RecordCount (offset 59) is " << rc;
    if (rc >= 0) {
      s << ", so a record file would have " << GroupedThousands(padded)
        << " bytes (or " << GroupedThousands(compact)
        << " in the compact layout)";
    }
    id.error = s.str();
    return id;
  }
  if (rc < 2) {
    id.error = "record file with RecordCount " + std::to_string(rc) +
               ": it holds no step (a program of n steps has n + 1 records, "
               "the last one the closing default step)";
    return id;
  }
  id.kind = ProgramFileKind::kRecord;
  return id;
}

DecodedRecordFile DecodeRecordFileBytes(std::string_view bytes,
                                        const ProgramFileIdentity& identity) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  DecodedRecordFile f;
  f.header = DecodeRecordFileHeader(p);
  const int selector = identity.layout == RecordLayout::kCompact ? 1 : 0;
  for (int k = 0; k + 1 < identity.record_count; ++k) {
    f.steps.push_back(DecodeRecordFileStep(
        p + record_file::StepOffset(identity.layout, k), selector));
  }
  return f;
}

}  // namespace bendpost
