#include "testing/mem_file_system.h"

#include <algorithm>

#include "platform/memory_file.h"

namespace bendpost {

MemFileSystem::MemFileSystem() = default;
MemFileSystem::~MemFileSystem() = default;

Status MemFileSystem::Create(const std::string& path,
                             std::unique_ptr<File>* file) {
  if (path.empty()) return Status::Error("cannot create a file without a name");
  if (read_only_.count(path) != 0)
    return Status::Error("cannot create " + path + ": Permission denied");
  auto data = std::make_shared<std::string>();
  files_[path] = data;
  *file = NewMemoryFile(data, true);
  return Status::OK();
}

Status MemFileSystem::OpenForRead(const std::string& path,
                                  std::unique_ptr<File>* file) {
  auto it = files_.find(path);
  if (it == files_.end())
    return Status::Error("cannot open " + path + ": No such file or directory");
  *file = NewMemoryFile(it->second, false);
  return Status::OK();
}

Status MemFileSystem::Rename(const std::string& from, const std::string& to) {
  auto it = files_.find(from);
  if (it == files_.end())
    return Status::Error("cannot rename " + from +
                         ": No such file or directory");
  auto data = it->second;
  files_.erase(it);
  files_[to] = data;
  const bool read_only = read_only_.erase(from) != 0;
  read_only_.erase(to);
  if (read_only) read_only_.insert(to);
  return Status::OK();
}

Status MemFileSystem::Remove(const std::string& path) {
  if (files_.erase(path) == 0)
    return Status::Error("cannot delete " + path +
                         ": No such file or directory");
  read_only_.erase(path);
  return Status::OK();
}

Status MemFileSystem::SyncFolderOf(const std::string&) { return Status::OK(); }

bool MemFileSystem::Exists(const std::string& path) {
  return files_.count(path) != 0;
}

Status MemFileSystem::CheckWritable(const std::string& path) {
  if (files_.count(path) != 0 && read_only_.count(path) != 0)
    return Status::Error("cannot replace " + path + ": Permission denied");
  return Status::OK();
}

Status MemFileSystem::ListFolder(const std::string& folder,
                                 std::vector<std::string>* names) {
  names->clear();
  bool exists = folders_.count(folder) != 0;
  for (const auto& [path, data] : files_) {
    if (path.size() <= folder.size() + 1 ||
        path.compare(0, folder.size(), folder) != 0)
      continue;
    const char separator = path[folder.size()];
    if (separator != '/' && separator != '\\') continue;
    exists = true;
    const std::string name = path.substr(folder.size() + 1);
    if (name.find_first_of("/\\") == std::string::npos) names->push_back(name);
  }
  if (!exists)
    return Status::Error("cannot list " + folder +
                         ": No such file or directory");
  std::sort(names->begin(), names->end());
  return Status::OK();
}

void MemFileSystem::AddFolder(const std::string& folder) {
  folders_.insert(folder);
}

void MemFileSystem::SetReadOnly(const std::string& path, bool read_only) {
  if (read_only) {
    read_only_.insert(path);
  } else {
    read_only_.erase(path);
  }
}

void MemFileSystem::SetFile(const std::string& path, std::string contents) {
  files_[path] = std::make_shared<std::string>(std::move(contents));
}

const std::string* MemFileSystem::GetFile(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : it->second.get();
}

std::vector<std::string> MemFileSystem::ListFiles() const {
  std::vector<std::string> names;
  for (const auto& [name, data] : files_) names.push_back(name);
  return names;
}

}  // namespace bendpost
