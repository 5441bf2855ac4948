#include "platform/file.h"

namespace bendpost {

Status ReadWholeFile(FileSystem& fs, const std::string& path,
                     std::string* contents) {
  contents->clear();
  std::unique_ptr<File> file;
  Status s = fs.OpenForRead(path, &file);
  if (!s.ok()) return s;
  char buf[8192];
  for (;;) {
    size_t got = 0;
    s = file->Read(buf, sizeof buf, &got);
    if (!s.ok()) return s;
    contents->append(buf, got);
    // Fewer bytes than asked means the end of the file (File::Read).
    if (got < sizeof buf) break;
  }
  return file->Close();
}

Status WriteFileAtomically(FileSystem& fs, const std::string& path,
                           const std::string& bytes) {
  // The rename below would replace `path` whatever its permissions.
  Status s = fs.CheckWritable(path);
  if (!s.ok()) return s;
  const std::string staging = path + ".tmp";
  std::unique_ptr<File> file;
  s = fs.Create(staging, &file);
  if (!s.ok()) return s;
  s = file->Write(bytes.data(), bytes.size());
  if (s.ok()) s = file->Sync();
  if (s.ok()) s = file->Close();
  if (s.ok()) s = fs.Rename(staging, path);
  if (!s.ok()) {
    file.reset();
    (void)fs.Remove(staging);  // the failure is `s`
    return s;
  }
  return fs.SyncFolderOf(path);
}

Status ReadTextLines(FileSystem& fs, const std::string& path,
                     std::vector<std::string>* lines) {
  lines->clear();
  std::string text;
  Status s = ReadWholeFile(fs, path, &text);
  if (!s.ok()) return s;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    lines->emplace_back(text, start, stop - start);
    start = next;
  }
  return Status::OK();
}

}  // namespace bendpost
