// The per-user settings store of POSIX systems, in place of the registry:
// the folder settings store (folder_settings_store.h) below the user's
// root, $XDG_CONFIG_HOME/bendpost/registry, or ~/.config/bendpost/registry
// when XDG_CONFIG_HOME is unset or relative.
#ifndef BENDPOST_PLATFORM_SETTINGS_STORE_POSIX_H_
#define BENDPOST_PLATFORM_SETTINGS_STORE_POSIX_H_

#include <string>

#include "platform/folder_settings_store.h"

namespace bendpost {

// The current user's root folder (see above); empty when neither
// XDG_CONFIG_HOME nor a home folder is known.
std::string UserSettingsRoot();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_SETTINGS_STORE_POSIX_H_
