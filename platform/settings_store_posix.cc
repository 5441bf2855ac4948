// The per-user settings store of POSIX systems: the folder store below the
// user's root (settings_store_posix.h).
#include "platform/settings_store_posix.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

namespace bendpost {
namespace {

constexpr const char* kStoreSubfolder = "/bendpost/registry";

}  // namespace

std::string UserSettingsRoot() {
  const char* xdg = ::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/')
    return std::string(xdg) + kStoreSubfolder;
  const char* home = ::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return std::string(home) + "/.config" + kStoreSubfolder;
  }
  struct passwd pw;
  struct passwd* found = nullptr;
  std::vector<char> buf(16384);
  if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 &&
      found != nullptr && found->pw_dir != nullptr &&
      found->pw_dir[0] != '\0') {
    return std::string(found->pw_dir) + "/.config" + kStoreSubfolder;
  }
  return std::string();
}

SettingsStore& UserSettingsStore() {
  static FolderSettingsStore* store =
      new FolderSettingsStore(UserSettingsRoot());
  return *store;
}

}  // namespace bendpost
