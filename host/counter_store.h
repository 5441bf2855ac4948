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
#ifndef BENDPOST_HOST_COUNTER_STORE_H_
#define BENDPOST_HOST_COUNTER_STORE_H_

#include <functional>
#include <memory>
#include <string>

#include "platform/settings_store.h"
#include "platform/ui.h"

namespace bendpost::host {

// The store, or nullptr with `*error` saying why (a sentence without the
// command's name). `ui` tells the operator when the Windows test of the
// counter's key fails (platform/serial_key.h).
// Whether opening the store makes the counter's key when it is missing, as
// a real run does, or leaves the store exactly as it is (a preview, which
// only reads it).
enum class CounterKey { kCreateIfMissing, kLeave };
std::unique_ptr<SettingsStore> OpenCounterStore(const std::string& settings_dir,
                                                UserInterface& ui,
                                                CounterKey key,
                                                std::string* error);

// The name of the file whose lock stands for the whole counter store.
inline constexpr const char* kCounterLockFileName = "serial-counter.lock";

// One run's exclusive hold on a counter store, from LockCounterStore until
// it is destroyed (or the process ends, however it ends).
class CounterStoreLock {
 public:
  virtual ~CounterStoreLock() = default;
  // The lock file.
  virtual const std::string& path() const = 0;
};

// Takes the counter store of `settings_dir` (as for OpenCounterStore) for
// this run, so that runs of the host started together read and store the
// counter one after the other and never hand out one serial number twice.
// The lock is an advisory one on the file kCounterLockFileName: in the
// settings folder, or without one in the user's own store (the POSIX
// store's root; on Windows, whose counter is then in the registry, the
// user's local application data folder, "bendpost"). Another run holding
// it makes the call call `on_wait` once with the lock file's path, then
// wait until that run lets go.
// nullptr with `*error` saying why when the lock file cannot be made or
// locked.
std::unique_ptr<CounterStoreLock> LockCounterStore(
    const std::string& settings_dir,
    const std::function<void(const std::string& lock_file)>& on_wait,
    std::string* error);

}  // namespace bendpost::host

#endif  // BENDPOST_HOST_COUNTER_STORE_H_
