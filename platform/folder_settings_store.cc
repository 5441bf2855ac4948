// The folder settings store; layout and guarantees in
// folder_settings_store.h. Only the system calls differ by platform
// (folder_settings_store_os.h and ValueFileCalls).
#include "platform/folder_settings_store.h"

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "platform/folder_settings_store_os.h"

namespace bendpost {
namespace {

using folder_store_os::IsFolder;

// A value name becomes a file name in the key's folder: it must be one
// plain name, and names starting with "." are kept for the temporaries.
bool IsAcceptableValueName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  return name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

bool WriteAll(ValueFileCalls& calls, int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = calls.Write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

class FolderSettingsKey : public SettingsKey {
 public:
  FolderSettingsKey(std::string folder, ValueFileCalls& calls)
      : folder_(std::move(folder)), calls_(calls) {}

  std::optional<std::string> Query(const std::string& name) override {
    if (!IsAcceptableValueName(name)) return std::nullopt;
    return folder_store_os::ReadRegularFile(folder_ + "/" + name);
  }

  // Write a new file beside the value, flush it to disk, then rename it over
  // the value: readers see the old bytes or the new ones, never a mixture.
  bool Set(const std::string& name, const std::string& bytes) override {
    if (!IsAcceptableValueName(name)) return false;
    std::string final_path = folder_ + "/" + name;
    std::string temp = folder_ + "/." + name + ".XXXXXX";
    std::vector<char> temp_path(temp.begin(), temp.end());
    temp_path.push_back('\0');
    int fd = calls_.MakeTemporary(temp_path.data());
    if (fd < 0) return false;
    bool ok = WriteAll(calls_, fd, bytes) && calls_.Sync(fd) == 0;
    if (calls_.Close(fd) != 0) ok = false;
    if (ok && calls_.Rename(temp_path.data(), final_path.c_str()) != 0)
      ok = false;
    if (!ok) {
      calls_.Unlink(temp_path.data());
      return false;
    }
    // Make the rename itself durable; a failure here does not undo it.
    int dir = calls_.OpenFolder(folder_.c_str());
    if (dir >= 0) {
      calls_.Sync(dir);
      calls_.Close(dir);
    }
    return true;
  }

 private:
  std::string folder_;
  ValueFileCalls& calls_;
};

}  // namespace

ValueFileCalls& SystemValueFileCalls() {
  static ValueFileCalls* calls = new ValueFileCalls();
  return *calls;
}

FolderSettingsStore::FolderSettingsStore(std::string root,
                                         ValueFileCalls& calls)
    : root_(std::move(root)), calls_(calls) {}

std::string SettingsKeyFolder(const std::string& root,
                              const std::string& key_path) {
  if (root.empty() || key_path.empty()) return std::string();
  std::string folder = root;
  size_t start = 0;
  for (;;) {
    size_t end = key_path.find('\\', start);
    std::string part = key_path.substr(
        start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == ".." ||
        part.find('/') != std::string::npos ||
        part.find('\0') != std::string::npos) {
      return std::string();
    }
    folder += "/";
    folder += part;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return folder;
}

std::unique_ptr<SettingsKey> FolderSettingsStore::OpenKey(
    const std::string& key_path, KeyAccess access) {
  std::string folder = SettingsKeyFolder(root_, key_path);
  if (folder.empty() || !IsFolder(folder)) return nullptr;
  if (!folder_store_os::FolderAllows(folder, access)) return nullptr;
  return std::make_unique<FolderSettingsKey>(folder, calls_);
}

Status CreateSettingsKey(const std::string& root, const std::string& key_path) {
  std::string folder = SettingsKeyFolder(root, key_path);
  if (folder.empty()) {
    return Status::Error("not a settings key: \"" + key_path + "\"");
  }
  // Create every folder of the path in turn (the root's too).
  for (size_t pos = 1; pos <= folder.size(); ++pos) {
    if (pos != folder.size() && !folder_store_os::IsSeparator(folder[pos]))
      continue;
    std::string prefix = folder.substr(0, pos);
    if (IsFolder(prefix)) continue;
    if (Status s = folder_store_os::MakeFolder(prefix); !s.ok()) return s;
  }
  if (!IsFolder(folder)) {
    return Status::Error("not a folder: " + folder);
  }
  return Status::OK();
}

}  // namespace bendpost
