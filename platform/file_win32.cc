// Windows files through the Win32 API (8-bit paths in the system code
// page). Errors carry the system's own text of GetLastError().
// FlushFileBuffers flushes a file; a rename is written through
// (MOVEFILE_WRITE_THROUGH returns once the new name is on the device), so
// a folder has nothing left to flush.
#include <windows.h>

#include <algorithm>

#include "platform/file.h"

namespace bendpost {
namespace {

std::string SystemErrorText(DWORD code) {
  char buf[512];
  DWORD n =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, buf, sizeof buf, nullptr);
  std::string text(buf, n);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' ||
                           text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  if (text.empty()) text = "error " + std::to_string(code);
  return text;
}

Status LastErrorStatus(const std::string& what, const std::string& path) {
  DWORD code = GetLastError();
  return Status::Error(what + " " + path + ": " + SystemErrorText(code));
}

// A pipe has no end-of-file mark: once its writer has closed it (or
// disconnected it) and everything written was read, ReadFile fails with one
// of these. That is the end of what the pipe holds, not a failed read.
bool IsEndOfPipe(DWORD code) {
  return code == ERROR_BROKEN_PIPE || code == ERROR_PIPE_NOT_CONNECTED;
}

// Win32 transfers at most a DWORD's worth of bytes per call.
constexpr size_t kMaxChunk = 1u << 30;

class Win32File : public File {
 public:
  Win32File(HANDLE handle, std::string path)
      : handle_(handle), path_(std::move(path)) {}
  // A file not closed by its owner is closed here, where a failure can no
  // longer be reported.
  ~Win32File() override { (void)Close(); }

  // The length changes, the current position does not (as with POSIX
  // ftruncate), so callers see the same behaviour on every platform.
  Status SetLength(uint64_t length) override {
    LARGE_INTEGER zero{}, here{}, target{};
    target.QuadPart = static_cast<LONGLONG>(length);
    if (!SetFilePointerEx(handle_, zero, &here, FILE_CURRENT) ||
        !SetFilePointerEx(handle_, target, nullptr, FILE_BEGIN) ||
        !SetEndOfFile(handle_))
      return LastErrorStatus("cannot set the length of", path_);
    if (!SetFilePointerEx(handle_, here, nullptr, FILE_BEGIN))
      return LastErrorStatus("cannot seek in", path_);
    return Status::OK();
  }
  Status Seek(uint64_t offset) override {
    LARGE_INTEGER target{};
    target.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_, target, nullptr, FILE_BEGIN))
      return LastErrorStatus("cannot seek in", path_);
    return Status::OK();
  }
  Status Write(const void* data, size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      DWORD chunk = static_cast<DWORD>(std::min(size, kMaxChunk));
      DWORD written = 0;
      if (!WriteFile(handle_, p, chunk, &written, nullptr))
        return LastErrorStatus("cannot write", path_);
      if (written == 0) return Status::Error("cannot write " + path_);
      p += written;
      size -= written;
    }
    return Status::OK();
  }
  Status Read(void* data, size_t size, size_t* read) override {
    char* p = static_cast<char*>(data);
    size_t total = 0;
    while (total < size) {
      DWORD chunk = static_cast<DWORD>(std::min(size - total, kMaxChunk));
      DWORD got = 0;
      if (!ReadFile(handle_, p + total, chunk, &got, nullptr)) {
        *read = total;
        if (IsEndOfPipe(GetLastError())) break;
        return LastErrorStatus("cannot read", path_);
      }
      if (got == 0) break;
      total += got;
    }
    *read = total;
    return Status::OK();
  }
  Status Sync() override {
    if (!FlushFileBuffers(handle_))
      return LastErrorStatus("cannot flush", path_);
    return Status::OK();
  }
  Status Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return Status::OK();
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(h)) return LastErrorStatus("cannot close", path_);
    return Status::OK();
  }

 private:
  HANDLE handle_;
  std::string path_;
};

class Win32FileSystem : public FileSystem {
 public:
  Status Create(const std::string& path, std::unique_ptr<File>* file) override {
    HANDLE h =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
      return LastErrorStatus("cannot create", path);
    *file = std::make_unique<Win32File>(h, path);
    return Status::OK();
  }
  // A folder cannot be opened this way (no FILE_FLAG_BACKUP_SEMANTICS), so
  // it fails here like a missing file.
  Status OpenForRead(const std::string& path,
                     std::unique_ptr<File>* file) override {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return LastErrorStatus("cannot open", path);
    *file = std::make_unique<Win32File>(h, path);
    return Status::OK();
  }
  Status Rename(const std::string& from, const std::string& to) override {
    if (!MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return LastErrorStatus("cannot rename", from + " to " + to);
    return Status::OK();
  }
  Status Remove(const std::string& path) override {
    if (!DeleteFileA(path.c_str()))
      return LastErrorStatus("cannot delete", path);
    return Status::OK();
  }
  Status SyncFolderOf(const std::string&) override { return Status::OK(); }
  bool Exists(const std::string& path) override {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // CreateFile refuses to empty a read-only file, even for an
  // administrator; MoveFileEx is not relied on to refuse replacing one.
  Status CheckWritable(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    DWORD code = ERROR_ACCESS_DENIED;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      code = GetLastError();
      if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
        return Status::OK();
    } else if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) {
      return Status::OK();
    }
    return Status::Error("cannot replace " + path + ": " +
                         SystemErrorText(code));
  }
  // FindFirstFileA reports a folder without entries as ERROR_FILE_NOT_FOUND
  // (a real folder always has "." and "..", but a drive root has neither).
  Status ListFolder(const std::string& folder,
                    std::vector<std::string>* names) override {
    names->clear();
    const char last = folder.empty() ? '\\' : folder.back();
    const std::string pattern =
        folder + (last == '\\' || last == '/' ? "*" : "\\*");
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
      const DWORD code = GetLastError();
      const DWORD attributes = GetFileAttributesA(folder.c_str());
      if (code == ERROR_FILE_NOT_FOUND &&
          attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return Status::OK();
      SetLastError(code);
      return LastErrorStatus("cannot list", folder);
    }
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        names->push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    const DWORD code = GetLastError();
    FindClose(find);
    if (code != ERROR_NO_MORE_FILES) {
      SetLastError(code);
      return LastErrorStatus("cannot list", folder);
    }
    std::sort(names->begin(), names->end());
    return Status::OK();
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static Win32FileSystem* fs = new Win32FileSystem();
  return *fs;
}

}  // namespace bendpost
