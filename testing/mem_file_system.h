// An in-memory FileSystem for tests and benchmarks: paths are plain keys,
// there are no folders. Deterministic and independent of the machine.
#ifndef BENDPOST_TESTING_MEM_FILE_SYSTEM_H_
#define BENDPOST_TESTING_MEM_FILE_SYSTEM_H_

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file.h"

namespace bendpost {

class MemFileSystem : public FileSystem {
 public:
  MemFileSystem();
  ~MemFileSystem() override;

  Status Create(const std::string& path, std::unique_ptr<File>* file) override;
  Status OpenForRead(const std::string& path,
                     std::unique_ptr<File>* file) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status Remove(const std::string& path) override;
  // There are no folders and nothing to flush: Sync and SyncFolderOf only
  // succeed.
  Status SyncFolderOf(const std::string& path) override;
  bool Exists(const std::string& path) override;
  // Refused for a read-only file (SetReadOnly), as Create is.
  Status CheckWritable(const std::string& path) override;
  // The files whose path is `folder` + "/" (or "\\") + a name without a
  // separator. A folder exists when a file lies in it or AddFolder made it.
  Status ListFolder(const std::string& folder,
                    std::vector<std::string>* names) override;

  // Direct access for tests.
  void SetFile(const std::string& path, std::string contents);
  // Contents of `path`, or nullptr when there is no such file.
  const std::string* GetFile(const std::string& path) const;
  std::vector<std::string> ListFiles() const;
  // A read-only file cannot be created over (emptied) and CheckWritable
  // refuses it, but a rename replaces it, as on POSIX systems: the file
  // renamed onto the name brings its own permissions. Removing the file
  // ends it.
  void SetReadOnly(const std::string& path, bool read_only);
  // An empty folder, for ListFolder.
  void AddFolder(const std::string& folder);

 private:
  // Files are shared with their open handles, so a handle keeps writing to
  // the file it opened even after a rename.
  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::set<std::string> read_only_;
  std::set<std::string> folders_;
};

}  // namespace bendpost

#endif  // BENDPOST_TESTING_MEM_FILE_SYSTEM_H_
