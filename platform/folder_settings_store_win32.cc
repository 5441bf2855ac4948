// The Windows system calls under the folder settings store: the C
// runtime's descriptors for the value files, Win32 for folders and for the
// rename, which must replace the old value.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "platform/folder_settings_store.h"
#include "platform/folder_settings_store_os.h"

namespace bendpost {

int ValueFileCalls::MakeTemporary(char* path_template) {
  if (_mktemp_s(path_template, std::strlen(path_template) + 1) != 0) return -1;
  return _open(path_template, _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY,
               _S_IREAD | _S_IWRITE);
}
ssize_t ValueFileCalls::Write(int fd, const void* data, size_t size) {
  return _write(fd, data, static_cast<unsigned>(size));
}
int ValueFileCalls::Sync(int fd) { return _commit(fd); }
int ValueFileCalls::Close(int fd) { return _close(fd); }
int ValueFileCalls::Rename(const char* from, const char* to) {
  if (MoveFileExA(from, to,
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
      FALSE) {
    return 0;
  }
  errno = EACCES;
  return -1;
}
int ValueFileCalls::Unlink(const char* path) { return _unlink(path); }
int ValueFileCalls::OpenFolder(const char*) { return -1; }

namespace folder_store_os {

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Folders carry no read or write permission of their own that the C
// runtime could test; opening the value tells.
bool FolderAllows(const std::string&, KeyAccess) { return true; }

Status MakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr) != FALSE) return Status::OK();
  const DWORD why = GetLastError();
  if (why == ERROR_ALREADY_EXISTS) return Status::OK();
  return Status::Error("cannot create " + path + " (error " +
                       std::to_string(why) + ")");
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::optional<std::string> ReadRegularFile(const std::string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open.
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buf[256];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr) != FALSE) &&
         got > 0) {
    bytes.append(buf, got);
  }
  CloseHandle(h);
  if (!ok) return std::nullopt;
  return bytes;
}

}  // namespace folder_store_os
}  // namespace bendpost
