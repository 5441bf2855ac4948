#include "cli/list_command.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>

#include "base/text.h"
#include "cli/sheet_command.h"
#include "documents/library_json.h"
#include "formats/program_catalogue.h"
#include "pages/html.h"
#include "pages/program_list_page.h"
#include "pages/text_table.h"
#include "platform/path.h"

namespace bendpost::cli {
namespace {

using pages::Printable;

std::string Joined(const std::vector<std::string>& list) {
  std::string text;
  for (const std::string& item : list)
    text += (text.empty() ? "" : "; ") + item;
  return text;
}

std::string Trimmed(const std::string& bytes) {
  return Printable(std::string(TrimRightView(bytes)));
}

void PrintTable(std::ostream& out, const ProgramCatalogue& catalogue) {
  pages::TextTable table({"File", "Program", "Part", "Created", "Material",
                          ">No.", ">Hardness", ">Thickness", ">Steps", "Punch",
                          "Die", ">Depth 0", "State"});
  for (const CatalogueEntry& e : catalogue.programs) {
    const ControlFileHeader& h = e.header;
    table.AddRow({Printable(e.file), Trimmed(h.ProgramName),
                  Trimmed(h.PartReference), e.created, Trimmed(h.MaterialName),
                  std::to_string(h.MaterialNumber), std::to_string(h.Hardness),
                  FormatFloat(h.HeaderThickness), std::to_string(e.steps),
                  Trimmed(h.PunchTargetName), Trimmed(h.DieTargetName),
                  std::to_string(e.zero_depth_steps),
                  e.damaged() ? "damaged: " + Joined(e.problems) : "ok"});
  }
  if (!catalogue.programs.empty()) table.Print(out);
  out << catalogue.programs.size()
      << (catalogue.programs.size() == 1 ? " control file, "
                                         : " control files, ")
      << catalogue.other_files
      << (catalogue.other_files == 1 ? " other file\n" : " other files\n");
  for (const std::string& u : catalogue.unreadable)
    out << "cannot read " << u << "\n";
}

// A file: URL of `path`, for a page that lies in another folder.
std::string FileUrl(const std::string& path) {
  std::error_code error;
  std::string absolute =
      std::filesystem::absolute(std::filesystem::path(path), error)
          .generic_string();
  if (error) absolute = path;
  std::string url =
      absolute.empty() || absolute[0] != '/' ? "file:///" : "file://";
  for (char c : absolute) {
    if (c == ' ' || c == '#' || c == '?' || c == '%') {
      static const char kHex[] = "0123456789ABCDEF";
      url += '%';
      url += kHex[static_cast<unsigned char>(c) >> 4];
      url += kHex[static_cast<unsigned char>(c) & 15];
    } else {
      url += c;
    }
  }
  return url;
}

std::string FolderOf(const std::string& path) {
  const size_t end = FolderEnd(path);
  return end == std::string::npos ? std::string() : path.substr(0, end);
}

// The sheet of each entry: its name when the page lies in the program
// folder, else a file: URL.
std::vector<std::string> SheetLinks(FileSystem& files,
                                    const ProgramCatalogue& catalogue,
                                    const std::string& page_path) {
  std::vector<std::string> links;
  for (const CatalogueEntry& e : catalogue.programs) {
    const std::string sheet = SheetPathFor(e.path);
    if (!files.Exists(sheet)) {
      links.emplace_back();
    } else if (FolderOf(sheet) == FolderOf(page_path)) {
      const size_t end = FolderEnd(sheet);
      links.push_back(end == std::string::npos ? sheet : sheet.substr(end + 1));
    } else {
      links.push_back(FileUrl(sheet));
    }
  }
  return links;
}

}  // namespace

int RunList(const ListOptions& options, CommandIo& io, FileSystem& files) {
  ProgramCatalogue catalogue;
  Status s = ReadProgramCatalogue(files, options.folder, &catalogue);
  if (!s.ok()) {
    io.err << "bendpost list: " << s.message() << "\n";
    return kExitUsage;
  }
  KeepPartReference(options.part, &catalogue);
  if (!options.html_path.empty()) {
    const std::string page =
        pages::ProgramListPage(catalogue, options.folder,
                               SheetLinks(files, catalogue, options.html_path));
    s = pages::WritePage(files, options.html_path, page);
    if (!s.ok()) {
      io.err << "bendpost list: " << s.message() << "\n";
      return kExitUsage;
    }
  }
  if (options.json) {
    io.out << documents::CatalogueToJson(catalogue).dump(2) << "\n";
  } else {
    PrintTable(io.out, catalogue);
  }
  return kExitOk;
}

Runner SetUpList(CLI::App& command, Services& services) {
  auto list = std::make_shared<ListOptions>();
  command.add_option("FOLDER", list->folder, "the program folder")->required();
  command.add_option("--part", list->part,
                     "only part references containing TEXT (case ignored)");
  command.add_flag("--json", list->json, "the rows as a JSON array");
  command.add_option("--html", list->html_path,
                     "also write the list as a page (HTML)");
  return [list, &services](CommandIo& io) {
    return RunList(*list, io, services.files);
  };
}

}  // namespace bendpost::cli
