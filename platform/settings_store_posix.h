// The per-user settings store of POSIX systems, in place of the registry.
//
// Layout: below a root folder, a key is a folder whose path is the key path
// with "\" turned into "/", and each value of the key is one file named
// after the value, holding the value's bytes exactly (no line end):
//
//   <root>/Software/Orvanix/VantorelCommon/Default/Serial Number
//
// The user's root is $XDG_CONFIG_HOME/bendpost/registry, or
// ~/.config/bendpost/registry when XDG_CONFIG_HOME is unset or relative.
//
// As with the registry, keys are opened, never created by OpenKey: the
// installation (here the command-line host) creates them with
// CreateSettingsKey. A value is replaced by writing a new hidden file in
// the key's folder and renaming it over the old one, so a crash leaves
// either the old or the new value, never a torn one; files whose names
// start with "." are such temporaries and never values.
#ifndef BENDPOST_PLATFORM_SETTINGS_STORE_POSIX_H_
#define BENDPOST_PLATFORM_SETTINGS_STORE_POSIX_H_

#include <memory>
#include <string>

#include "platform/settings_store.h"
#include "base/status.h"

namespace bendpost {

class PosixSettingsStore : public SettingsStore {
 public:
  // `root` is the folder that holds the key folders. An empty root opens
  // no key.
  explicit PosixSettingsStore(std::string root);

  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override;

  const std::string& root() const { return root_; }

 private:
  std::string root_;
};

// The folder of the key `key_path` below `root`; empty when the key path is
// not acceptable (empty, or with an empty, "." or ".." part, or a part that
// contains "/" or a 0 byte).
std::string SettingsKeyFolder(const std::string& root,
                              const std::string& key_path);

// Creates the key (and every folder above it) below `root`, readable and
// writable by the user only. An existing key is left as it is.
Status CreateSettingsKey(const std::string& root, const std::string& key_path);

// The current user's root folder (see above); empty when neither
// XDG_CONFIG_HOME nor a home folder is known.
std::string UserSettingsRoot();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_SETTINGS_STORE_POSIX_H_
