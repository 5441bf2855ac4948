#include "host/summary.h"

#include <algorithm>
#include <map>

#include "formats/control_file_name.h"
#include "records/program_cut.h"
#include "resources/dialog_ids.h"

namespace bendpost::host {

using documents::JobFile;

namespace {

// Every program header's name prefix: nothing the job or the operator sets
// changes it.
constexpr unsigned kNamePrefixDigit = 2;

std::string FieldOr(const std::map<int, std::string>& fields, int id) {
  auto it = fields.find(id);
  return it == fields.end() ? std::string() : it->second;
}

std::string Join(const std::vector<std::string>& parts, const char* sep) {
  std::string s;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) s += sep;
    s += parts[i];
  }
  return s;
}

}  // namespace

std::vector<ProgramRun> CutPrograms(const JobFile& job) {
  std::vector<ProgramRun> runs;
  for (const ProgramCut& cut : CutIntoPrograms(job.steps)) {
    ProgramRun run;
    run.number = static_cast<int>(runs.size()) + 1;
    run.setup_index = cut.setup_index;
    run.steps = cut.step_count;
    if (const CPPSetup* setup =
            FindSetupByKey(job.setups, SetupKeyOf(cut.setup_index))) {
      run.setup_name = CPPSetup(*setup).GetSetupName().str();
    }
    runs.push_back(run);
  }
  return runs;
}

std::string ControlFilePath(const std::string& file_name,
                            const std::string& program_name) {
  return ControlFileName(file_name, kNamePrefixDigit,
                         ControlProgramName(ControlShownName(program_name)));
}

std::vector<ProgramSummary> Summarize(
    const std::vector<ProgramRun>& runs,
    const std::vector<ProgramEvent>& events,
    const std::function<bool(const std::string&)>& exists) {
  std::vector<ProgramSummary> programs;
  // Control file -> the number of the last program of this run that wrote
  // it.
  std::map<std::string, int> last_writer;
  for (size_t i = 0; i < runs.size(); ++i) {
    ProgramSummary p;
    p.run = runs[i];
    if (i < events.size()) {
      p.event = events[i];
    } else {
      p.event.status = ProgramStatus::kNotOffered;
    }
    const auto& fields = p.event.closed;
    p.program_name = FieldOr(fields, IDC_PROGRAM_NAME);
    p.part_reference = FieldOr(fields, IDC_PART_REFERENCE);
    p.file_name = FieldOr(fields, IDC_FILE_NAME);
    const std::string setup_name = FieldOr(fields, IDC_SETUP_NAME);
    if (!setup_name.empty()) p.run.setup_name = setup_name;
    if (p.event.status == ProgramStatus::kCreated) {
      p.control_file = ControlFilePath(p.file_name, p.program_name);
      p.control_file_found = exists(p.control_file);
      auto earlier = last_writer.find(p.control_file);
      if (earlier != last_writer.end()) {
        p.replaces_program = earlier->second;
      } else {
        p.replaced = p.event.control_file_existed;
      }
      last_writer[p.control_file] = p.run.number;
    }
    programs.push_back(p);
  }
  return programs;
}

std::vector<std::string> RepeatedControlFileWarnings(
    const std::vector<ProgramSummary>& programs) {
  std::vector<std::string> warnings;
  for (const ProgramSummary& p : programs) {
    if (p.replaces_program == 0) continue;
    warnings.push_back("programs " + std::to_string(p.replaces_program) +
                       " and " + std::to_string(p.run.number) +
                       " wrote the same control file " + p.control_file +
                       "; it holds program " + std::to_string(p.run.number) +
                       " only");
  }
  return warnings;
}

int SummaryExitCode(const std::vector<ProgramSummary>& programs) {
  for (const ProgramSummary& p : programs) {
    if (p.event.status != ProgramStatus::kCreated &&
        p.event.status != ProgramStatus::kCancelled) {
      return 1;
    }
    if (p.event.status == ProgramStatus::kCreated && !p.control_file_found) {
      return 1;
    }
  }
  return 0;
}

