#include "cli/tools_command.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "base/text.h"
#include "dialog/tool_names.h"
#include "dialog/tool_table.h"
#include "documents/json_text.h"
#include "documents/problem.h"
#include "platform/file.h"
#include "records/record_lookup.h"

namespace bendpost::cli {

using documents::JobFile;
using documents::LoadJobFile;
using documents::Problem;
using documents::WriteProblemReport;

namespace {

struct ToolsArgs {
  std::string table, tool_name, job;
  bool sectional = false;
};

constexpr size_t kTargetLimit = 6;  // characters of a control tool name

size_t FindBlankOrTab(std::string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsBlankOrTab(s[i])) return i;
  }
  return std::string_view::npos;
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

std::string NeverMatches(const ToolTableProblem& problem) {
  switch (problem.kind) {
    case ToolTableProblem::Kind::kNoSeparator:
      return "never matches: no space or tab after the name \"" + problem.key +
             "\"";
    case ToolTableProblem::Kind::kNothingAfterName:
      break;
  }
  return "never matches: nothing after the name \"" + problem.key + "\"";
}

// Findings about the table alone, in line order: lines that never match,
// lines a line before them with the same name hides, and targets longer
// than the control takes.
std::vector<TableFinding> CheckTableLines(const ToolTable& table) {
  std::vector<TableFinding> findings;
  for (const ToolTableProblem& problem : table.problems) {
    findings.push_back({problem.line, NeverMatches(problem)});
  }
  // By lower-cased name: the first entry with it.
  std::map<std::string, const ToolTableEntry*> first_entry;
  for (const ToolTableEntry& entry : table.entries) {
    std::string lower = entry.key;
    AsciiLowerInPlace(&lower);
    auto [it, inserted] = first_entry.emplace(lower, &entry);
    if (!inserted) {
      findings.push_back(
          {entry.line, "never read: line " + std::to_string(it->second->line) +
                           " already gives \"" + it->second->key + "\""});
      continue;
    }
    for (const std::string* target : {&entry.ordinary, &entry.sectional}) {
      if (target->size() > kTargetLimit) {
        findings.push_back(
            {entry.line, "target \"" + *target + "\" of \"" + entry.key +
                             "\" has " + std::to_string(target->size()) +
                             " characters; the control takes at most 6"});
      }
    }
  }
  // A line gives either a problem or an entry: ordering by line alone
  // keeps each line's findings in the order they were found.
  std::stable_sort(findings.begin(), findings.end(),
                   [](const TableFinding& a, const TableFinding& b) {
                     return a.line < b.line;
                   });
  return findings;
}

// The steps that name one tool in one slot.
struct ToolUse {
  std::string role;
  std::vector<int> steps;
};
// By slot and name: the punch, die, die holder and spacer names the
// conversion looks up, with the steps that use them.
using ToolUses = std::map<std::pair<int, std::string>, ToolUse>;

ToolUses CollectToolUses(const JobFile& job) {
  static constexpr std::pair<int, const char*> kSlots[] = {
      {tool_slot::kPunch, "punch"},
      {tool_slot::kDie, "die"},
      {tool_slot::kDieHolder, "die holder"},
      {tool_slot::kSpacer, "spacer"}};
  ToolUses uses;
  for (int s = 0; s < job.steps.GetSize(); ++s) {
    char ids[6][32];
    job.steps[s].GetToolID(ids);
    for (const auto& [slot, role] : kSlots) {
      const std::string name = ToolNameFromId(ids[slot]).str();
      if (name.empty()) continue;
      ToolUse& use = uses[{slot, name}];
      use.role = role;
      use.steps.push_back(s + 1);
    }
  }
  return uses;
}

// A die's target with the size suffix the driver appends, when that makes
// it longer than the control takes.
std::optional<TableFinding> CheckDieSuffix(const std::string& what,
                                           const CPPTool& die,
                                           const ToolTableEntry& entry) {
  const int size = die.GetSmallorLarger();
  if (size != 1 && size != 2) return std::nullopt;
  const std::string& target = entry.Target(die.GetSectional() != 0);
  if (target.size() + 1 <= kTargetLimit) return std::nullopt;
  return TableFinding{entry.line,
                      what + ": target \"" + target +
                          "\" with its size "
                          "suffix \"" +
                          std::to_string(size) + "\" has " +
                          std::to_string(target.size() + 1) +
                          " characters; the control takes at most 6"};
}

// Findings about the tools a job's steps name, in slot and name order.
std::vector<TableFinding> CheckJobTools(const ToolTable& table,
                                        const JobFile& job) {
  std::vector<TableFinding> findings;
  for (const auto& [key, use] : CollectToolUses(job)) {
    const auto& [slot, name] = key;
    const std::string what =
        use.role + " \"" + name + "\" (" + StepList(use.steps) + ")";
    const CPPTool* tool = FindToolNamed(job.tools, CString(name));
    if (tool == nullptr) {
      findings.push_back({0, what + " is not among the job's tools: the "
                                    "program names no tool and \"0\""});
      continue;
    }
    if (FindBlankOrTab(name) != std::string::npos) {
      findings.push_back({0, what + " holds a space or tab: no table line "
                                    "can match it"});
      continue;
    }
    const ToolTableEntry* entry = table.Find(name);
    if (entry == nullptr) {
      findings.push_back({0, what + " has no entry in the table: the program "
                                    "keeps the name"});
      continue;
    }
    if (slot != 1) continue;
    if (auto finding = CheckDieSuffix(what, *tool, *entry)) {
      findings.push_back(*std::move(finding));
    }
  }
  return findings;
}

}  // namespace

