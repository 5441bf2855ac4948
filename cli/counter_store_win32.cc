// On Windows the counter lives where the driver under a real host keeps it,
// in the registry, unless --settings names a folder; the folder has the
// layout of the POSIX store, key paths being folder paths here already.
#include <windows.h>

#include <optional>

#include "cli/counter_store.h"
#include "dialog/program_identity.h"
#include "platform/platform.h"

namespace bendpost::cli {
namespace {

// The registry store of the platform, which lives as long as the process.
class RegistryCounterStore : public SettingsStore {
 public:
  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override {
    return UserSettingsStore().OpenKey(key_path, access);
  }
};

std::optional<std::string> ReadValueFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[256];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr) != FALSE) &&
         got > 0) {
    bytes.append(buf, got);
  }
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return bytes;
}

// A new file beside the value, flushed, then moved over the value: readers
// see the old bytes or the new ones, never a mixture.
bool ReplaceValueFile(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".new";
  HANDLE h = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()),
                      &written, nullptr) != FALSE &&
            written == bytes.size() && FlushFileBuffers(h) != FALSE;
  if (CloseHandle(h) == FALSE) ok = false;
  if (ok) {
    ok = MoveFileExA(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
         FALSE;
  }
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class FolderKey : public SettingsKey {
 public:
  explicit FolderKey(std::string folder) : folder_(std::move(folder)) {}
  std::optional<std::string> Query(const std::string& name) override {
    return ReadValueFile(folder_ + "\\" + name);
  }
  bool Set(const std::string& name, const std::string& bytes) override {
    return ReplaceValueFile(folder_ + "\\" + name, bytes);
  }

 private:
  std::string folder_;
};

class FolderCounterStore : public SettingsStore {
 public:
  explicit FolderCounterStore(std::string root) : root_(std::move(root)) {}
  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess) override {
    const std::string folder = root_ + "\\" + key_path;
    if (!IsFolder(folder)) return nullptr;
    return std::make_unique<FolderKey>(folder);
  }

 private:
  std::string root_;
};

// Creates `folder` and every folder above it that is missing.
bool CreateFolders(const std::string& folder) {
  for (size_t i = 0; i <= folder.size(); ++i) {
    if (i < folder.size() && folder[i] != '\\' && folder[i] != '/') continue;
    const std::string prefix = folder.substr(0, i);
    if (prefix.empty() || prefix.back() == ':' || IsFolder(prefix)) continue;
    if (!CreateDirectoryA(prefix.c_str(), nullptr)) return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<SettingsStore> OpenCounterStore(const std::string& settings_dir,
                                                std::string* error) {
  const std::string key_path = SerialCounterKeyPath(*CurrentPlatform().ui);
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
  if (!CreateFolders(settings_dir + "\\" + key_path)) {
    *error = "cannot create the serial counter in " + settings_dir;
    return nullptr;
  }
  return std::make_unique<FolderCounterStore>(settings_dir);
}

}  // namespace bendpost::cli
