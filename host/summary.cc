#include "host/summary.h"

#include <algorithm>
#include <map>

#include "base/text.h"
#include "platform/path.h"
#include "resources/dialog_ids.h"

namespace bendpost::host {

using documents::JobFile;

namespace {

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
  const int n = job.steps.GetSize();
  for (int i = 0; i < n;) {
    const int index = job.steps[i].GetSetupIndex();
    int end = i + 1;
    while (end < n && job.steps[end].GetSetupIndex() == index) ++end;
    ProgramRun run;
    run.number = static_cast<int>(runs.size()) + 1;
    run.setup_index = index;
    run.steps = end - i;
    // The generation lowers the steps' index by one and looks for the
    // first setup with that index.
    for (int s = 0; s < job.setups.GetSize(); ++s) {
      if (job.setups[s].GetSetupIndex() == index - 1) {
        run.setup_name = CPPSetup(job.setups[s]).GetSetupName().str();
        break;
      }
    }
    runs.push_back(run);
    i = end;
  }
  return runs;
}

std::string ControlFilePath(const std::string& file_name,
                            const std::string& program_name) {
  const size_t slash = FolderEnd(file_name);
  const std::string folder = slash == std::string::npos
                                 ? std::string()
                                 : file_name.substr(0, slash + 1);
  const size_t dot = file_name.rfind('.');
  const std::string extension =
      dot == std::string::npos ? std::string() : file_name.substr(dot);
  std::string name(TrimRightView(program_name));
  AsciiUpperInPlace(&name);
  name =
      std::string(TrimView(name.substr(0, std::min<size_t>(6, name.size()))));
  return folder + "2" + name + extension;
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

void PrintSummaryTable(std::ostream& out,
                       const std::vector<ProgramSummary>& programs) {
  const std::vector<std::string> header = {
      "#", "Program", "Setup", "Steps", "Result", "Warnings", "Control file"};
  std::vector<std::vector<std::string>> rows;
  for (const ProgramSummary& p : programs) {
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
      control = p.control_file + (p.control_file_found ? "" : " (missing)");
      if (p.replaced) control += " (replaced)";
      if (p.replaces_program != 0) {
        control +=
            " (replaced program " + std::to_string(p.replaces_program) + "'s)";
      }
    }
    rows.push_back({std::to_string(p.run.number),
                    p.program_name.empty() ? "-" : p.program_name,
                    p.run.setup_name.empty() ? "-" : p.run.setup_name,
                    std::to_string(p.run.steps),
                    ProgramStatusName(p.event.status), warnings, control});
  }
  std::vector<size_t> width(header.size());
  for (size_t c = 0; c < header.size(); ++c) {
    width[c] = header[c].size();
    for (const auto& row : rows) width[c] = std::max(width[c], row[c].size());
  }
  auto print_row = [&](const std::vector<std::string>& row) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size())
        line += std::string(width[c] - row[c].size() + 2, ' ');
    }
    out << line << "\n";
  };
  print_row(header);
  for (const auto& row : rows) print_row(row);

  bool heading = false;
  for (const ProgramSummary& p : programs) {
    for (const StepWarning& w : p.event.warnings) {
      if (!heading) {
        out << "\nWarnings:\n";
        heading = true;
      }
      out << "  program " << p.run.number << " step " << w.step << ": "
          << Join(w.messages, "; ") << "\n";
    }
  }
  for (const std::string& warning : RepeatedControlFileWarnings(programs)) {
    if (!heading) {
      out << "\nWarnings:\n";
      heading = true;
    }
    out << "  " << warning << "\n";
  }
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
        {"status", ProgramStatusName(p.event.status)},
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
