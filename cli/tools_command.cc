#include "cli/tools_command.h"

#include <map>
#include <optional>

#include "cli/json_text.h"
#include "dialog/tool_names.h"
#include "platform/file.h"
#include "base/text.h"

namespace bendpost::cli {
namespace {

constexpr size_t kTargetLimit = 6;  // characters of a control tool name

size_t FindBlankOrTab(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsBlankOrTab(s[i])) return i;
  }
  return std::string_view::npos;
}

// One line of the table as the conversion reads it.
struct TableLine {
  int number = 0;
  std::string key;
  std::string ordinary;
  std::string sectional;  // "" when the line has one target for both
  bool matches = false;   // a line that can match at all
  std::string never;      // why it never matches
};

TableLine ParseLine(int number, const std::string& raw) {
  TableLine t;
  t.number = number;
  const std::string_view line = TrimLeftView(raw);
  const size_t gap = FindBlankOrTab(line);
  if (gap == std::string_view::npos) {
    t.key = std::string(line);
    t.never = "no space or tab after the name \"" + t.key + "\"";
    return t;
  }
  t.key = std::string(line.substr(0, gap));
  const std::string_view rest = TrimView(line.substr(gap + 1));
  if (rest.empty()) {
    t.never = "nothing after the name \"" + t.key + "\"";
    return t;
  }
  t.matches = true;
  const size_t split = FindBlankOrTab(rest);
  if (split == std::string_view::npos) {
    t.ordinary = std::string(rest);
  } else {
    t.ordinary = std::string(TrimView(rest.substr(0, split)));
    t.sectional = std::string(TrimView(rest.substr(split + 1)));
  }
  return t;
}

std::string StepList(const std::vector<int>& steps) {
  std::string s = steps.size() == 1 ? "step " : "steps ";
  for (size_t i = 0; i < steps.size(); ++i) {
    if (i > 0) s += ", ";
    if (i == 5 && steps.size() > 6) {
      s += "...";
      break;
    }
    s += std::to_string(steps[i]);
  }
  return s;
}

}  // namespace

std::vector<TableFinding> CheckToolTable(const std::vector<std::string>& lines,
                                         const Job* job) {
  std::vector<TableFinding> findings;
  std::vector<TableLine> parsed;
  std::map<std::string, std::pair<int, std::string>> first_line;  // by
  // lower-cased key: the line and its key
  for (size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    if (TrimView(lines[i]).empty()) continue;
    TableLine t = ParseLine(number, lines[i]);
    if (!t.matches) {
      findings.push_back({number, "never matches: " + t.never});
      continue;
    }
    std::string lower = t.key;
    AsciiLowerInPlace(&lower);
    auto [it, inserted] = first_line.emplace(lower, std::pair(number, t.key));
    if (!inserted) {
      findings.push_back(
          {number, "never read: line " + std::to_string(it->second.first) +
                       " already gives \"" + it->second.second + "\""});
      continue;
    }
    for (const std::string* target : {&t.ordinary, &t.sectional}) {
      if (target->size() > kTargetLimit) {
        findings.push_back(
            {number, "target \"" + *target + "\" of \"" + t.key + "\" has " +
                         std::to_string(target->size()) +
                         " characters; the control takes at most 6"});
      }
    }
    parsed.push_back(t);
  }
  if (job == nullptr) return findings;

  auto lookup = [&](const std::string& name) -> const TableLine* {
    for (const TableLine& t : parsed) {
      if (EqualsNoCase(t.key, name)) return &t;
    }
    return nullptr;
  };
  // The names the conversion looks up: punch, die, die holder, spacer.
  struct Use {
    std::string role;
    std::vector<int> steps;
  };
  std::map<std::pair<int, std::string>, Use> uses;
  static constexpr std::pair<int, const char*> kSlots[] = {
      {0, "punch"}, {1, "die"}, {2, "die holder"}, {4, "spacer"}};
  for (int s = 0; s < job->steps.GetSize(); ++s) {
    char ids[6][32];
    job->steps[s].GetToolID(ids);
    for (const auto& [slot, role] : kSlots) {
      const std::string name = ToolNameFromId(ids[slot]).str();
      if (name.empty()) continue;
      Use& use = uses[{slot, name}];
      use.role = role;
      use.steps.push_back(s + 1);
    }
  }
  for (const auto& [key, use] : uses) {
    const auto& [slot, name] = key;
    const std::string what =
        use.role + " \"" + name + "\" (" + StepList(use.steps) + ")";
    std::optional<CPPTool> tool;
    for (int t = 0; t < job->tools.GetSize(); ++t) {
      CPPTool candidate = job->tools[t];
      if (candidate.GetToolName().str() == name) {
        tool = candidate;
        break;
      }
    }
    if (!tool) {
      findings.push_back({0, what + " is not among the job's tools: the "
                                    "program names no tool and \"0\""});
      continue;
    }
    if (FindBlankOrTab(name) != std::string::npos) {
      findings.push_back({0, what + " holds a space or tab: no table line "
                                    "can match it"});
      continue;
    }
    const TableLine* line = lookup(name);
    if (line == nullptr) {
      findings.push_back({0, what + " has no entry in the table: the program "
                                    "keeps the name"});
      continue;
    }
    const int size = tool->GetSmallorLarger();
    if (slot == 1 && (size == 1 || size == 2)) {
      const std::string& target =
          tool->GetSectional() != 0 && !line->sectional.empty()
              ? line->sectional
              : line->ordinary;
      if (target.size() + 1 > kTargetLimit) {
        findings.push_back(
            {line->number, what + ": target \"" + target +
                               "\" with its size "
                               "suffix \"" +
                               std::to_string(size) + "\" has " +
                               std::to_string(target.size() + 1) +
                               " characters; the control takes at most 6"});
      }
    }
  }
  return findings;
}

int RunToolsCheck(const std::string& table_path, const std::string& job_path,
                  CommandIo& io) {
  std::vector<std::string> lines;
  if (Status s = ReadTextLines(RealFileSystem(), table_path, &lines); !s.ok()) {
    io.err << "bendpost tools check: cannot read " << table_path << ": "
           << s.message() << "\n";
    return kExitUsage;
  }
  Job job;
  if (!job_path.empty()) {
    std::vector<JsonProblem> problems;
    if (!LoadJobFile(job_path, &job, &problems)) {
      io.err << job_path << ": " << problems.size()
             << (problems.size() == 1 ? " problem" : " problems") << "\n"
             << FormatProblems(problems);
      return kExitUsage;
    }
  }
  const std::vector<TableFinding> findings =
      CheckToolTable(lines, job_path.empty() ? nullptr : &job);
  for (const TableFinding& f : findings) {
    if (f.line > 0) {
      io.out << table_path << ":" << f.line << ": " << f.message << "\n";
    } else {
      io.out << job_path << ": " << f.message << "\n";
    }
  }
  io.out << (findings.empty()
                 ? "no findings"
                 : std::to_string(findings.size()) +
                       (findings.size() == 1 ? " finding" : " findings"))
         << " in " << lines.size() << " lines\n";
  return findings.empty() ? kExitOk : kExitIncomplete;
}

int RunToolsConvert(const std::string& table_path, const std::string& name,
                    bool sectional, CommandIo& io) {
  FileSystem& files = RealFileSystem();
  if (!name.empty() && !files.Exists(table_path)) {
    io.err << "note: cannot read " << table_path
           << "; the driver keeps the name\n";
  }
  io.out << ConvertToolName(files, table_path, CString(name), sectional).str()
         << "\n";
  return kExitOk;
}

}  // namespace bendpost::cli
