// `bendpost sheet CONTROL_FILE --job JOB [--data DIR] [-o FILE.html]`: the
// operator's setup sheet of one program (cli/sheet_page.h), from its
// control file and the job it was made from; and the sheets that
// `generate --sheet` writes beside the control files it created.
#ifndef BENDPOST_CLI_SHEET_COMMAND_H_
#define BENDPOST_CLI_SHEET_COMMAND_H_

#include <optional>
#include <string>

#include "base/status.h"
#include "cli/command.h"
#include "cli/command_io.h"
#include "documents/job_file.h"
#include "host/summary.h"
#include "platform/file.h"

namespace bendpost::cli {

using documents::JobFile;
using host::ProgramSummary;

struct SheetOptions {
  std::string control_path;
  std::string job_path;
  std::string data_dir;     // --data: replaces the job's DataPath
  std::string output_path;  // -o; without it the page goes to stdout
};

// Declares the options of `sheet` on `command`.
Runner SetUpSheet(CLI::App& command, Services& services);

// Exit code 0 with the page written; 2 for a file that cannot be read, is
// not a sound control file, or does not match the job (the message says
// what does not match).
int RunSheet(FileSystem& files, const SheetOptions& options, CommandIo& io);

// Where `generate --sheet` puts the sheet of a control file: its path with
// the extension (from the last "." of the file name) replaced by ".html".
std::string SheetPathFor(const std::string& control_path);

// The sheet page of the control file at `control_path`, made from
// program `program_number` (1-based) of `job`, or from the program that
// matches the file when none is given; `preview` marks the page as that of
// a preview's control file.
Status MakeSheet(FileSystem& files, const std::string& control_path,
                 const JobFile& job, std::optional<int> program_number,
                 std::string* html, bool preview = false);

// `generate --sheet`: the sheet of every created program, beside its control
// file (SheetPathFor), read through `run_files` (the run's file system,
// which holds a preview's control files) and written through `files`; the
// sheets of a preview say so in their title. Returns false when a sheet
// could not be made or written; each failure is told on io.err.
bool WriteProgramSheets(FileSystem& run_files, FileSystem& files,
                        const std::vector<ProgramSummary>& programs,
                        const JobFile& job, CommandIo& io);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_SHEET_COMMAND_H_
