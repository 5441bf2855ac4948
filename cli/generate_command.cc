#include "cli/generate_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>

#include "base/text.h"
#include "cli/sheet_command.h"
#include "dialog/program_identity.h"
#include "documents/answers.h"
#include "documents/json_text.h"
#include "documents/problem.h"
#include "formats/control_file.h"
#include "host/counter_store.h"
#include "host/host_ui.h"
#include "host/summary.h"
#include "host/terminal_ui.h"
#include "platform/file.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"
#include "platform/serial_key.h"
#include "resources/dialog_ids.h"

namespace bendpost::cli {

using documents::JobFile;
using documents::LoadAnswersFile;
using documents::LoadJobFile;
using documents::Problem;
using documents::WriteProblemReport;
using host::ControlFilePath;
using host::CounterKey;
using host::CounterStoreLock;
using host::CutPrograms;
using host::DriverCalls;
using host::HostRunResult;
using host::HostUserInterface;
using host::LockCounterStore;
using host::OpenCounterStore;
using host::PrintSummaryTable;
using host::ProgramEvent;
using host::ProgramStatus;
using host::ProgramSummary;
using host::RunHostSequence;
using host::Summarize;
using host::SummaryExitCode;
using host::SummaryJson;
using host::TerminalUserInterface;

namespace {

namespace fs = std::filesystem;

// --yes or --answers: a script answers the dialogs.
bool IsScripted(const GenerateOptions& options) {
  return options.yes || !options.answers_path.empty();
}

// Prints a message of the driver as it is shown: errors (the error icon)
// to stderr, the others to `plain`.
void PrintMessage(std::ostream& plain, std::ostream& err,
                  const std::string& text, MessageIcon icon) {
  std::string body(TrimRightView(text));
  if (icon == MessageIcon::kError) {
    err << "error: " << body << "\n";
  } else {
    plain << body << "\n";
  }
}

bool EndsWithNoCase(const std::string& name, const std::string& tail) {
  if (name.size() < tail.size()) return false;
  std::string end = name.substr(name.size() - tail.size());
  AsciiLowerInPlace(&end);
  return end == tail;
}

// Each step below reports its own failure on `err`; a false return ends
// the command with kExitUsage before anything reaches the driver.

bool ReadDateOption(const std::string& text, std::optional<Date>* date,
                    std::ostream& err) {
  if (text.empty()) return true;
  *date = ParseIsoDate(text);
  if (*date) return true;
  err << "bendpost generate: --date wants a date as YYYY-MM-DD, not \"" << text
      << "\"\n";
  return false;
}

// The job, the dialog answers, and whether there is someone (or something)
// to answer the dialogs.
bool LoadInputs(FileSystem& files, const GenerateOptions& options,
                const CommandIo& io, JobFile* job,
                std::vector<ScriptedDialog>* script) {
  std::vector<Problem> problems;
  if (!LoadJobFile(files, options.job_path, job, &problems)) {
    WriteProblemReport(io.err, options.job_path, problems, "  ");
    return false;
  }
  if (!options.answers_path.empty() &&
      !LoadAnswersFile(files, options.answers_path, script, &problems)) {
    WriteProblemReport(io.err, options.answers_path, problems, "  ");
    return false;
  }
  if (!IsScripted(options) && !io.in_is_terminal && !options.interactive) {
    io.err << "bendpost generate: the program dialog needs a terminal; give "
              "--yes to confirm every dialog with its defaults, or --answers "
              "FILE\n";
    return false;
  }
  return true;
}

// --out and --data: the program path in the chosen folder (made if
// missing), the data path made absolute.
bool ApplyFolderOptions(const GenerateOptions& options, JobFile* job,
                        std::string* program_path, std::ostream& err) {
  *program_path = job->program_path;
  if (!options.out_dir.empty()) {
    std::error_code ec;
    // A preview makes no folder; its files are held in memory anyway.
    if (!options.preview) fs::create_directories(options.out_dir, ec);
    if (!options.preview && !fs::is_directory(options.out_dir, ec)) {
      err << "bendpost generate: cannot create the folder " << options.out_dir
          << "\n";
      return false;
    }
    const std::string leaf = fs::path(job->program_path).filename().string();
    *program_path = (fs::absolute(fs::path(options.out_dir)) / leaf)
                        .lexically_normal()
                        .string();
  }
  if (!options.data_dir.empty()) {
    job->data_path =
        fs::absolute(fs::path(options.data_dir)).lexically_normal().string();
  }
  return true;
}

// The per-user serial counter for the whole run: held by this run alone (a
// run started beside it with the same store waits until this one ends,
// saying so once), and its key created for this user if it is missing, as
// the host's installation would. A preview spends no serial number: it
// takes no lock and makes no key, and what it stores is held in memory.
struct SerialCounter {
  std::unique_ptr<CounterStoreLock> lock;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<OverlaySettingsStore> preview;  // over `store`

