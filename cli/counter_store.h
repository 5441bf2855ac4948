// The store of the daily serial counter that `generate` installs into the
// driver, with the counter's key created for the user when it is missing,
// as the host's installation would.
//
// `settings_dir` is the --settings option: a folder that holds the keys as
// folders and each value as a file of its bytes
// (<dir>/Software/Orvanix/VantorelCommon/Default/Serial Number). Without it
// the user's own store is used: the registry below HKEY_CURRENT_USER on
// Windows, the same folder layout below $XDG_CONFIG_HOME/bendpost/registry
// elsewhere.
#ifndef BENDPOST_CLI_COUNTER_STORE_H_
#define BENDPOST_CLI_COUNTER_STORE_H_

#include <memory>
#include <string>

#include "platform/settings_store.h"

namespace bendpost::cli {

// The store, or nullptr with `*error` saying why (a sentence without the
// command's name).
std::unique_ptr<SettingsStore> OpenCounterStore(const std::string& settings_dir,
                                                std::string* error);

}  // namespace bendpost::cli

#endif  // BENDPOST_CLI_COUNTER_STORE_H_
