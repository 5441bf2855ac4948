// The folder operations under the folder settings store
// (folder_settings_store.h), one implementation per platform
// (folder_settings_store_posix.cc / _win32.cc). Internal to the store.
#ifndef BENDPOST_PLATFORM_FOLDER_SETTINGS_STORE_OS_H_
#define BENDPOST_PLATFORM_FOLDER_SETTINGS_STORE_OS_H_

#include <optional>
#include <string>

#include "base/status.h"
#include "platform/settings_store.h"

namespace bendpost::folder_store_os {

bool IsFolder(const std::string& path);
// Whether this process may open values of the key folder for `access`.
bool FolderAllows(const std::string& folder, KeyAccess access);
// Creates one folder, for the user only where permissions exist; OK when
// it exists already.
Status MakeFolder(const std::string& path);
// Where a folder path may be cut into its folders ("/"; on Windows "\" too).
bool IsSeparator(char c);
// The bytes of a regular file; nullopt for a missing file, a folder, or a
// read that fails.
std::optional<std::string> ReadRegularFile(const std::string& path);

}  // namespace bendpost::folder_store_os

#endif  // BENDPOST_PLATFORM_FOLDER_SETTINGS_STORE_OS_H_