  SettingsStore* settings() { return preview ? preview.get() : store.get(); }
};

bool OpenSerialCounter(const GenerateOptions& options, UserInterface& ui,
                       SerialCounter* counter, std::ostream& err) {
  std::string error;
  if (options.preview) {
    counter->store =
        OpenCounterStore(options.settings_dir, ui, CounterKey::kLeave, &error);
    if (counter->store) {
      counter->preview =
          std::make_unique<OverlaySettingsStore>(*counter->store);
      counter->preview->CreateKey(SerialCounterKeyPath(ui));
    }
  } else {
    counter->lock = LockCounterStore(
        options.settings_dir,
        [&err](const std::string& lock_file) {
          err << "bendpost generate: another run holds the serial counter ("
              << lock_file << "); waiting until it ends\n";
        },
        &error);
    if (counter->lock) {
      counter->store = OpenCounterStore(options.settings_dir, ui,
                                        CounterKey::kCreateIfMissing, &error);
    }
  }
  if (!counter->store) err << "bendpost generate: " << error << "\n";
  return counter->store != nullptr;
}

// The front end that answers the program dialogs: the answers script
// (--yes, --answers) or the terminal dialog.
struct FrontEnd {
  std::unique_ptr<ScriptedUserInterface> scripted;
  std::unique_ptr<TerminalUserInterface> terminal;