Runner SetUpTools(CLI::App& tools, Services& services) {
  tools.require_subcommand(1);
  auto args = std::make_shared<ToolsArgs>();
  CLI::App* check = tools.add_subcommand(
      "check",
      "Report table lines that never match or are never read, "
      "targets too long for the control, and, with a job, tools "
      "without an entry.");
  check->add_option("TABLE", args->table, "the conversion table")->required();
  check->add_option("--job", args->job, "a job file whose tools to look up");
  CLI::App* convert = tools.add_subcommand(
      "convert", "Print the control's name the driver would use for a tool.");
  convert->add_option("TABLE", args->table, "the conversion table")->required();
  convert->add_option("NAME", args->tool_name, "the host's tool name")
      ->required();
  convert->add_flag("--sectional", args->sectional, "the tool is sectional");
  return [args, check, convert, &services](CommandIo& io) {
    FileSystem& files = services.files;
    if (check->parsed())
      return RunToolsCheck(files, args->table, args->job, io);
    if (convert->parsed()) {
      return RunToolsConvert(files, args->table, args->tool_name,
                             args->sectional, io);
    }
    return kExitUsage;
  };
}

std::vector<TableFinding> CheckToolTable(const std::vector<std::string>& lines,
                                         const JobFile* job) {
  const ToolTable table = ParseToolTable(lines);
  std::vector<TableFinding> findings = CheckTableLines(table);
  if (job == nullptr) return findings;
  std::vector<TableFinding> tools = CheckJobTools(table, *job);
  findings.insert(findings.end(), tools.begin(), tools.end());
  return findings;
}

int RunToolsCheck(FileSystem& files, const std::string& table_path,
                  const std::string& job_path, CommandIo& io) {
  std::vector<std::string> lines;
  if (Status s = ReadTextLines(files, table_path, &lines); !s.ok()) {
    io.err << "bendpost tools check: cannot read " << table_path << ": "
           << s.message() << "\n";
    return kExitUsage;
  }
  JobFile job;
  if (!job_path.empty()) {
    std::vector<Problem> problems;
    if (!LoadJobFile(files, job_path, &job, &problems)) {
      WriteProblemReport(io.err, job_path, problems, "");
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

int RunToolsConvert(FileSystem& files, const std::string& table_path,
                    const std::string& name, bool sectional, CommandIo& io) {
  if (!name.empty() && !files.Exists(table_path)) {
    io.err << "note: cannot read " << table_path
           << "; the driver keeps the name\n";
  }
  io.out << ConvertToolName(files, table_path, CString(name), sectional).str()
         << "\n";
  return kExitOk;
}

}  // namespace bendpost::cli
