// The settings store port: the per-user store of the daily serial counter
// (the registry under HKEY_CURRENT_USER on Windows, files on POSIX).
//
// A key is addressed by its path below the user's root, with "\" between
// the parts ("Software\\Orvanix\\VantorelCommon\\Default"). Keys are opened,
// never created: the installation of the host creates them. Values are raw
// bytes (the serial counter stores 3-byte texts).
#ifndef BENDPOST_PLATFORM_SETTINGS_STORE_H_
#define BENDPOST_PLATFORM_SETTINGS_STORE_H_

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace bendpost {

class SettingsKey {
 public:
  virtual ~SettingsKey() = default;
  // The value's bytes, or nullopt when the value does not exist.
  virtual std::optional<std::string> Query(const std::string& name) = 0;
  // Stores the value; false when it could not be stored.
  virtual bool Set(const std::string& name, const std::string& bytes) = 0;
};

enum class KeyAccess { kRead, kWrite };

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Opens an existing key; nullptr when it does not exist or cannot be
  // opened with that access.
  virtual std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                               KeyAccess access) = 0;
};

// An in-memory store for tests: keys exist only once created.
class MemSettingsStore : public SettingsStore {
 public:
  void CreateKey(const std::string& key_path) { keys_[key_path]; }
  void RemoveKey(const std::string& key_path) { keys_.erase(key_path); }
  // Makes Set fail (a key that can be opened but not written).
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  std::map<std::string, std::string>* Values(const std::string& key_path);
  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override;

 private:
  std::map<std::string, std::map<std::string, std::string>> keys_;
  bool read_only_ = false;
};

// A store that reads through to another one and keeps every value set in
// memory: the store below is only ever opened for reading. A key exists
// when it exists below or was made with CreateKey. What a preview run of
// the generation stores (the serial counter) thus never reaches the user's
// store.
class OverlaySettingsStore : public SettingsStore {
 public:
  explicit OverlaySettingsStore(SettingsStore& below) : below_(below) {}
  // Makes the key exist in the overlay, as the host's installation would
  // make it in the store below.
  void CreateKey(const std::string& key_path) { created_.insert(key_path); }
  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override;

 private:
  SettingsStore& below_;
  std::set<std::string> created_;
  std::map<std::string, std::map<std::string, std::string>> values_;
};

// The platform's user settings store.
SettingsStore& UserSettingsStore();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_SETTINGS_STORE_H_
