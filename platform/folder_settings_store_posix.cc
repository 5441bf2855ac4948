// The POSIX system calls under the folder settings store.
#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "platform/folder_settings_store.h"
#include "platform/folder_settings_store_os.h"

namespace bendpost {

int ValueFileCalls::MakeTemporary(char* path_template) {
  return ::mkstemp(path_template);
}
ssize_t ValueFileCalls::Write(int fd, const void* data, size_t size) {
  return ::write(fd, data, size);
}
int ValueFileCalls::Sync(int fd) { return ::fsync(fd); }
int ValueFileCalls::Close(int fd) { return ::close(fd); }
int ValueFileCalls::Rename(const char* from, const char* to) {
  return ::rename(from, to);
}
int ValueFileCalls::Unlink(const char* path) { return ::unlink(path); }
int ValueFileCalls::OpenFolder(const char* path) {
  return ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

namespace folder_store_os {

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FolderAllows(const std::string& folder, KeyAccess access) {
  const int mode = access == KeyAccess::kWrite ? (W_OK | X_OK) : (R_OK | X_OK);
  return ::access(folder.c_str(), mode) == 0;
}

Status MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return Status::OK();
  return Status::Error("cannot create " + path + ": " + std::strerror(errno));
}

bool IsSeparator(char c) { return c == '/'; }

std::optional<std::string> ReadRegularFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  char buf[256];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return bytes;
}

}  // namespace folder_store_os
}  // namespace bendpost
