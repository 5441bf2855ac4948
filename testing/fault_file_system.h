// FaultInjectingFileSystem: a FileSystem that passes every operation on to
// another one (the real file system or a MemFileSystem) and makes chosen
// operations fail, so tests can check that no failure leaves a half-written
// file behind.
//
// Every operation is counted by kind and in one running sequence, numbered
// from 1 since construction or the last ResetCounts(). A test runs its
// scenario once without faults to learn how many operations it makes, then
// once per operation with FailOperationNumber(i): "each operation in turn".
//
// What a failed operation does:
//   create, open for read, rename, remove, set length, seek, sync, sync of
//     a folder: nothing happens on the wrapped file system; the error is
//     reported.
//   write: nothing is written. Under "disk full" the bytes that still fit are
//     written, then the error is reported.
//   read: nothing is read (*read = 0). A short read delivers fewer bytes than
//     asked for and reports success, like a read at the end of the file.
//   close: the wrapped file is closed all the same (its resources are
//     released) and the error is reported.
// A failed operation is counted like any other. The queries that change
// nothing (exists, check-writable, list-folder) are passed on, never counted or
// failed; the wrapped file system answers them (MemFileSystem::SetReadOnly).
//
// The file system must outlive the files it opened.
#ifndef BENDPOST_TESTING_FAULT_FILE_SYSTEM_H_
#define BENDPOST_TESTING_FAULT_FILE_SYSTEM_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/file.h"

namespace bendpost {

enum class FileOp {
  kCreate,
  kOpenForRead,
  kSetLength,
  kSeek,
  kWrite,
  kRead,
  kClose,
  kRename,
  kRemove,
  kSync,
  kSyncFolder,
};
inline constexpr int kFileOpKinds = 11;

// "create", "open", "set-length", "seek", "write", "read", "close",
// "rename", "remove", "sync", "sync-folder".
const char* FileOpName(FileOp op);

class FaultInjectingFileSystem : public FileSystem {
 public:
  explicit FaultInjectingFileSystem(FileSystem* inner);
  ~FaultInjectingFileSystem() override;

  // --- Faults (numbers count from 1, like the counters) ---
  // The nth operation of kind `op` fails.
  void FailNth(FileOp op, int n);
  // Every operation of kind `op` fails, from the nth one on.
  void FailFrom(FileOp op, int n);
  // The nth operation of any kind fails.
  void FailOperationNumber(int n);
  // The nth read delivers at most `max_bytes` bytes and reports success.
  void ShortReadOnNth(int n, size_t max_bytes);
  // "Disk full": writes succeed until `bytes` bytes in all have been written
  // through this file system; the write that crosses the limit writes what
  // fits and fails, and so does every later write.
  void SetDiskCapacity(uint64_t bytes);
  // Every rename is refused.
  void RefuseRenames(bool refuse);
  // Removes every fault (the counters go on).
  void ClearFaults();

  // --- Counters ---
  void ResetCounts();
  int Count(FileOp op) const;
  int TotalCount() const;
  uint64_t BytesWritten() const { return bytes_written_; }
  // One line per operation in order, e.g. "3 write out.nmb 364" or
  // "7 rename a -> b FAILED"; for diagnostics in test failures.
  const std::vector<std::string>& Log() const { return log_; }

  // FileSystem
  Status Create(const std::string& path, std::unique_ptr<File>* file) override;
  Status OpenForRead(const std::string& path,
                     std::unique_ptr<File>* file) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status Remove(const std::string& path) override;
  Status SyncFolderOf(const std::string& path) override;
  bool Exists(const std::string& path) override;
  Status CheckWritable(const std::string& path) override;
  Status ListFolder(const std::string& folder,
                    std::vector<std::string>* names) override;

 private:
  friend class FaultInjectingFile;

  // Counts one operation; true when it is to fail.
  bool Begin(FileOp op, const std::string& what);
  void NoteFailure();
  // How many of `size` bytes the disk still takes.
  size_t WritableBytes(size_t size) const;
  void AddWritten(size_t size) { bytes_written_ += size; }
  // The byte limit of the current read, or SIZE_MAX.
  size_t ReadLimit() const;

  FileSystem* inner_;
  std::array<int, kFileOpKinds> counts_{};
  int total_ = 0;
  std::array<int, kFileOpKinds> fail_nth_{};
  std::array<int, kFileOpKinds> fail_from_{};
  int fail_operation_ = 0;
  int short_read_nth_ = 0;
  size_t short_read_bytes_ = 0;
  bool has_capacity_ = false;
  uint64_t capacity_ = 0;
  uint64_t bytes_written_ = 0;
  bool refuse_renames_ = false;
  std::vector<std::string> log_;
};

}  // namespace bendpost

#endif  // BENDPOST_TESTING_FAULT_FILE_SYSTEM_H_
