// POSIX files: open(2)/read(2)/write(2), rename(2) replaces atomically,
// fsync(2) flushes a file and, on a folder opened read-only, its entries.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/file.h"

namespace bendpost {
namespace {

// The most bytes one read(2) transfers on Linux.
constexpr size_t kMaxSingleRead = 0x7ffff000;

Status ErrnoStatus(const std::string& what, const std::string& path, int err) {
  return Status::Error(what + " " + path + ": " + std::strerror(err));
}

class PosixFile : public File {
 public:
  // `regular`: the file is a regular file, where read(2) returns fewer
  // bytes than asked only at the end of the file, so a short read needs no
  // second read to confirm the end.
  PosixFile(int fd, std::string path, bool regular = false)
      : fd_(fd), path_(std::move(path)), regular_(regular) {}
  // A file not closed by its owner is closed here, where a failure can no
  // longer be reported.
  ~PosixFile() override { (void)Close(); }

  Status SetLength(uint64_t length) override {
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0)
      return ErrnoStatus("cannot set the length of", path_, errno);
    return Status::OK();
  }
  Status Seek(uint64_t offset) override {
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0)
      return ErrnoStatus("cannot seek in", path_, errno);
    return Status::OK();
  }
  Status Write(const void* data, size_t size) override {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
      ssize_t n = ::write(fd_, p, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        return ErrnoStatus("cannot write", path_, errno);
      }
      p += n;
      size -= static_cast<size_t>(n);
    }
    return Status::OK();
  }
  Status Read(void* data, size_t size, size_t* read) override {
    char* p = static_cast<char*>(data);
    size_t total = 0;
    while (total < size) {
      const size_t want = size - total;
      ssize_t n = ::read(fd_, p + total, want);
      if (n < 0) {
        if (errno == EINTR) continue;
        *read = total;
        return ErrnoStatus("cannot read", path_, errno);
      }
      if (n == 0) break;
      total += static_cast<size_t>(n);
      // One call reads at most kMaxSingleRead bytes; below that, a short
      // read of a regular file is its end.
      if (regular_ && static_cast<size_t>(n) < want && want < kMaxSingleRead)
        break;
    }
    *read = total;
    return Status::OK();
  }
  Status Sync() override {
    while (::fsync(fd_) != 0) {
      if (errno != EINTR) return ErrnoStatus("cannot flush", path_, errno);
    }
    return Status::OK();
  }
  Status Close() override {
    if (fd_ < 0) return Status::OK();
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return ErrnoStatus("cannot close", path_, errno);
    return Status::OK();
  }

 private:
  int fd_;
  std::string path_;
  bool regular_;
};

class PosixFileSystem : public FileSystem {
 public:
  Status Create(const std::string& path, std::unique_ptr<File>* file) override {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return ErrnoStatus("cannot create", path, errno);
    *file = std::make_unique<PosixFile>(fd, path);
    return Status::OK();
  }
  Status OpenForRead(const std::string& path,
                     std::unique_ptr<File>* file) override {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrnoStatus("cannot open", path, errno);
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    if (known && S_ISDIR(st.st_mode)) {
      ::close(fd);
      return ErrnoStatus("cannot open", path, EISDIR);
    }
    *file = std::make_unique<PosixFile>(fd, path, known && S_ISREG(st.st_mode));
    return Status::OK();
  }
  Status Rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0)
      return ErrnoStatus("cannot rename", from + " to " + to, errno);
    return Status::OK();
  }
  Status Remove(const std::string& path) override {
    if (::unlink(path.c_str()) != 0)
      return ErrnoStatus("cannot delete", path, errno);
    return Status::OK();
  }
  Status SyncFolderOf(const std::string& path) override {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".")
                               : slash == 0               ? std::string("/")
                                            : path.substr(0, slash);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return ErrnoStatus("cannot open the folder", folder, errno);
    int err = 0;
    while (::fsync(fd) != 0) {
      if (errno == EINTR) continue;
      // EINVAL: a file system that cannot flush folders (it has nothing
      // to flush that way); every other error is a failed flush.
      if (errno != EINVAL) err = errno;
      break;
    }
    ::close(fd);
    if (err != 0) return ErrnoStatus("cannot flush the folder", folder, err);
    return Status::OK();
  }
  bool Exists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }
  // Asked with the effective ids, as open(2) decides; root may write a
  // read-only file, and so passes here as it would there.
  Status CheckWritable(const std::string& path) override {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ||
        errno == ENOENT)
      return Status::OK();
    return ErrnoStatus("cannot replace", path, errno);
  }
  // d_type says what an entry is on most file systems; where it does not
  // (DT_UNKNOWN) or the entry is a link, stat(2) of the entry decides.
  Status ListFolder(const std::string& folder,
                    std::vector<std::string>* names) override {
    names->clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return ErrnoStatus("cannot list", folder, errno);
    errno = 0;
    while (const struct dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      bool is_folder = entry->d_type == DT_DIR;
      if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
        struct stat st;
        is_folder = ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 &&
                    S_ISDIR(st.st_mode);
      }
      if (!is_folder) names->push_back(name);
      errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0) return ErrnoStatus("cannot list", folder, err);
    std::sort(names->begin(), names->end());
    return Status::OK();
  }
};

}  // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem* fs = new PosixFileSystem();
  return *fs;
}

}  // namespace bendpost
