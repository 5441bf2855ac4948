#include "formats/program_catalogue.h"

#include <algorithm>
#include <memory>

#include "base/text.h"
#include "formats/creation_stamp.h"
#include "formats/program_kind.h"
#include "platform/path.h"

namespace bendpost {
namespace {

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  if (last == '/' || last == PathSeparator()) return folder + name;
  return folder + PathSeparator() + name;
}

// Reads at most one byte more than a control file has (the size of
// `buffer`): enough to tell a control file from any other, without reading
// large files whole.
Status ReadHead(FileSystem& files, const std::string& path, std::string& buffer,
                size_t* size) {
  std::unique_ptr<File> file;
  Status s = files.OpenForRead(path, &file);
  if (!s.ok()) return s;
  s = file->Read(buffer.data(), buffer.size(), size);
  if (!s.ok()) return s;
  return file->Close();
}

bool Newer(const CatalogueEntry& a, const CatalogueEntry& b) {
  if (a.created_order != b.created_order)
    return a.created_order > b.created_order;
  return CompareBytes(a.file, b.file) < 0;
}

}  // namespace

CatalogueEntry CatalogueEntryOf(std::string file, std::string path,
                                std::string_view bytes) {
  CatalogueEntry entry;
  entry.file = std::move(file);
  entry.path = std::move(path);
  DecodedControlFile decoded;
  const Status status = DecodeControlFile(bytes, &decoded);
  entry.problems = decoded.problems;
  if (!status.ok() && entry.problems.empty()) {
    entry.problems.push_back(status.message());
  }
  entry.header = decoded.header;
  entry.created = CreationDateTime(decoded.header.CreationStamp);
  entry.created_order =
      UnwrappedCreationStamp(decoded.header.CreationStamp).value_or(0);
  entry.steps = decoded.steps.size();
  for (const ControlFileStep& step : decoded.steps) {
    if (step.Y1 == 0 && step.Y2 == 0) ++entry.zero_depth_steps;
  }
  return entry;
}

Status ReadProgramCatalogue(FileSystem& files, const std::string& folder,
                            ProgramCatalogue* catalogue) {
  *catalogue = ProgramCatalogue();
  std::vector<std::string> names;
  Status s = files.ListFolder(folder, &names);
  if (!s.ok()) return s;
  std::string buffer(control_file::kFileSize + 1, '\0');
  catalogue->programs.reserve(names.size());
  for (const std::string& name : names) {
    const std::string path = JoinPath(folder, name);
    size_t size = 0;
    s = ReadHead(files, path, buffer, &size);
    if (!s.ok()) {
      catalogue->unreadable.push_back(name + ": " + s.message());
    } else if (size != control_file::kFileSize) {
      ++catalogue->other_files;
    } else {
      catalogue->programs.push_back(
          CatalogueEntryOf(name, path, std::string_view(buffer.data(), size)));
    }
  }
  std::sort(catalogue->programs.begin(), catalogue->programs.end(), Newer);
  return Status::OK();
}

void KeepPartReference(std::string_view text, ProgramCatalogue* catalogue) {
  std::string wanted(text);
  AsciiLowerInPlace(&wanted);
  auto& list = catalogue->programs;
  list.erase(std::remove_if(list.begin(), list.end(),
                            [&](const CatalogueEntry& entry) {
                              std::string part = entry.header.PartReference;
                              AsciiLowerInPlace(&part);
                              return part.find(wanted) == std::string::npos;
                            }),
             list.end());
}

}  // namespace bendpost