  UserInterface& ui() {
    if (scripted) return *scripted;
    return *terminal;
  }
};

// Messages go to `plain` as they are shown (errors to io.err).
FrontEnd MakeFrontEnd(const GenerateOptions& options,
                      std::vector<ScriptedDialog> script, CommandIo& io,
                      std::ostream& plain) {
  FrontEnd front_end;
  if (!IsScripted(options)) {
    front_end.terminal =
        std::make_unique<TerminalUserInterface>(io.in, plain, io.err);
    return front_end;
  }
  front_end.scripted = std::make_unique<ScriptedUserInterface>(
      std::move(script), ScriptedAction::kCreate);
  // Messages are printed as they come; what the summary needs of each
  // dialog is kept by the host's own user interface.
  front_end.scripted->SetKeepHistory(false);
  front_end.scripted->SetMessageListener(
      [&plain, &io](const ScriptedUserInterface::Message& m) {
        PrintMessage(plain, io.err, m.text, m.icon);
      });
  return front_end;
}

// Whether a program's control file replaces one that was there: asked
// when the operator confirmed, before the driver writes.
void WatchReplacedControlFiles(FileSystem& files, HostUserInterface& host_ui) {
  host_ui.SetConfirmListener([&files](ProgramEvent& event) {
    event.control_file_existed = files.Exists(ControlFilePath(
        event.closed[IDC_FILE_NAME], event.closed[IDC_PROGRAM_NAME]));
  });
}

// A program whose FileName ends in ".kpz" is finished under that name, and
// a control file is the one thing there that decodes as one (its size and
// block headers): a record file never does.
bool IsFinishedControlFile(FileSystem& files, const fs::path& path) {
  std::string bytes;
  DecodedControlFile decoded;
  return ReadWholeFile(files, path.string(), &bytes).ok() &&
         DecodeControlFile(bytes, &decoded).ok();
}

// The files an interrupted earlier run left in the program folder, named
// on `err`.
std::vector<std::string> ReportLeftovers(FileSystem& files,
                                         const std::string& program_path,
                                         std::ostream& err) {
  const std::string program_folder =
      fs::path(program_path).parent_path().string();
  const std::vector<std::string> leftovers =
      FindLeftovers(files, program_folder.empty() ? "." : program_folder);
  if (!leftovers.empty()) {
    err << "bendpost generate: an interrupted earlier run left "
        << leftovers.size() << (leftovers.size() == 1 ? " file" : " files")
        << " in " << (program_folder.empty() ? "." : program_folder)
        << "; the next program of the same name replaces "
        << (leftovers.size() == 1 ? "it" : "them") << ":\n";
    for (const std::string& name : leftovers) err << "  " << name << "\n";
  }
  return leftovers;
}

// The scripted front end knows when an answer did not fit its dialog: the
// program's event says so, and so does a line on `err`.
void MarkScriptErrors(const ScriptedUserInterface& scripted,
                      std::vector<ProgramEvent>* events, std::ostream& err) {
  size_t record = 0;
  for (ProgramEvent& event : *events) {
    if (event.status == ProgramStatus::kSkipped) continue;
    if (record >= scripted.dialogs().size()) break;
    const auto& r = scripted.dialogs()[record++];
    if (r.outcome == ScriptedUserInterface::Outcome::kScriptError) {
      event.status = ProgramStatus::kScriptError;
      event.messages.push_back(r.error);
      err << "error: answers for dialog " << record << ": " << r.error << "\n";
    }
  }
}

// Writes the setup sheets asked for, prints the summary (a table, or JSON
// with --json) and returns the exit code they give. `run_files` is what the
// run wrote through (a preview's overlay), `files` the disk.
int PrintSummary(FileSystem& run_files, FileSystem& files,
                 const GenerateOptions& options, const JobFile& job,
                 const std::vector<ProgramEvent>& events,
                 const HostRunResult& run,
                 const std::vector<std::string>& leftovers, CommandIo& io) {
  std::ostream& out = io.out;
  std::vector<ProgramSummary> summary = Summarize(
      CutPrograms(job), events,
      [&run_files](const std::string& path) { return run_files.Exists(path); });
  for (ProgramSummary& p : summary) p.preview = options.preview;
  int exit_code = SummaryExitCode(summary);
  if (options.sheet &&
      !WriteProgramSheets(run_files, files, summary, job, io)) {
    exit_code = std::max(exit_code, kExitIncomplete);
  }
  if (options.json) {
    out << SummaryJson(summary, run.program_path, exit_code, leftovers).dump(2)
        << "\n";
  } else {
    out << "\n";
    PrintSummaryTable(out, summary);
  }
  return exit_code;
}

}  // namespace

Runner SetUpGenerate(CLI::App& gen, Services& services) {
  auto generate = std::make_shared<GenerateOptions>();
  gen.add_option("JOB", generate->job_path, "the job file (JSON)")->required();
  gen.add_option("--out", generate->out_dir,
                 "the program folder (replaces the folder of the job's "
                 "ProgramPath; made if missing)");
  gen.add_flag("--yes", generate->yes,
               "confirm every dialog with its defaults");
  gen.add_option("--answers", generate->answers_path,
                 "dialog answers (JSON), one object per dialog");
  gen.add_option("--date", generate->date,
                 "YYYY-MM-DD: the date for program names and creation dates");
  gen.add_option("--settings", generate->settings_dir,
                 "folder of the per-user serial counter (default: the "
                 "user's store: the registry on Windows, "
                 "$XDG_CONFIG_HOME/bendpost/registry elsewhere)");
  gen.add_option("--data", generate->data_dir,
                 "folder of the material data files (replaces the job's "
                 "DataPath)");
  gen.add_flag("--json", generate->json, "print the summary as JSON");
  gen.add_flag("--sheet", generate->sheet,
               "write each created program's setup sheet beside its "
               "control file (extension .html)");
  gen.add_flag("--interactive", generate->interactive,
               "use the terminal dialog even when the input is not a "
               "terminal");
  gen.add_flag("--preview", generate->preview,
               "run the whole generation but publish nothing: no control "
               "file written, no serial number spent (the summary shows what "
               "a real run would make; --sheet still writes the sheets)");
  return [generate, &services](CommandIo& io) {
    return RunGenerate(*generate, io, services);
  };
}

int RunGenerate(const GenerateOptions& options, CommandIo& io,
                Services& services, OverlayFileSystem* preview_files) {
  FileSystem& files = services.files;
  OverlayFileSystem own_preview(files);
  FileSystem& run_files = !options.preview ? files
                          : preview_files  ? *preview_files
                                           : own_preview;
  // Options first: none of them may fail once the driver has the job.
  std::optional<Date> date;
  JobFile job;
  std::vector<ScriptedDialog> script;
  std::string program_path;
  if (!ReadDateOption(options.date, &date, io.err) ||
      !LoadInputs(files, options, io, &job, &script) ||
      !ApplyFolderOptions(options, &job, &program_path, io.err)) {
    return kExitUsage;
  }
  // Held to the end: the leftovers below and the serial numbers are this
  // run's alone.
  SerialCounter counter;
  if (!OpenSerialCounter(options, services.ui, &counter, io.err)) {
    return kExitUsage;
  }
  std::unique_ptr<FixedClock> fixed_clock;
  if (date) fixed_clock = std::make_unique<FixedClock>(*date);

  // Messages go to stdout as they are shown, unless stdout carries JSON.
  std::ostream& plain = options.json ? io.err : io.out;
  FrontEnd front_end = MakeFrontEnd(options, std::move(script), io, plain);
  HostUserInterface host_ui(front_end.ui());
  WatchReplacedControlFiles(run_files, host_ui);
  const std::vector<std::string> leftovers =
      ReportLeftovers(files, program_path, io.err);

  Platform platform;
  platform.files = &run_files;
  platform.clock = fixed_clock ? fixed_clock.get() : &services.clock;
  platform.settings = counter.settings();
  platform.ui = &host_ui;
  HostRunResult run;
  {
    ScopedPlatform installed(platform);
    run = RunHostSequence(job, program_path, services.driver);
  }
  if (!run.store_created) {
    io.err << "bendpost generate: the driver could not create its job store\n";
    return kExitIncomplete;
  }
  if (front_end.scripted) {
    MarkScriptErrors(*front_end.scripted, &host_ui.mutable_events(), io.err);
  }
  return PrintSummary(run_files, files, options, job, host_ui.mutable_events(),
                      run, leftovers, io);
}

std::vector<std::string> FindLeftovers(FileSystem& files,
                                       const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    // A whole temporary control file is still a leftover: it was never
    // renamed into place.
    const bool candidate = EndsWithNoCase(name, ".nmb.tmp") ||
                           (EndsWithNoCase(name, ".kpz") &&
                            !IsFinishedControlFile(files, it->path()));
    if (candidate && it->is_regular_file(ec)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<Date> ParseIsoDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return {};
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return {};
  }
  Date d;
  d.year = LeadingDigitsValue(text.substr(0, 4));
  d.month = LeadingDigitsValue(text.substr(5, 2));
  d.day = LeadingDigitsValue(text.substr(8, 2));
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30,
                                  31, 31, 30, 31, 30, 31};
  if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > kDays[d.month - 1]) {
    return {};
  }
  const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
  if (d.month == 2 && d.day == 29 && !leap) return {};
  return d;
}

}  // namespace bendpost::cli
