// RecordingValueFileCalls: the folder settings store's system calls
// (ValueFileCalls), each recorded in order and then made for real, so that
// a test sees the road of a value onto the disk. The descriptors of the
// temporary file and of the folder are told apart by the call that opened
// them, until they are closed.
#ifndef BENDPOST_TESTING_RECORDING_VALUE_FILE_CALLS_POSIX_H_
#define BENDPOST_TESTING_RECORDING_VALUE_FILE_CALLS_POSIX_H_

#include <string>
#include <vector>

#include "platform/folder_settings_store.h"

namespace bendpost {

class RecordingValueFileCalls : public ValueFileCalls {
 public:
  // One line per call: "make-temporary", "write <bytes>",
  // "sync <temporary|folder>", "close <temporary|folder>", "rename",
  // "unlink", "open-folder".
  const std::vector<std::string>& Log() const { return log_; }

  int MakeTemporary(char* path_template) override {
    log_.push_back("make-temporary");
    temporary_ = ValueFileCalls::MakeTemporary(path_template);
    return temporary_;
  }
  ssize_t Write(int fd, const void* data, size_t size) override {
    log_.push_back("write " + std::to_string(size));
    return ValueFileCalls::Write(fd, data, size);
  }
  int Sync(int fd) override {
    log_.push_back("sync " + Which(fd));
    return ValueFileCalls::Sync(fd);
  }
  // A closed descriptor's number is free for the next open.
  int Close(int fd) override {
    log_.push_back("close " + Which(fd));
    if (fd == temporary_) temporary_ = -1;
    if (fd == folder_) folder_ = -1;
    return ValueFileCalls::Close(fd);
  }
  int Rename(const char* from, const char* to) override {
    log_.push_back("rename");
    return ValueFileCalls::Rename(from, to);
  }
  int Unlink(const char* path) override {
    log_.push_back("unlink");
    return ValueFileCalls::Unlink(path);
  }
  int OpenFolder(const char* path) override {
    log_.push_back("open-folder");
    folder_ = ValueFileCalls::OpenFolder(path);
    return folder_;
  }

 private:
  std::string Which(int fd) const {
    return fd == temporary_ ? "temporary"
           : fd == folder_  ? "folder"
                            : std::to_string(fd);
  }

  std::vector<std::string> log_;
  int temporary_ = -1;
  int folder_ = -1;
};

}  // namespace bendpost

#endif  // BENDPOST_TESTING_RECORDING_VALUE_FILE_CALLS_POSIX_H_
