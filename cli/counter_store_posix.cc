#include "cli/counter_store.h"
#include "dialog/program_identity.h"
#include "platform/platform.h"
#include "platform/settings_store_posix.h"

namespace bendpost::cli {

std::unique_ptr<SettingsStore> OpenCounterStore(const std::string& settings_dir,
                                                std::string* error) {
  const std::string root =
      settings_dir.empty() ? UserSettingsRoot() : settings_dir;
  if (root.empty()) {
    *error =
        "no folder for the serial counter (neither XDG_CONFIG_HOME nor HOME "
        "is set); give --settings DIR";
    return nullptr;
  }
  if (Status s =
          CreateSettingsKey(root, SerialCounterKeyPath(*CurrentPlatform().ui));
      !s.ok()) {
    *error = "cannot create the serial counter in " + root + ": " + s.message();
    return nullptr;
  }
  return std::make_unique<PosixSettingsStore>(root);
}

}  // namespace bendpost::cli
