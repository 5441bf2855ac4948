// The settings store in a folder, in place of the registry: the per-user
// store of POSIX systems, and on every system the store of a folder named
// by the host (`generate --settings DIR`).
//
// Layout: below a root folder, a key is a folder whose path is the key path
// with "\" turned into "/", and each value of the key is one file named
// after the value, holding the value's bytes exactly (no line end):
//
//   <root>/Software/Orvanix/VantorelCommon/Default/Serial Number
//
// As with the registry, keys are opened, never created by OpenKey: the
// installation (here the command-line host) creates them with
// CreateSettingsKey. A value is replaced by writing a new hidden file in
// the key's folder and renaming it over the old one, so a crash leaves
// either the old or the new value, never a torn one; files whose names
// start with "." are such temporaries and never values.
//
// The store's logic is the same everywhere; the system calls under it are
// the platform's (folder_settings_store_posix.cc / _win32.cc).
#ifndef BENDPOST_PLATFORM_FOLDER_SETTINGS_STORE_H_
#define BENDPOST_PLATFORM_FOLDER_SETTINGS_STORE_H_

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>

#include "base/status.h"
#include "platform/settings_store.h"

namespace bendpost {

// The system calls that replace a value, in one place so that a test can
// watch their order (the new file is flushed before the rename publishes
// it). Each does what the POSIX call of its name does, returns what it
// returns and leaves errno as it sets it; these are the system's own, and a
// test double overrides them to record each call and pass it on.
class ValueFileCalls {
 public:
  virtual ~ValueFileCalls() = default;
  virtual int MakeTemporary(char* path_template);  // mkstemp(3)
  virtual ssize_t Write(int fd, const void* data, size_t size);
  virtual int Sync(int fd);  // fsync(2)
  virtual int Close(int fd);
  // Replaces an existing `to`, on Windows too.
  virtual int Rename(const char* from, const char* to);
  virtual int Unlink(const char* path);
  // open(2) of a folder for reading, to flush its entries with Sync; -1
  // where a folder cannot be opened so (Windows, whose rename writes
  // through).
  virtual int OpenFolder(const char* path);
};

// The system's calls (a process-wide instance).
ValueFileCalls& SystemValueFileCalls();

class FolderSettingsStore : public SettingsStore {
 public:
  // `root` is the folder that holds the key folders. An empty root opens
  // no key. Values are replaced through `calls`, which must outlive the
  // store and its keys.
  explicit FolderSettingsStore(std::string root,
                               ValueFileCalls& calls = SystemValueFileCalls());

  std::unique_ptr<SettingsKey> OpenKey(const std::string& key_path,
                                       KeyAccess access) override;

  const std::string& root() const { return root_; }

 private:
  std::string root_;
  ValueFileCalls& calls_;
};

// The folder of the key `key_path` below `root`; empty when the key path is
// not acceptable (empty, or with an empty, "." or ".." part, or a part that
// contains "/" or a 0 byte).
std::string SettingsKeyFolder(const std::string& root,
                              const std::string& key_path);

// Creates the key (and every folder above it) below `root`, readable and
// writable by the user only where the system has such permissions. An
// existing key is left as it is.
Status CreateSettingsKey(const std::string& root, const std::string& key_path);

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_FOLDER_SETTINGS_STORE_H_
