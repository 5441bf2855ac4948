// Finishing a confirmed program: record file, staging, control file.
//
// The record file is written straight under the staging name (FileName up
// to its last "." followed by ".kpz"), converted into the control file
// (formats/program_converter.h) and deleted. It is never written under
// FileName: with one setup FileName is the control file's own name, and an
// older control file there must stay untouched until the new one replaces
// it whole, flushed, in one rename. Only the control type "BandR" has a
// control file.
//
// What can be left on disk afterwards:
//   - success: the control file; the staging file is deleted (if even that
//     fails, the stale staging file is harmless: the next program of that
//     name replaces it before converting);
//   - any failure: no staging file, and no control file new or changed
//     (the converter publishes it atomically), except when flushing the
//     folder after that rename failed: the new file is then in place;
//   - a process killed on the way: at most a staging file and the
//     converter's temporary file, both replaced by the next run of that
//     program; the control file's name holds the old file or the new one.
#include "generation/finish_program.h"

#include <memory>
#include <string>
#include <string_view>

#include "base/text.h"
#include "dialog/program_identity.h"
#include "formats/control_file_name.h"
#include "formats/program_converter.h"
#include "generation/record_file_writer.h"
#include "platform/file.h"
#include "records/control_type.h"

namespace bendpost {
namespace {

// The converter's layout selector for the driver's own record files (the
// padded layout).
constexpr int kRecordLayoutSelector = 0;

// FileName up to, not including, its last "." followed by ".kpz". A name
// whose last part has no "." keeps the whole name: "P1" gives "P1.kpz".
// So does a FileName that already ends in ".kpz" (in any case): the control
// file takes FileName's extension, so with one setup it would be named
// exactly like the staging file, which overwrites an older control file
// first and is deleted after the conversion, taking the new one with it.
std::string StagingName(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  const size_t separator = file_name.find_last_of("\\/");
  if (dot == std::string::npos ||
      (separator != std::string::npos && dot < separator) ||
      EqualsNoCase(std::string_view(file_name).substr(dot), ".kpz")) {
    return file_name + ".kpz";
  }
  return file_name.substr(0, dot) + ".kpz";
}

// ProgramName and PartReference as the control shows them.
void NormaliseNames(ProgramHeader& h) {
  h.ProgramName = ControlShownName(h.ProgramName.str());
  h.PartReference = ControlShownName(h.PartReference.str());
}

// Converts the record file written under `staging` into the control file
// and deletes it, whatever happens.
Status ConvertStagingFile(FileSystem& files, const std::string& staging,
                          const std::string& record_path) {
  int converted = 0;
  std::string target = record_path;
  Status why;
  try {
    ProgramConverter converter(files, kRecordLayoutSelector);
    converted = converter.ConvertToControlFile(staging, target);
    why = converter.status();
  } catch (...) {
    (void)files.Remove(staging);  // the exception is what is reported
    throw;
  }
  // The staging file is only an intermediate; one left behind changes no
  // result.
  (void)files.Remove(staging);
  if (converted != 1) {
    return Status::Error("converting " + staging + " failed: " + why.message());
  }
  return Status::OK();
}

}  // namespace

Status FinishProgram(ProgramHeader& header, CArray<CPPStepInfo>& steps,
                     const JobContext& context) {
  NormaliseNames(header);
  if (header.Control != ControlType::kBandR) {
    return Status::Error("control type " +
                         std::to_string(ControlTypeValue(header.Control)) +
                         " has no program file");
  }

  // The serial number is used up once the operator confirmed, whether or
  // not the file can be written. A store that cannot be written keeps its
  // old counter; that is no reason to refuse the program.
  WriteSerialCounter(context.settings, context.ui, header.NextSerial,
                     header.SerialMonth, header.SerialDay);

  const std::string record_path = header.FileName.str();
  const std::string staging = StagingName(record_path);
  // Creating the file empties one of that name left by an earlier crash.
  Status s = WriteRecordFile(header, steps, context, staging);
  if (!s.ok()) return s;
  return ConvertStagingFile(context.files, staging, record_path);
}

}  // namespace bendpost
