#include "testing/fault_file_system.h"

#include <cstdint>
#include <string>
#include <utility>

namespace bendpost {

const char* FileOpName(FileOp op) {
  switch (op) {
    case FileOp::kCreate:
      return "create";
    case FileOp::kOpenForRead:
      return "open";
    case FileOp::kSetLength:
      return "set-length";
    case FileOp::kSeek:
      return "seek";
    case FileOp::kWrite:
      return "write";
    case FileOp::kRead:
      return "read";
    case FileOp::kClose:
      return "close";
    case FileOp::kRename:
      return "rename";
    case FileOp::kRemove:
      return "remove";
    case FileOp::kSync:
      return "sync";
    case FileOp::kSyncFolder:
      return "sync-folder";
  }
  return "?";
}

namespace {

Status Injected(FileOp op, const std::string& path) {
  return Status::Error(std::string("injected fault: cannot ") + FileOpName(op) +
                       " " + path);
}

}  // namespace

class FaultInjectingFile : public File {
 public:
  FaultInjectingFile(FaultInjectingFileSystem* fs, std::unique_ptr<File> inner,
                     std::string path)
      : fs_(fs), inner_(std::move(inner)), path_(std::move(path)) {}

  Status SetLength(uint64_t length) override {
    if (fs_->Begin(FileOp::kSetLength, path_ + " " + std::to_string(length)))
      return Injected(FileOp::kSetLength, path_);
    return inner_->SetLength(length);
  }

  Status Seek(uint64_t offset) override {
    if (fs_->Begin(FileOp::kSeek, path_ + " " + std::to_string(offset)))
      return Injected(FileOp::kSeek, path_);
    return inner_->Seek(offset);
  }

  Status Write(const void* data, size_t size) override {
    if (fs_->Begin(FileOp::kWrite, path_ + " " + std::to_string(size)))
      return Injected(FileOp::kWrite, path_);
    size_t fits = fs_->WritableBytes(size);
    if (fits > 0) {
      Status s = inner_->Write(data, fits);
      if (!s.ok()) return s;
      fs_->AddWritten(fits);
    }
    if (fits < size) {
      fs_->NoteFailure();
      return Status::Error("cannot write " + path_ +
                           ": No space left on device (injected)");
    }
    return Status::OK();
  }

  Status Read(void* data, size_t size, size_t* read) override {
    *read = 0;
    if (fs_->Begin(FileOp::kRead, path_ + " " + std::to_string(size)))
      return Injected(FileOp::kRead, path_);
    size_t limit = fs_->ReadLimit();
    return inner_->Read(data, size < limit ? size : limit, read);
  }

  Status Sync() override {
    if (fs_->Begin(FileOp::kSync, path_)) return Injected(FileOp::kSync, path_);
    return inner_->Sync();
  }

  Status Close() override {
    bool fail = fs_->Begin(FileOp::kClose, path_);
    Status s = inner_->Close();
    if (fail) return Injected(FileOp::kClose, path_);
    return s;
  }