namespace {

// The program's result as the table and the JSON name it.
std::string StatusName(const ProgramSummary& p) {
  if (p.preview && p.event.status == ProgramStatus::kCreated) return "preview";
  return ProgramStatusName(p.event.status);
}

// A program's row of the table, in the order of the table's header.
std::vector<std::string> SummaryRow(const ProgramSummary& p) {
  std::vector<std::string> steps_warned;
  for (const StepWarning& w : p.event.warnings) {
    steps_warned.push_back(std::to_string(w.step));
  }
  std::string warnings = "-";
  if (!steps_warned.empty()) {
    warnings = (steps_warned.size() == 1 ? "step " : "steps ") +
               Join(steps_warned, ", ");
  }
  std::string control = "-";
  if (p.event.status == ProgramStatus::kCreated) {
    const std::string replaced = p.preview ? "would replace" : "replaced";
    control = p.control_file + (p.control_file_found ? "" : " (missing)");
    if (p.replaced) control += " (" + replaced + ")";
    if (p.replaces_program != 0) {
      control += " (" + replaced + " program " +
                 std::to_string(p.replaces_program) + "'s)";
    }
  }
  return {std::to_string(p.run.number),
          p.program_name.empty() ? "-" : p.program_name,
          p.run.setup_name.empty() ? "-" : p.run.setup_name,
          std::to_string(p.run.steps),
          StatusName(p),
          warnings,
          control};
}

// The rows in columns two spaces apart, each as wide as its widest cell.
void PrintColumns(std::ostream& out,
                  const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> width(rows.front().size());
  for (size_t c = 0; c < width.size(); ++c) {
    for (const auto& row : rows) width[c] = std::max(width[c], row[c].size());
  }
  for (const auto& row : rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size())
        line += std::string(width[c] - row[c].size() + 2, ' ');
    }
    out << line << "\n";
  }
}

// The steps' warnings and those of repeated control files, under one
// heading; nothing when there are none.
void PrintWarnings(std::ostream& out,
                   const std::vector<ProgramSummary>& programs) {
  bool heading = false;
  auto start = [&] {
    if (!heading) out << "\nWarnings:\n";
    heading = true;
  };
  for (const ProgramSummary& p : programs) {
    for (const StepWarning& w : p.event.warnings) {
      start();
      out << "  program " << p.run.number << " step " << w.step << ": "
          << Join(w.messages, "; ") << "\n";
    }
  }
  for (const std::string& warning : RepeatedControlFileWarnings(programs)) {
    start();
    out << "  " << warning << "\n";
  }
}

}  // namespace

void PrintSummaryTable(std::ostream& out,
                       const std::vector<ProgramSummary>& programs) {
  std::vector<std::vector<std::string>> rows = {
      {"#", "Program", "Setup", "Steps", "Result", "Warnings", "Control file"}};
  for (const ProgramSummary& p : programs) rows.push_back(SummaryRow(p));
  PrintColumns(out, rows);
  PrintWarnings(out, programs);
}

nlohmann::json SummaryJson(const std::vector<ProgramSummary>& programs,
                           const std::string& program_path, int exit_code,
                           const std::vector<std::string>& leftovers) {
  nlohmann::json list = nlohmann::json::array();
  for (const ProgramSummary& p : programs) {
    nlohmann::json warnings = nlohmann::json::array();
    for (const StepWarning& w : p.event.warnings) {
      warnings.push_back({{"step", w.step}, {"messages", w.messages}});
    }
    nlohmann::json entry = {
        {"number", p.run.number},
        {"setup_index", p.run.setup_index},
        {"setup", p.run.setup_name},
        {"steps", p.run.steps},
        {"status", StatusName(p)},
        {"program", p.program_name},
        {"part_reference", p.part_reference},
        {"file_name", p.file_name},
        {"control_file", nullptr},
        {"warnings", warnings},
        {"messages", p.event.messages},
    };
    if (p.event.status == ProgramStatus::kCreated) {
      entry["control_file"] = p.control_file;
      entry["control_file_found"] = p.control_file_found;
      entry["replaced"] = p.replaced;
      entry["replaces_program"] = p.replaces_program == 0
                                      ? nlohmann::json(nullptr)
                                      : nlohmann::json(p.replaces_program);
    }
    list.push_back(entry);
  }
  return {{"programs", list},
          {"program_path", program_path},
          {"warnings", RepeatedControlFileWarnings(programs)},
          {"leftovers", leftovers},
          {"exit_code", exit_code}};
}

}  // namespace bendpost::host
