#include "formats/control_file_name.h"

#include "base/text.h"
#include "formats/control_file.h"
#include "formats/record_file.h"
#include "platform/path.h"

namespace bendpost {

std::string ControlShownName(std::string_view confirmed) {
  std::string name(TrimRightView(confirmed));
  AsciiUpperInPlace(&name);
  return name;
}

std::string ControlProgramName(std::string_view record_name) {
  // Through the record file's own encoding and the conversion's reading of
  // it, so that the two cannot part.
  RecordFileHeader written;
  written.ProgramName = std::string(record_name);
  const RecordHeaderBytes bytes = EncodeRecordFileHeader(written);
  return ControlHeaderFromRecord(DecodeRecordFileHeader(bytes.data()))
      .ProgramName;
}

std::string ControlFileName(const std::string& target, unsigned prefix_digit,
                            std::string_view program_name) {
  const std::string prefix = std::to_string(prefix_digit);
  const std::string name(TrimView(program_name));

  // Cut where the program's naming cut the job's program path, so that the
  // control file lands in the folder FileName was built in.
  const size_t cut = FolderEnd(target);
  const std::string folder =
      cut == std::string::npos ? std::string() : target.substr(0, cut + 1);

  const size_t last_separator = target.find_last_of("\\/");
  const size_t dot = target.rfind('.');
  std::string extension;
  if (dot != std::string::npos &&
      (last_separator == std::string::npos || dot > last_separator))
    extension = target.substr(dot);

  return folder + prefix + name + extension;
}

}  // namespace bendpost
