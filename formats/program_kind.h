// Which kind of program file a file's bytes hold, told by their size: a
// control file always has 12,664 bytes; a record file has a header and
// RecordCount records of its layout (125 + 145 x RecordCount bytes padded,
// 124 + 144 x RecordCount compact) and at least one step (RecordCount 2 or
// more, the last record being the closing default step). Anything else is
// neither, with a message that says what was expected.
#ifndef BENDPOST_FORMATS_PROGRAM_KIND_H_
#define BENDPOST_FORMATS_PROGRAM_KIND_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "formats/control_file.h"
#include "formats/record_file.h"

namespace bendpost {

enum class ProgramFileKind { kControl, kRecord, kUnknown };

struct ProgramFileIdentity {
  ProgramFileKind kind = ProgramFileKind::kUnknown;
  RecordLayout layout = RecordLayout::kPadded;  // record files only
  int record_count = 0;                         // record files only
  std::string error;                            // kUnknown only
};

ProgramFileIdentity IdentifyProgramFile(std::string_view bytes);

// "12,664": a count with commas between groups of three digits.
std::string GroupedThousands(size_t n);

// A record file's header and steps (the closing default record left out),
// decoded from bytes that IdentifyProgramFile found to be a record file.
struct DecodedRecordFile {
  RecordFileHeader header;
  std::vector<RecordFileStep> steps;
};
DecodedRecordFile DecodeRecordFileBytes(std::string_view bytes,
                                        const ProgramFileIdentity& identity);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_PROGRAM_KIND_H_
