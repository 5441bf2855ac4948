#include "cli/diff_command.h"

#include <CLI/CLI.hpp>
#include <memory>

#include "documents/library_json.h"
#include "formats/program_diff.h"
#include "formats/program_kind.h"
#include "pages/text_table.h"

namespace bendpost::cli {
namespace {

constexpr const char* kArrow = " \u2192 ";
constexpr const char* kMinus = "\u2212";

struct Input {
  std::string bytes;
  ProgramFileIdentity identity;
};

// False (with the message told) for a file that cannot be read or is no
// program file.
bool ReadInput(FileSystem& files, const std::string& path, CommandIo& io,
               Input* input) {
  if (!ReadWholeFile(files, path, &input->bytes).ok()) {
    io.err << "bendpost diff: cannot read " << path << "\n";
    return false;
  }
  input->identity = IdentifyProgramFile(input->bytes);
  if (input->identity.kind == ProgramFileKind::kUnknown) {
    io.err << "bendpost diff: " << path << ": " << input->identity.error
           << "\n";
    return false;
  }
  return true;
}

const char* KindName(ProgramFileKind kind) {
  return kind == ProgramFileKind::kControl ? "a control file" : "a record file";
}

std::string ValueText(const FieldDifference& d, bool second) {
  if (d.type == DiffValueType::kText)
    return "\"" + pages::Printable(second ? d.b_text : d.a_text) + "\"";
  return DiffNumberText(d.type, second ? d.b : d.a);
}

void PrintChanges(std::ostream& out, const std::string& where,
                  const std::vector<FieldDifference>& list) {
  for (const FieldDifference& d : list) {
    out << where << "  " << d.field << "  " << ValueText(d, false) << kArrow
        << ValueText(d, true);
    std::string delta = DifferenceText(d);
    if (!delta.empty()) {
      if (delta[0] == '-') delta = kMinus + delta.substr(1);
      out << "  (" << delta << ")";
    }
    out << "\n";
  }
}

void PrintDifference(std::ostream& out, const ProgramDifference& d) {
  PrintChanges(out, "header", d.header);
  for (const StepDifference& s : d.steps) {
    const std::string where = "step " + std::to_string(s.step);
    if (s.change == StepChange::kAdded) {
      out << where << "  added\n";
    } else if (s.change == StepChange::kRemoved) {
      out << where << "  removed\n";
    } else {
      PrintChanges(out, where, s.fields);
    }
  }
}

}  // namespace

int RunDiff(const DiffOptions& options, CommandIo& io, FileSystem& files) {
  Input a, b;
  if (!ReadInput(files, options.a_path, io, &a) ||
      !ReadInput(files, options.b_path, io, &b))
    return kExitUsage;
  if (a.identity.kind != b.identity.kind) {
    io.err << "bendpost diff: " << options.a_path << " is "
           << KindName(a.identity.kind) << " and " << options.b_path << " "
           << KindName(b.identity.kind) << ": only files of one kind compare\n";
    return kExitUsage;
  }
  const ProgramDifference d =
      CompareProgramFiles(a.bytes, a.identity, b.bytes, b.identity);
  if (options.json) {
    io.out << documents::DifferenceToJson(d).dump(2) << "\n";
  } else if (d.same()) {
    io.out << options.a_path << " and " << options.b_path << " are the same\n";
  } else {
    PrintDifference(io.out, d);
  }
  return d.same() ? kExitOk : kExitIncomplete;
}

Runner SetUpDiff(CLI::App& command, Services& services) {
  auto diff = std::make_shared<DiffOptions>();
  command.add_option("A", diff->a_path, "the first file")->required();
  command.add_option("B", diff->b_path, "the second file")->required();
  command.add_flag("--json", diff->json, "the differences as JSON");
  return [diff, &services](CommandIo& io) {
    return RunDiff(*diff, io, services.files);
  };
}

}  // namespace bendpost::cli
