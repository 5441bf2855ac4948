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

}  // namespace

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
