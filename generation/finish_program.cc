// Finishing a confirmed program: record file, staging, control file.
//
// The record file is written straight under the staging name (FileName up
// to its last "." followed by ".kpz"), converted into the control file
// (formats/program_converter.h) and deleted. It is never written under
// FileName: with one setup FileName is the control file's own name, and an
// older control file there must stay untouched until the new one replaces
// it whole, flushed, in one rename. Only the control type "BandR" (7) has a
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
#include <memory>
#include <string>

#include "dialog/program_dialog.h"
#include "dialog/program_identity.h"
#include "platform/file.h"
#include "platform/platform.h"
#include "formats/program_converter.h"

namespace {

constexpr int kControlTypeBandR = 7;
// The converter's layout selector for the driver's own record files (the
// padded layout).
constexpr int kRecordLayoutSelector = 0;

// FileName up to, not including, its last "." followed by ".kpz". A name
// whose last part has no "." keeps the whole name: "P1" gives "P1.kpz".
std::string StagingName(const std::string& file_name) {
  const size_t dot = file_name.rfind('.');
  const size_t separator = file_name.find_last_of("\\/");
  if (dot == std::string::npos ||
      (separator != std::string::npos && dot < separator)) {
    return file_name + ".kpz";
  }
  return file_name.substr(0, dot) + ".kpz";
}

}  // namespace

bendpost::Status ProgramDialog::TryFinishProgram() {
  using bendpost::Status;
  ProgramName.TrimRight();
  ProgramName.MakeUpper();
  PartReference.TrimRight();
  PartReference.MakeUpper();

  if (ControlType != kControlTypeBandR) {
    return Status::Error("control type " + std::to_string(ControlType) +
                         " has no program file");
  }

  // The serial number is used up once the operator confirmed, whether or
  // not the file can be written. A store that cannot be written keeps its
  // old counter; that is no reason to refuse the program.
  bendpost::WriteSerialCounter(NextSerial, SerialMonth, SerialDay);

  const std::string record_path = FileName.str();
  const std::string staging = StagingName(record_path);
  // Creating the file empties one of that name left by an earlier crash.
  Status s = TryWriteRecordFile(staging);
  if (!s.ok()) return s;

  bendpost::FileSystem& files = *bendpost::CurrentPlatform().files;

  int converted = 0;
  std::string target = record_path;
  std::string why;
  try {
    bendpost::ProgramConverter converter(kRecordLayoutSelector);
    converted = converter.ConvertToControlFile(staging, target);
    why = converter.last_error();
  } catch (...) {
    files.Remove(staging);
    throw;
  }
  files.Remove(staging);
  if (converted != 1) {
    return Status::Error("converting " + staging + " failed: " + why);
  }
  return Status::OK();
}

int ProgramDialog::FinishProgram() { return TryFinishProgram().ok() ? 1 : 0; }
