#include "platform/settings_store.h"

namespace bendpost {
namespace {

class MemKey : public SettingsKey {
 public:
  MemKey(std::map<std::string, std::string>* values, bool writable)
      : values_(values), writable_(writable) {}
  std::optional<std::string> Query(const std::string& name) override {
    auto it = values_->find(name);
    if (it == values_->end()) return std::nullopt;
    return it->second;
  }
  bool Set(const std::string& name, const std::string& bytes) override {
    if (!writable_) return false;
    (*values_)[name] = bytes;
    return true;
  }

 private:
  std::map<std::string, std::string>* values_;
  bool writable_;
};

// A key of the overlay: its own values first, then those below.
class OverlayKey : public SettingsKey {
 public:
  OverlayKey(std::map<std::string, std::string>* values,
             std::unique_ptr<SettingsKey> below)
      : values_(values), below_(std::move(below)) {}
  std::optional<std::string> Query(const std::string& name) override {
    auto it = values_->find(name);
    if (it != values_->end()) return it->second;
    if (!below_) return std::nullopt;
    return below_->Query(name);
  }
  bool Set(const std::string& name, const std::string& bytes) override {
    (*values_)[name] = bytes;
    return true;
  }

 private:
  std::map<std::string, std::string>* values_;
  std::unique_ptr<SettingsKey> below_;
};

}  // namespace

std::unique_ptr<SettingsKey> OverlaySettingsStore::OpenKey(
    const std::string& key_path, KeyAccess) {
  std::unique_ptr<SettingsKey> below =
      below_.OpenKey(key_path, KeyAccess::kRead);
  if (!below && created_.count(key_path) == 0) return nullptr;
  return std::make_unique<OverlayKey>(&values_[key_path], std::move(below));
}

std::map<std::string, std::string>* MemSettingsStore::Values(
    const std::string& key_path) {
  auto it = keys_.find(key_path);
  return it == keys_.end() ? nullptr : &it->second;
}

std::unique_ptr<SettingsKey> MemSettingsStore::OpenKey(
    const std::string& key_path, KeyAccess access) {
  auto it = keys_.find(key_path);
  if (it == keys_.end()) return nullptr;
  if (access == KeyAccess::kWrite && read_only_) return nullptr;
  return std::make_unique<MemKey>(&it->second,
                                  access == KeyAccess::kWrite && !read_only_);
}

}  // namespace bendpost
