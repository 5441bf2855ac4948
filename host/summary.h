// The end of `bendpost generate`: one row per program of the job, as the
// host cut it and as the operator saw it, printed as a table or as JSON,
// and the exit code that follows from it.
#ifndef BENDPOST_HOST_SUMMARY_H_
#define BENDPOST_HOST_SUMMARY_H_

#include <functional>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "documents/job_file.h"
#include "host/host_ui.h"

namespace bendpost::host {

using documents::JobFile;

// A program as the generation cuts it (CutIntoPrograms,
// records/program_cut.h): a run of adjacent steps with the same
// SetupIndex.
struct ProgramRun {
  int number = 0;          // 1-based ordinal in the job
  int setup_index = 0;     // the steps' SetupIndex as the job gives it
  std::string setup_name;  // of the setup the driver will find, or ""
  int steps = 0;
};

std::vector<ProgramRun> CutPrograms(const JobFile& job);

struct ProgramSummary {
  ProgramRun run;
  ProgramEvent event;
  std::string program_name;  // as confirmed (or as offered)
  std::string part_reference;
  std::string file_name;     // the dialog's working file name
  std::string control_file;  // created programs: the control file
  bool control_file_found = false;
  // Created programs whose control file replaced another one: a file that
  // was there before the run (`replaced`), or the file of an earlier
  // program of this run with the same name (`replaces_program`, its
  // number; 0 when none). The driver names a program by its day and a
  // serial of two digits, so the 101st program of a day has the name of
  // the first.
  bool replaced = false;
  int replaces_program = 0;
  // Made in a preview (generate --preview): the control file was made in
  // memory only, so the program shows as "preview" and what it would
  // replace as "would replace".
  bool preview = false;
};

// Pairs the runs with the host interface's events, in order; runs without
// an event were not offered. `exists` tells whether a file exists.
std::vector<ProgramSummary> Summarize(
    const std::vector<ProgramRun>& runs,
    const std::vector<ProgramEvent>& events,
    const std::function<bool(const std::string&)>& exists);

// The control file the driver writes for a program confirmed with
// `program_name` whose working file is `file_name` (ControlFileName,
// formats/control_file_name.h): the working file's folder, the name prefix
// digit 2, the program name as the control file holds it and the working
// file's extension.
std::string ControlFilePath(const std::string& file_name,
                            const std::string& program_name);

// One warning per program whose control file replaced that of an earlier
// program of the run, naming both.
std::vector<std::string> RepeatedControlFileWarnings(
    const std::vector<ProgramSummary>& programs);

void PrintSummaryTable(std::ostream& out,
                       const std::vector<ProgramSummary>& programs);
// `leftovers`: files an interrupted earlier run left in the program folder.
nlohmann::json SummaryJson(const std::vector<ProgramSummary>& programs,
                           const std::string& program_path, int exit_code,
                           const std::vector<std::string>& leftovers = {});

// 0 when every program was created or deliberately cancelled; 1 when a
// program failed, was refused, skipped or never offered, or the answers
// did not fit.
int SummaryExitCode(const std::vector<ProgramSummary>& programs);

}  // namespace bendpost::host

#endif  // BENDPOST_HOST_SUMMARY_H_
