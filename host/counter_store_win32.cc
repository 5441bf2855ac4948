// On Windows the counter lives where the driver under a real host keeps it,
// in the registry, unless --settings names a folder: that folder is the
// folder settings store, the POSIX systems' own (folder_settings_store.h).
// A run holds the store with LockFileEx on a lock file (see
// counter_store.h for where it lies).
#include <windows.h>

#include <optional>

#include "host/counter_store.h"
#include "platform/folder_settings_store.h"
#include "platform/serial_key.h"

namespace bendpost::host {
namespace {

// The registry store of the platform, which lives as long as the process.
class RegistryCounterStore : public SettingsStore {
 public:
  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override {
    return UserSettingsStore().OpenKey(key_path, access);
  }
};

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Creates `folder` and every folder above it that is missing (the lock's).
bool CreateFolders(const std::string& folder) {
  for (size_t i = 0; i <= folder.size(); ++i) {
    if (i < folder.size() && folder[i] != '\\' && folder[i] != '/') continue;
    const std::string prefix = folder.substr(0, i);
    if (prefix.empty() || prefix.back() == ':' || IsFolder(prefix)) continue;
    if (!CreateDirectoryA(prefix.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
  }
  return true;
}

// A lock of the file's first byte through its own handle: another handle
// (in this process or another) cannot take it until this one is closed,
// which the system also does when the process ends.
class FileCounterLock : public CounterStoreLock {
 public:
  FileCounterLock(HANDLE file, std::string path)
      : file_(file), path_(std::move(path)) {}
  ~FileCounterLock() override { CloseHandle(file_); }
  FileCounterLock(const FileCounterLock&) = delete;
  FileCounterLock& operator=(const FileCounterLock&) = delete;
  const std::string& path() const override { return path_; }

 private:
  HANDLE file_;
  std::string path_;
};

bool LockFirstByte(HANDLE file, DWORD flags) {
  OVERLAPPED at = {};
  return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | flags, 0, 1, 0, &at) !=
         FALSE;
}

// The folder of the lock without --settings: the counter is then in the
// registry, which has no folder; the user's local application data (or,
// without one, the temporary folder) stands in.
std::string UserLockFolder() {
  char buf[MAX_PATH + 1] = {};
  DWORD n = GetEnvironmentVariableA("LOCALAPPDATA", buf, sizeof buf);
  if (n == 0 || n >= sizeof buf) n = GetTempPathA(sizeof buf, buf);
  if (n == 0 || n >= sizeof buf) return std::string();
  std::string folder(buf, n);
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder + "bendpost";
}

}  // namespace

std::unique_ptr<SettingsStore> OpenCounterStore(const std::string& settings_dir,
                                                UserInterface& ui,
                                                CounterKey key,
                                                std::string* error) {
  const std::string key_path = SerialCounterKeyPath(ui);
  if (key == CounterKey::kLeave) {
    if (settings_dir.empty()) return std::make_unique<RegistryCounterStore>();
    return std::make_unique<FolderSettingsStore>(settings_dir);
  }
  if (settings_dir.empty()) {
    // The path is the stored one (it names Wow6432Node itself for a 32-bit
    // process on 64-bit Windows), so it is created through the 64-bit view:
    // the same key on Windows, which shares HKEY_CURRENT_USER\Software
    // between the views; under Wine, a 32-bit process's create would
    // otherwise add a second Wow6432Node that the driver's open does not.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, 0,
                        KEY_READ | KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      *error =
          "cannot create the serial counter's registry key "
          "HKEY_CURRENT_USER\\" +
          key_path;
      return nullptr;
    }
    RegCloseKey(key);
    return std::make_unique<RegistryCounterStore>();
  }
  if (!CreateSettingsKey(settings_dir, key_path).ok()) {
    *error = "cannot create the serial counter in " + settings_dir;
    return nullptr;
  }
  return std::make_unique<FolderSettingsStore>(settings_dir);
}

std::unique_ptr<CounterStoreLock> LockCounterStore(
    const std::string& settings_dir,
    const std::function<void(const std::string& lock_file)>& on_wait,
    std::string* error) {
  const std::string folder =
      settings_dir.empty() ? UserLockFolder() : settings_dir;
  if (folder.empty() || !CreateFolders(folder)) {
    *error = "cannot create the folder of the serial counter's lock " + folder;
    return nullptr;
  }
  const std::string path = folder + "\\" + kCounterLockFileName;
  const HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    *error = "cannot open " + path + " (error " +
             std::to_string(GetLastError()) + ")";
    return nullptr;
  }
  if (!LockFirstByte(file, LOCKFILE_FAIL_IMMEDIATELY)) {
    DWORD why = GetLastError();
    if (why == ERROR_LOCK_VIOLATION || why == ERROR_IO_PENDING) {
      on_wait(path);
      why = LockFirstByte(file, 0) ? ERROR_SUCCESS : GetLastError();
    }
    if (why != ERROR_SUCCESS) {
      *error = "cannot lock " + path + " (error " + std::to_string(why) + ")";
      CloseHandle(file);
      return nullptr;
    }
  }
  return std::make_unique<FileCounterLock>(file, path);
}

}  // namespace bendpost::host
