// The POSIX store of the serial counter (settings_store_posix.h), and the
// run's hold on it: flock on a lock file in the store's root folder.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "host/counter_store.h"
#include "platform/serial_key.h"
#include "platform/settings_store_posix.h"

namespace bendpost::host {
namespace {

constexpr const char* kNoFolder =
    "no folder for the serial counter (neither XDG_CONFIG_HOME nor HOME is "
    "set); give --settings DIR";

// flock: the lock belongs to the open file, so two opens in one process
// exclude each other as two processes do, and it goes with the last close
// (a killed run leaves no lock behind).
class FlockCounterLock : public CounterStoreLock {
 public:
  FlockCounterLock(int fd, std::string path)
      : fd_(fd), path_(std::move(path)) {}
  ~FlockCounterLock() override { ::close(fd_); }
  FlockCounterLock(const FlockCounterLock&) = delete;
  FlockCounterLock& operator=(const FlockCounterLock&) = delete;
  const std::string& path() const override { return path_; }

 private:
  int fd_;
  std::string path_;
};

// flock(fd, operation), again when a signal interrupts it.
int FlockRetrying(int fd, int operation) {
  int rc;
  do {
    rc = ::flock(fd, operation);
  } while (rc != 0 && errno == EINTR);
  return rc;
}

// Creates `folder` and every folder above it that is missing, for the user
// only, as the store makes its own folders.
void CreateUserFolders(const std::string& folder) {
  for (size_t pos = 1; pos <= folder.size(); ++pos) {
    if (pos != folder.size() && folder[pos] != '/') continue;
    ::mkdir(folder.substr(0, pos).c_str(), 0700);
  }
}

}  // namespace

std::unique_ptr<SettingsStore> OpenCounterStore(const std::string& settings_dir,
                                                UserInterface& ui,
                                                CounterKey key,
                                                std::string* error) {
  const std::string root =
      settings_dir.empty() ? UserSettingsRoot() : settings_dir;
  if (root.empty()) {
    *error = kNoFolder;
    return nullptr;
  }
  if (key == CounterKey::kLeave)
    return std::make_unique<FolderSettingsStore>(root);
  if (Status s = CreateSettingsKey(root, SerialCounterKeyPath(ui)); !s.ok()) {
    *error = "cannot create the serial counter in " + root + ": " + s.message();
    return nullptr;
  }
  return std::make_unique<FolderSettingsStore>(root);
}

std::unique_ptr<CounterStoreLock> LockCounterStore(
    const std::string& settings_dir,
    const std::function<void(const std::string& lock_file)>& on_wait,
    std::string* error) {
  const std::string root =
      settings_dir.empty() ? UserSettingsRoot() : settings_dir;
  if (root.empty()) {
    *error = kNoFolder;
    return nullptr;
  }
  CreateUserFolders(root);  // a failure shows in the open below
  const std::string path = root + "/" + kCounterLockFileName;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    *error = "cannot open " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  if (FlockRetrying(fd, LOCK_EX | LOCK_NB) != 0) {
    int why = errno;
    if (why == EWOULDBLOCK) {
      on_wait(path);
      why = FlockRetrying(fd, LOCK_EX) == 0 ? 0 : errno;
    }
    if (why != 0) {
      *error = "cannot lock " + path + ": " + std::strerror(why);
      ::close(fd);
      return nullptr;
    }
  }
  return std::make_unique<FlockCounterLock>(fd, path);
}

}  // namespace bendpost::host
