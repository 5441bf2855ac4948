// `bendpost generate JOB.json`: the host's calling sequence on a job file.
#ifndef BENDPOST_CLI_GENERATE_COMMAND_H_
#define BENDPOST_CLI_GENERATE_COMMAND_H_

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_io.h"
#include "host/driver_calls.h"
#include "platform/clock.h"
#include "platform/overlay_file_system.h"

namespace bendpost::cli {

using host::DriverCalls;

struct GenerateOptions {
  std::string job_path;
  std::string out_dir;       // --out: replaces the program path's folder
  std::string data_dir;      // --data: replaces the job's DataPath
  bool yes = false;          // --yes: every dialog confirmed with defaults
  std::string answers_path;  // --answers
  std::string date;          // --date YYYY-MM-DD
  std::string settings_dir;  // --settings: root of the per-user counter
  bool json = false;         // --json summary
  bool interactive = false;  // terminal dialog even without a terminal
  bool sheet = false;        // --sheet: a setup sheet beside each program
  bool preview = false;      // --preview: nothing published, no serial spent
};

// Declares the options of `generate` on `command`.
Runner SetUpGenerate(CLI::App& command, Services& services);

// Runs the command; returns the exit code (command_io.h). Nothing reaches
// the driver when the options, the job or the answers have a problem. The
// driver runs on `services`: its files, its clock (unless --date), and
// `services.driver` for its exports.
//
// With --preview the whole generation runs as it would (the same dialogs,
// calculations and warnings), but every file it makes or changes is held
// in memory, in `preview_files` when one is given (an overlay of
// services.files, through which the caller can then read them) or else in
// one of its own; the serial counter is read and what the run stores of it
// is held in memory too. Only the setup sheets asked for with --sheet are
// written, each marked as a preview.
int RunGenerate(const GenerateOptions& options, CommandIo& io,
                Services& services, OverlayFileSystem* preview_files = nullptr);

// The files in `folder` that a run of the driver stopped half way leaves:
// staging files ("*.kpz") and temporary control files ("*.NMB.tmp"), by
// name, sorted. The next program of the same name replaces them. A "*.kpz"
// that is a whole control file is a finished program, not a leftover.
std::vector<std::string> FindLeftovers(FileSystem& files,
                                       const std::string& folder);

// "2026-12-07" -> the date; nullopt for anything that is not a real date
// of the form YYYY-MM-DD.
std::optional<Date> ParseIsoDate(const std::string& text);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_GENERATE_COMMAND_H_
