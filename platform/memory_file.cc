#include "platform/memory_file.h"

#include <algorithm>
#include <cstring>

namespace bendpost {
namespace {

class MemFile : public File {
 public:
  MemFile(std::shared_ptr<std::string> data, bool writable)
      : data_(std::move(data)), writable_(writable) {}

  Status SetLength(uint64_t length) override {
    if (closed_) return Closed();
    if (!writable_) return Status::Error("file is open for reading only");
    data_->resize(static_cast<size_t>(length), '\0');
    return Status::OK();
  }
  Status Seek(uint64_t offset) override {
    if (closed_) return Closed();
    pos_ = static_cast<size_t>(offset);
    return Status::OK();
  }
  Status Write(const void* data, size_t size) override {
    if (closed_) return Closed();
    if (!writable_) return Status::Error("file is open for reading only");
    if (pos_ + size > data_->size()) data_->resize(pos_ + size, '\0');
    std::memcpy(data_->data() + pos_, data, size);
    pos_ += size;
    return Status::OK();
  }
  Status Read(void* data, size_t size, size_t* read) override {
    *read = 0;
    if (closed_) return Closed();
    size_t avail = pos_ < data_->size() ? data_->size() - pos_ : 0;
    size_t n = std::min(size, avail);
    if (n > 0) std::memcpy(data, data_->data() + pos_, n);
    pos_ += n;
    *read = n;
    return Status::OK();
  }
  Status Sync() override { return closed_ ? Closed() : Status::OK(); }
  // Closing twice is harmless; any other use of a closed file fails, as it
  // does on a real file.
  Status Close() override {
    closed_ = true;
    return Status::OK();
  }

 private:
  static Status Closed() { return Status::Error("the file is closed"); }

  std::shared_ptr<std::string> data_;
  bool writable_;
  size_t pos_ = 0;
  bool closed_ = false;
};

}  // namespace

std::unique_ptr<File> NewMemoryFile(std::shared_ptr<std::string> data,
                                    bool writable) {
  return std::make_unique<MemFile>(std::move(data), writable);
}

}  // namespace bendpost
