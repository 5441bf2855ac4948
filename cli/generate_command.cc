#include "cli/generate_command.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>

#include "base/text.h"
#include "cli/answers.h"
#include "cli/counter_store.h"
#include "cli/host_ui.h"
#include "cli/json_text.h"
#include "cli/summary.h"
#include "cli/terminal_ui.h"
#include "dialog/program_identity.h"
#include "platform/platform.h"
#include "platform/scripted_ui.h"
#include "resources/dialog_ids.h"

namespace bendpost::cli {
namespace {

namespace fs = std::filesystem;

void PrintProblems(std::ostream& err, const std::string& file,
                   const std::vector<JsonProblem>& problems) {
  err << file << ": " << problems.size()
      << (problems.size() == 1 ? " problem" : " problems") << "\n";
  for (const JsonProblem& p : problems) {
    err << "  " << p.path << ": " << p.message << "\n";
  }
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

}  // namespace

std::vector<std::string> FindLeftovers(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if ((EndsWithNoCase(name, ".kpz") || EndsWithNoCase(name, ".nmb.tmp")) &&
        it->is_regular_file(ec)) {
      names.push_back(name);
    }
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

int RunGenerate(const GenerateOptions& options, CommandIo& io,
                const DriverCalls& calls) {
  std::ostream& err = io.err;

  // Options first: none of them may fail once the driver has the job.
  std::optional<Date> date;
  if (!options.date.empty()) {
    date = ParseIsoDate(options.date);
    if (!date) {
      err << "bendpost generate: --date wants a date as YYYY-MM-DD, not \""
          << options.date << "\"\n";
      return kExitUsage;
    }
  }

  Job job;
  std::vector<JsonProblem> problems;
  if (!LoadJobFile(options.job_path, &job, &problems)) {
    PrintProblems(err, options.job_path, problems);
    return kExitUsage;
  }

  std::vector<ScriptedDialog> script;
  const bool scripted = options.yes || !options.answers_path.empty();
  if (!options.answers_path.empty() &&
      !LoadAnswersFile(options.answers_path, &script, &problems)) {
    PrintProblems(err, options.answers_path, problems);
    return kExitUsage;
  }
  if (!scripted && !io.in_is_terminal && !options.interactive) {
    err << "bendpost generate: the program dialog needs a terminal; give "
           "--yes to confirm every dialog with its defaults, or --answers "
           "FILE\n";
    return kExitUsage;
  }

  std::string program_path = job.program_path;
  if (!options.out_dir.empty()) {
    std::error_code ec;
    fs::create_directories(options.out_dir, ec);
    if (!fs::is_directory(options.out_dir, ec)) {
      err << "bendpost generate: cannot create the folder " << options.out_dir
          << "\n";
      return kExitUsage;
    }
    const std::string leaf = fs::path(job.program_path).filename().string();
    program_path = (fs::absolute(fs::path(options.out_dir)) / leaf)
                       .lexically_normal()
                       .string();
  }
  if (!options.data_dir.empty()) {
    job.data_path =
        fs::absolute(fs::path(options.data_dir)).lexically_normal().string();
  }

  // The per-user serial counter: the key is created for this user if it is
  // missing, as the host's installation would.
  std::string store_error;
  const std::unique_ptr<SettingsStore> settings =
      OpenCounterStore(options.settings_dir, &store_error);
  if (!settings) {
    err << "bendpost generate: " << store_error << "\n";
    return kExitUsage;
  }

  std::unique_ptr<FixedClock> fixed_clock;
  if (date) fixed_clock = std::make_unique<FixedClock>(*date);

  // Messages go to stdout as they are shown, unless stdout carries JSON.
  std::ostream& plain = options.json ? io.err : io.out;
  std::unique_ptr<ScriptedUserInterface> scripted_ui;
  std::unique_ptr<TerminalUserInterface> terminal_ui;
  UserInterface* front_end = nullptr;
  if (scripted) {
    scripted_ui = std::make_unique<ScriptedUserInterface>(
        script, ScriptedAction::kCreate);
    // Messages are printed as they come; what the summary needs of each
    // dialog is kept by the host's own user interface.
    scripted_ui->SetKeepHistory(false);
    scripted_ui->SetMessageListener(
        [&](const ScriptedUserInterface::Message& m) {
          PrintMessage(plain, io.err, m.text, m.icon);
        });
    front_end = scripted_ui.get();
  } else {
    terminal_ui = std::make_unique<TerminalUserInterface>(io.in, plain, io.err);
    front_end = terminal_ui.get();
  }
  HostUserInterface host_ui(*front_end);

  // Whether a program's control file replaces one that was there: asked
  // when the operator confirmed, before the driver writes.
  host_ui.SetConfirmListener([](ProgramEvent& event) {
    std::error_code ec;
    event.control_file_existed =
        fs::is_regular_file(ControlFilePath(event.closed[IDC_FILE_NAME],
                                            event.closed[IDC_PROGRAM_NAME]),
                            ec);
  });

  const std::string program_folder =
      fs::path(program_path).parent_path().string();
  const std::vector<std::string> leftovers =
      FindLeftovers(program_folder.empty() ? "." : program_folder);
  if (!leftovers.empty()) {
    err << "bendpost generate: an interrupted earlier run left "
        << leftovers.size() << (leftovers.size() == 1 ? " file" : " files")
        << " in " << (program_folder.empty() ? "." : program_folder)
        << "; the next program of the same name replaces "
        << (leftovers.size() == 1 ? "it" : "them") << ":\n";
    for (const std::string& name : leftovers) err << "  " << name << "\n";
  }

  Platform platform;
  platform.files = &RealFileSystem();
  platform.clock = fixed_clock ? fixed_clock.get() : &SystemClock();
  platform.settings = settings.get();
  platform.ui = &host_ui;
  HostRunResult run;
  {
    ScopedPlatform installed(platform);
    run = RunHostSequence(job, program_path, calls);
  }
  if (!run.store_created) {
    err << "bendpost generate: the driver could not create its job store\n";
    return kExitIncomplete;
  }

  // The scripted front end knows when an answer did not fit its dialog.
  std::vector<ProgramEvent>& events = host_ui.mutable_events();
  if (scripted_ui) {
    size_t record = 0;
    for (ProgramEvent& event : events) {
      if (event.status == ProgramStatus::kSkipped) continue;
      if (record >= scripted_ui->dialogs().size()) break;
      const auto& r = scripted_ui->dialogs()[record++];
      if (r.outcome == ScriptedUserInterface::Outcome::kScriptError) {
        event.status = ProgramStatus::kScriptError;
        event.messages.push_back(r.error);
        io.err << "error: answers for dialog " << record << ": " << r.error
               << "\n";
      }
    }
  }

  const std::vector<ProgramSummary> summary =
      Summarize(CutPrograms(job), events, [](const std::string& path) {
        std::error_code ec;
        return fs::is_regular_file(path, ec);
      });
  const int exit_code = SummaryExitCode(summary);
  if (options.json) {
    io.out
        << SummaryJson(summary, run.program_path, exit_code, leftovers).dump(2)
        << "\n";
  } else {
    io.out << "\n";
    PrintSummaryTable(io.out, summary);
  }
  return exit_code;
}

}  // namespace bendpost::cli
