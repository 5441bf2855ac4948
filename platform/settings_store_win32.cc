// The user settings store on Windows: the registry below HKEY_CURRENT_USER.
// Keys are opened with KEY_READ or KEY_WRITE, never created. Values are
// read back as the bytes the registry holds and written as REG_SZ with
// exactly the bytes given (the serial counter's 3-byte texts keep their
// zero padding).
#include <windows.h>

#include <vector>

#include "platform/settings_store.h"

namespace bendpost {
namespace {

class RegistryKey : public SettingsKey {
 public:
  explicit RegistryKey(HKEY key) : key_(key) {}
  ~RegistryKey() override { RegCloseKey(key_); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  std::optional<std::string> Query(const std::string& name) override {
    // The size can change between the two calls; ask again then.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD size = 0;
      LONG r = RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr,
                                &size);
      if (r != ERROR_SUCCESS) return std::nullopt;
      std::vector<BYTE> bytes(size + 1);
      DWORD got = size;
      r = RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, bytes.data(),
                           &got);
      if (r == ERROR_MORE_DATA) continue;
      if (r != ERROR_SUCCESS) return std::nullopt;
      return std::string(reinterpret_cast<const char*>(bytes.data()), got);
    }
    return std::nullopt;
  }

  bool Set(const std::string& name, const std::string& bytes) override {
    return RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
  }

 private:
  HKEY key_;
};

class RegistryStore : public SettingsStore {
 public:
  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override {
    HKEY key = nullptr;
    REGSAM sam = access == KeyAccess::kWrite ? KEY_WRITE : KEY_READ;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_path.c_str(), 0, sam, &key) !=
        ERROR_SUCCESS)
      return nullptr;
    return std::make_unique<RegistryKey>(key);
  }
};

}  // namespace

SettingsStore& UserSettingsStore() {
  static RegistryStore* store = new RegistryStore();
  return *store;
}

}  // namespace bendpost
