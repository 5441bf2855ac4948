#include "platform/overlay_file_system.h"

#include "platform/memory_file.h"

namespace bendpost {
namespace {

Status NoSuchFile(const char* verb, const std::string& path) {
  return Status::Error(std::string("cannot ") + verb + " " + path +
                       ": No such file or directory");
}

}  // namespace

OverlayFileSystem::OverlayFileSystem(FileSystem& below) : below_(below) {}

Status OverlayFileSystem::Create(const std::string& path,
                                 std::unique_ptr<File>* file) {
  if (path.empty()) return Status::Error("cannot create a file without a name");
  if (files_.count(path) == 0) {
    if (Status s = CheckWritable(path); !s.ok()) return s;
  }
  auto data = std::make_shared<std::string>();
  files_[path] = data;
  removed_.erase(path);
  *file = NewMemoryFile(data, true);
  return Status::OK();
}

Status OverlayFileSystem::OpenForRead(const std::string& path,
                                      std::unique_ptr<File>* file) {
  if (auto it = files_.find(path); it != files_.end()) {
    *file = NewMemoryFile(it->second, false);
    return Status::OK();
  }
  if (removed_.count(path) != 0) return NoSuchFile("open", path);
  return below_.OpenForRead(path, file);
}

Status OverlayFileSystem::Rename(const std::string& from,
                                 const std::string& to) {
  std::shared_ptr<std::string> data;
  if (auto it = files_.find(from); it != files_.end()) {
    data = it->second;
    files_.erase(it);
  } else if (removed_.count(from) == 0 && below_.Exists(from)) {
    data = std::make_shared<std::string>();
    if (Status s = ReadWholeFile(below_, from, data.get()); !s.ok()) return s;
  } else {
    return NoSuchFile("rename", from);
  }
  if (below_.Exists(from)) removed_.insert(from);
  files_[to] = data;
  removed_.erase(to);
  return Status::OK();
}

Status OverlayFileSystem::Remove(const std::string& path) {
  const bool held = files_.erase(path) != 0;
  const bool below = removed_.count(path) == 0 && below_.Exists(path);
  if (!held && !below) return NoSuchFile("delete", path);
  if (below) removed_.insert(path);
  return Status::OK();
}

Status OverlayFileSystem::SyncFolderOf(const std::string&) {
  return Status::OK();
}

bool OverlayFileSystem::Exists(const std::string& path) {
  if (files_.count(path) != 0) return true;
  return removed_.count(path) == 0 && below_.Exists(path);
}

Status OverlayFileSystem::CheckWritable(const std::string& path) {
  if (files_.count(path) != 0 || removed_.count(path) != 0) {
    return Status::OK();
  }
  return below_.CheckWritable(path);
}

Status OverlayFileSystem::ListFolder(const std::string& folder,
                                     std::vector<std::string>* names) {
  std::vector<std::string> below;
  const Status listed = below_.ListFolder(folder, &below);
  std::set<std::string> found;
  for (const std::string& name : below) {
    if (removed_.count(folder + "/" + name) == 0) found.insert(name);
  }
  bool held = false;
  for (const auto& entry : files_) {
    const std::string& path = entry.first;
    if (path.size() <= folder.size() + 1 || path.rfind(folder, 0) != 0 ||
        (path[folder.size()] != '/' && path[folder.size()] != '\\')) {
      continue;
    }
    const std::string name = path.substr(folder.size() + 1);
    if (name.find_first_of("/\\") != std::string::npos) continue;
    found.insert(name);
    held = true;
  }
  if (!listed.ok() && !held) return listed;
  names->assign(found.begin(), found.end());
  return Status::OK();
}

std::vector<std::string> OverlayFileSystem::ChangedFiles() const {
  std::vector<std::string> names;
  for (const auto& entry : files_) names.push_back(entry.first);
  return names;
}

const std::string* OverlayFileSystem::Contents(const std::string& path) const {
  auto it = files_.find(path);
  return it == files_.end() ? nullptr : it->second.get();
}

}  // namespace bendpost
