// A file system that reads through to another one and keeps every change in
// memory: files created, written, renamed and removed are seen by whoever
// uses the overlay, and the file system below is never written. A run of
// the generation on it (`bendpost generate --preview`) makes exactly the
// files a real run would make, and leaves the disk as it was.
//
// A file of the file system below is copied into memory when it is first
// changed (renamed, or opened by Create, which empties it anyway). Folders
// are not modelled: a file may be created in a folder that does not exist,
// as it could once a real run had made the folder.
#ifndef BENDPOST_PLATFORM_OVERLAY_FILE_SYSTEM_H_
#define BENDPOST_PLATFORM_OVERLAY_FILE_SYSTEM_H_

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file.h"

namespace bendpost {

class OverlayFileSystem : public FileSystem {
 public:
  explicit OverlayFileSystem(FileSystem& below);

  Status Create(const std::string& path, std::unique_ptr<File>* file) override;
  Status OpenForRead(const std::string& path,
                     std::unique_ptr<File>* file) override;
  Status Rename(const std::string& from, const std::string& to) override;
  Status Remove(const std::string& path) override;
  // Nothing reaches a device: OK.
  Status SyncFolderOf(const std::string& path) override;
  bool Exists(const std::string& path) override;
  // As the file system below would answer for a file it holds, so that a
  // preview refuses what the real run would refuse.
  Status CheckWritable(const std::string& path) override;
  // The folder below as the overlay changed it; a folder that only the
  // overlay's files are in exists.
  Status ListFolder(const std::string& folder,
                    std::vector<std::string>* names) override;

  // The files the overlay holds (made or changed through it), by name.
  std::vector<std::string> ChangedFiles() const;
  // The contents of a file the overlay holds; nullptr for any other name.
  const std::string* Contents(const std::string& path) const;

 private:
  FileSystem& below_;
  std::map<std::string, std::shared_ptr<std::string>> files_;
  std::set<std::string> removed_;  // names of the file system below
};

}  // namespace bendpost

#endif  // BENDPOST_PLATFORM_OVERLAY_FILE_SYSTEM_H_
