// ProgramConverter: reads a program record file (formats/record_file.h) and
// writes the control file (formats/control_file.h) made from it. All file
// access goes through the FileSystem it is given.
//
// Beyond the plain conversion it guarantees:
//   - a record file shorter than its header plus RecordCount records of its
//     layout is refused: a file cut short is corrupt, not a shorter program;
//   - a program of more than 25 steps is refused: the control file has 25
//     step slots and nothing is ever written outside them;
//   - the control file appears whole or not at all, and is on the device
//     once it appears: it is written under a temporary name in the same
//     folder, flushed, closed, renamed over the final name, and then the
//     folder is flushed. On any failure before the rename the temporary file
//     is removed and an existing control file of that name is left as it
//     was; a failed folder flush after it leaves the new file in place but
//     still counts as a failure;
//   - an existing control file that the process may not write (a read-only
//     one; FileSystem::CheckWritable) is refused and left as it was, as
//     creating it in place would be, although the rename would replace it.
#ifndef BENDPOST_FORMATS_PROGRAM_CONVERTER_H_
#define BENDPOST_FORMATS_PROGRAM_CONVERTER_H_

#include <memory>
#include <string>
#include <vector>

#include "base/status.h"
#include "formats/control_file.h"
#include "formats/record_file.h"
#include "platform/file.h"

namespace bendpost {

class ProgramConverter {
 public:
  // Layout selector: 1 reads the compact layout; 2 stays 2 and reads the
  // padded layout; every other value becomes 0 (padded layout).
  // `files` must outlive the converter.
  ProgramConverter(FileSystem& files, int layout_selector);
  ~ProgramConverter();
  ProgramConverter(const ProgramConverter&) = delete;
  ProgramConverter& operator=(const ProgramConverter&) = delete;

  int layout_selector() const { return layout_selector_; }

  // Reads `source` with this converter's layout and writes its control file
  // next to `target` (see BuildControlFileName). 1 when the control file was
  // written, and `target` then holds its name; 0 otherwise (`target`
  // unchanged).
  int ConvertToControlFile(const std::string& source, std::string& target);

  // Loads a record file: 1 when it was loaded whole, 0 otherwise (and
  // nothing stays loaded). Refused: a file that cannot be opened or read,
  // a RecordCount - 1 steps outside 1..99, a file shorter than its header
  // plus RecordCount records.
  int ReadRecordFile(const std::string& path, int layout_selector);

  // What the last load left: the header (null when none) and the steps.
  const RecordFileHeader* header() const { return header_.get(); }
  const std::vector<RecordFileStep>& steps() const { return steps_; }

  // Why the last ConvertToControlFile or ReadRecordFile returned 0: the
  // Status of that failure (OK after a success).
  const Status& status() const { return status_; }

 private:
  int Fail(const Status& status);
  void Release();

  FileSystem& files_;
  int layout_selector_;
  std::unique_ptr<RecordFileHeader> header_;
  std::vector<RecordFileStep> steps_;
  Status status_;
};

// The control file's full name (ControlFileName, formats/control_file_name.h)
// for the header's NamePrefixDigit and ProgramName. On Windows
// C:\Jobs\P1.NMB, prefix 2 and "AB    " give C:\Jobs\2AB.NMB.
std::string BuildControlFileName(const std::string& target,
                                 const ControlFileHeader& header);

// Writes the image under `name` through `fs` atomically (see above): OK when
// the file is in place, otherwise the reason.
[[nodiscard]] Status WriteControlFile(FileSystem& fs,
                                      const ControlFileImage& image,
                                      const std::string& name);

// The temporary name the control file is written under before the rename.
std::string ControlFileTemporaryName(const std::string& name);

}  // namespace bendpost

#endif  // BENDPOST_FORMATS_PROGRAM_CONVERTER_H_
