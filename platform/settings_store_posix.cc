// The per-user settings store of POSIX systems; layout and guarantees in
// settings_store_posix.h.
#include "platform/settings_store_posix.h"

#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace bendpost {
namespace {

constexpr const char* kStoreSubfolder = "/bendpost/registry";

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A value name becomes a file name in the key's folder: it must be one
// plain name, and names starting with "." are kept for the temporaries.
bool IsAcceptableValueName(const std::string& name) {
  if (name.empty() || name[0] == '.') return false;
  return name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

Status ErrnoStatus(const char* what, const std::string& path) {
  return Status::Error(std::string(what) + " " + path + ": " +
                       std::strerror(errno));
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

std::optional<std::string> ReadRegularFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buf[256];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

class PosixSettingsKey : public SettingsKey {
 public:
  PosixSettingsKey(std::string folder, ValueFileCalls& calls)
      : folder_(std::move(folder)), calls_(calls) {}

  std::optional<std::string> Query(const std::string& name) override {
    if (!IsAcceptableValueName(name)) return std::nullopt;
    return ReadRegularFile(folder_ + "/" + name);
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

int ValueFileCalls::MakeTemporary(char* path_template) {
  return ::mkstemp(path_template);
}
ssize_t ValueFileCalls::Write(int fd, const void* data, size_t size) {
  return ::write(fd, data, size);
}
int ValueFileCalls::Sync(int fd) { return ::fsync(fd); }
int ValueFileCalls::Close(int fd) { return ::close(fd); }
int ValueFileCalls::Rename(const char* from, const char* to) {
  return ::rename(from, to);
}
int ValueFileCalls::Unlink(const char* path) { return ::unlink(path); }
int ValueFileCalls::OpenFolder(const char* path) {
  return ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

ValueFileCalls& SystemValueFileCalls() {
  static ValueFileCalls* calls = new ValueFileCalls();
  return *calls;
}

PosixSettingsStore::PosixSettingsStore(std::string root, ValueFileCalls& calls)
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

std::unique_ptr<SettingsKey> PosixSettingsStore::OpenKey(
    const std::string& key_path, KeyAccess access) {
  std::string folder = SettingsKeyFolder(root_, key_path);
  if (folder.empty() || !IsDirectory(folder)) return nullptr;
  int mode = access == KeyAccess::kWrite ? (W_OK | X_OK) : (R_OK | X_OK);
  if (::access(folder.c_str(), mode) != 0) return nullptr;
  return std::make_unique<PosixSettingsKey>(folder, calls_);
}

Status CreateSettingsKey(const std::string& root, const std::string& key_path) {
  std::string folder = SettingsKeyFolder(root, key_path);
  if (folder.empty()) {
    return Status::Error("not a settings key: \"" + key_path + "\"");
  }
  // Create every folder of the path in turn (the root's too).
  for (size_t pos = 1; pos <= folder.size(); ++pos) {
    if (pos != folder.size() && folder[pos] != '/') continue;
    std::string prefix = folder.substr(0, pos);
    if (IsDirectory(prefix)) continue;
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
      return ErrnoStatus("cannot create", prefix);
    }
  }
  if (!IsDirectory(folder)) {
    return Status::Error("not a folder: " + folder);
  }
  return Status::OK();
}

std::string UserSettingsRoot() {
  const char* xdg = ::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/')
    return std::string(xdg) + kStoreSubfolder;
  const char* home = ::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return std::string(home) + "/.config" + kStoreSubfolder;
  }
  struct passwd pw;
  struct passwd* found = nullptr;
  std::vector<char> buf(16384);
  if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr &&
      found->pw_dir[0] != '\0') {
    return std::string(found->pw_dir) + "/.config" + kStoreSubfolder;
  }
  return std::string();
}

SettingsStore& UserSettingsStore() {
  static PosixSettingsStore* store = new PosixSettingsStore(UserSettingsRoot());
  return *store;
}

}  // namespace bendpost
