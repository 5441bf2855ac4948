#include "cli/sheet_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>

#include "documents/problem.h"
#include "pages/html.h"
#include "pages/sheet_model.h"
#include "pages/sheet_page.h"

namespace bendpost::cli {

using documents::JobFile;
using documents::LoadJobFile;
using documents::Problem;
using documents::WriteProblemReport;
using host::ProgramStatus;
using host::ProgramSummary;
using pages::BuildSheetModel;
using pages::SheetModel;
using pages::SheetPage;
using pages::WritePage;

std::string SheetPathFor(const std::string& control_path) {
  const std::filesystem::path path(control_path);
  std::filesystem::path sheet = path;
  sheet.replace_extension(".html");
  return sheet.string();
}

Status MakeSheet(FileSystem& files, const std::string& control_path,
                 const JobFile& job, std::optional<int> program_number,
                 std::string* html, bool preview) {
  std::string bytes;
  if (Status s = ReadWholeFile(files, control_path, &bytes); !s.ok()) {
    return Status::Error("cannot read " + control_path + ": " + s.message());
  }
  SheetModel model;
  if (Status s = BuildSheetModel(files, control_path, bytes, job,
                                 program_number, &model);
      !s.ok()) {
    return Status::Error(control_path + ": " + s.message());
  }
  model.preview = preview;
  *html = SheetPage(model);
  return Status::OK();
}

bool WriteProgramSheets(FileSystem& run_files, FileSystem& files,
                        const std::vector<ProgramSummary>& programs,
                        const JobFile& job, CommandIo& io) {
  bool all = true;
  for (const ProgramSummary& p : programs) {
    if (p.event.status != ProgramStatus::kCreated || !p.control_file_found)
      continue;
    std::string html;
    Status s = MakeSheet(run_files, p.control_file, job, p.run.number, &html,
                         p.preview);
    const std::string path = SheetPathFor(p.control_file);
    if (s.ok()) s = WritePage(files, path, html);
    if (!s.ok()) {
      io.err << "error: no sheet for program " << p.run.number << ": "
             << s.message() << "\n";
      all = false;
    }
  }
  return all;
}

Runner SetUpSheet(CLI::App& sheet_app, Services& services) {
  auto sheet = std::make_shared<SheetOptions>();
  sheet_app.add_option("CONTROL_FILE", sheet->control_path, "the control file")
      ->required();
  sheet_app.add_option("--job", sheet->job_path, "the job it was made from")
      ->required();
  sheet_app.add_option("--data", sheet->data_dir,
                       "folder of the material data files (replaces the "
                       "job's DataPath)");
  sheet_app.add_option("-o,--output", sheet->output_path,
                       "the page (default: stdout)");
  return [sheet, &services](CommandIo& io) {
    return RunSheet(services.files, *sheet, io);
  };
}

int RunSheet(FileSystem& files, const SheetOptions& options, CommandIo& io) {
  JobFile job;
  std::vector<Problem> problems;
  if (!LoadJobFile(files, options.job_path, &job, &problems)) {
    WriteProblemReport(io.err, "bendpost sheet: " + options.job_path, problems,
                       "  ");
    return kExitUsage;
  }
  if (!options.data_dir.empty()) {
    job.data_path =
        std::filesystem::absolute(options.data_dir).lexically_normal().string();
  }
  std::string html;
  if (Status s =
          MakeSheet(files, options.control_path, job, std::nullopt, &html);
      !s.ok()) {
    io.err << "bendpost sheet: " << s.message() << "\n";
    return kExitUsage;
  }
  if (options.output_path.empty()) {
    io.out << html;
    return kExitOk;
  }
  if (Status s = WritePage(files, options.output_path, html); !s.ok()) {
    io.err << "bendpost sheet: cannot write " << options.output_path << ": "
           << s.message() << "\n";
    return kExitUsage;
  }
  return kExitOk;
}

}  // namespace bendpost::cli
