// File access for every file the driver touches (program files, material
// data files, the tool name table). Every operation reports failure as a
// Status carrying the system's error text; nothing throws.
//
// Implementations: the real one of the platform (file_posix.cc /
// file_win32.cc), an in-memory one for tests (MemFileSystem) and a
// fault-injecting wrapper around either (FaultInjectingFileSystem).
#ifndef BENDPOST_PLATFORM_FILE_H_
#define BENDPOST_PLATFORM_FILE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/status.h"

namespace bendpost {

// An open file. Reads and writes advance the current position.
class File {
 public:
  virtual ~File() = default;
  virtual Status SetLength(uint64_t length) = 0;
  virtual Status Seek(uint64_t offset) = 0;
  virtual Status Write(const void* data, size_t size) = 0;
  // Reads up to `size` bytes; *read receives how many were read (fewer at
  // the end of the file, which is not an error).
  virtual Status Read(void* data, size_t size, size_t* read) = 0;
  // Flushes what was written to the device: when this returns OK the data
  // and the length survive a power cut. A file about to be published under
  // its final name is synced first (see FileSystem::SyncFolderOf).
  virtual Status Sync() = 0;
  // Closing flushes; a failure to flush is reported here. Closing twice is
  // harmless. The destructor closes a file that is still open.
  virtual Status Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Creates the file, or empties an existing one, open for reading and
  // writing.
  virtual Status Create(const std::string& path,
                        std::unique_ptr<File>* file) = 0;
  virtual Status OpenForRead(const std::string& path,
                             std::unique_ptr<File>* file) = 0;
  // Renames `from` to `to`, replacing an existing `to` in one step: a
  // reader of `to` sees the old file or the new one, never neither.
  virtual Status Rename(const std::string& from, const std::string& to) = 0;
  // Flushes the folder that holds `path` to the device, so that names
  // created, renamed or removed in it survive a power cut. Publishing a
  // file is thus: write it under a name of its own, Sync, Close, Rename
  // over the final name, SyncFolderOf the final name.
  virtual Status SyncFolderOf(const std::string& path) = 0;
  virtual Status Remove(const std::string& path) = 0;
  virtual bool Exists(const std::string& path) = 0;
  // OK when `path` names no file, or a file this process may write: one
  // that Create would not refuse for its permissions (its mode and owner on
  // POSIX, its read-only attribute on Windows); otherwise the reason. A
  // Rename replaces `to` whatever its permissions, so a file published by a
  // rename checks its final name first: a file the user may not write is
  // not replaced behind their back.
  virtual Status CheckWritable(const std::string& path) = 0;
  // The names (without the folder) of the files in `folder`, sorted by
  // their bytes; entries that are folders are left out, and so are "." and
  // "..". Fails with the system's reason when the folder does not exist or
  // cannot be read.
  virtual Status ListFolder(const std::string& folder,
                            std::vector<std::string>* names) = 0;
};

// Reads a whole file.
Status ReadWholeFile(FileSystem& fs, const std::string& path,
                     std::string* contents);
// Reads a text file as lines, line ends ("\n", "\r\n") excluded. A last line
// without a line end counts; an empty file has no lines.
Status ReadTextLines(FileSystem& fs, const std::string& path,
                     std::vector<std::string>* lines);

// Publishes `bytes` as the file `path`, as every file a user gets is
// published: written under `path` + ".tmp", synced and closed, renamed
// over `path` (a reader sees the old file or the new one, never half of
// one), then the folder synced. A `path` this process may not write
// (CheckWritable) is refused, as writing it in place would be. When a step
// before the rename fails, the staging file is removed and whatever was at
// `path` is left as it was.
Status WriteFileAtomically(FileSystem& fs, const std::string& path,
                           const std::string& bytes);

// The platform's real file system (a process-wide instance).
FileSystem& RealFileSystem();

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_FILE_H_
