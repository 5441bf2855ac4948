// Placeholder: replaced by the file-backed per-user store.
#include "platform/settings_store.h"

namespace bendpost {

SettingsStore& UserSettingsStore() {
  static MemSettingsStore* store = new MemSettingsStore();
  return *store;
}

}  // namespace bendpost