 private:
  FaultInjectingFileSystem* fs_;
  std::unique_ptr<File> inner_;
  std::string path_;
};

FaultInjectingFileSystem::FaultInjectingFileSystem(FileSystem* inner)
    : inner_(inner) {}

FaultInjectingFileSystem::~FaultInjectingFileSystem() = default;

void FaultInjectingFileSystem::FailNth(FileOp op, int n) {
  fail_nth_[static_cast<int>(op)] = n;
}

void FaultInjectingFileSystem::FailFrom(FileOp op, int n) {
  fail_from_[static_cast<int>(op)] = n;
}

void FaultInjectingFileSystem::FailOperationNumber(int n) {
  fail_operation_ = n;
}

void FaultInjectingFileSystem::ShortReadOnNth(int n, size_t max_bytes) {
  short_read_nth_ = n;
  short_read_bytes_ = max_bytes;
}

void FaultInjectingFileSystem::SetDiskCapacity(uint64_t bytes) {
  has_capacity_ = true;
  capacity_ = bytes;
}

void FaultInjectingFileSystem::RefuseRenames(bool refuse) {
  refuse_renames_ = refuse;
}

void FaultInjectingFileSystem::ClearFaults() {
  fail_nth_.fill(0);
  fail_from_.fill(0);
  fail_operation_ = 0;
  short_read_nth_ = 0;
  short_read_bytes_ = 0;
  has_capacity_ = false;
  capacity_ = 0;
  refuse_renames_ = false;
}

void FaultInjectingFileSystem::ResetCounts() {
  counts_.fill(0);
  total_ = 0;
  bytes_written_ = 0;
  log_.clear();
}

int FaultInjectingFileSystem::Count(FileOp op) const {
  return counts_[static_cast<int>(op)];
}

int FaultInjectingFileSystem::TotalCount() const { return total_; }

bool FaultInjectingFileSystem::Begin(FileOp op, const std::string& what) {
  int kind = static_cast<int>(op);
  int n = ++counts_[kind];
  ++total_;
  bool fail = (fail_nth_[kind] > 0 && n == fail_nth_[kind]) ||
              (fail_from_[kind] > 0 && n >= fail_from_[kind]) ||
              (fail_operation_ > 0 && total_ == fail_operation_) ||
              (op == FileOp::kRename && refuse_renames_);
  log_.push_back(std::to_string(total_) + " " + FileOpName(op) + " " + what +
                 (fail ? " FAILED" : ""));
  return fail;
}

void FaultInjectingFileSystem::NoteFailure() {
  if (!log_.empty()) log_.back() += " FAILED";
}

size_t FaultInjectingFileSystem::WritableBytes(size_t size) const {
  if (!has_capacity_) return size;
  if (bytes_written_ >= capacity_) return 0;
  uint64_t room = capacity_ - bytes_written_;
  return room < size ? static_cast<size_t>(room) : size;
}

size_t FaultInjectingFileSystem::ReadLimit() const {
  if (short_read_nth_ > 0 && Count(FileOp::kRead) == short_read_nth_)
    return short_read_bytes_;
  return SIZE_MAX;
}

Status FaultInjectingFileSystem::Create(const std::string& path,
                                        std::unique_ptr<File>* file) {
  if (Begin(FileOp::kCreate, path)) return Injected(FileOp::kCreate, path);
  std::unique_ptr<File> inner;
  Status s = inner_->Create(path, &inner);
  if (!s.ok()) return s;
  *file = std::make_unique<FaultInjectingFile>(this, std::move(inner), path);
  return Status::OK();
}

Status FaultInjectingFileSystem::OpenForRead(const std::string& path,
                                             std::unique_ptr<File>* file) {
  if (Begin(FileOp::kOpenForRead, path))
    return Injected(FileOp::kOpenForRead, path);
  std::unique_ptr<File> inner;
  Status s = inner_->OpenForRead(path, &inner);
  if (!s.ok()) return s;
  *file = std::make_unique<FaultInjectingFile>(this, std::move(inner), path);
  return Status::OK();
}

Status FaultInjectingFileSystem::Rename(const std::string& from,
                                        const std::string& to) {
  if (Begin(FileOp::kRename, from + " -> " + to))
    return Injected(FileOp::kRename, from + " to " + to);
  return inner_->Rename(from, to);
}

Status FaultInjectingFileSystem::Remove(const std::string& path) {
  if (Begin(FileOp::kRemove, path)) return Injected(FileOp::kRemove, path);
  return inner_->Remove(path);
}

Status FaultInjectingFileSystem::SyncFolderOf(const std::string& path) {
  if (Begin(FileOp::kSyncFolder, path))
    return Injected(FileOp::kSyncFolder, path);
  return inner_->SyncFolderOf(path);
}

bool FaultInjectingFileSystem::Exists(const std::string& path) {
  return inner_->Exists(path);
}

Status FaultInjectingFileSystem::CheckWritable(const std::string& path) {
  return inner_->CheckWritable(path);
}

Status FaultInjectingFileSystem::ListFolder(const std::string& folder,
                                            std::vector<std::string>* names) {
  return inner_->ListFolder(folder, names);
}

}  // namespace bendpost
