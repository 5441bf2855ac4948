#include "formats/program_converter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "base/text.h"
#include "formats/control_file_name.h"
#include "platform/file.h"
#include "platform/path.h"

namespace bendpost {

namespace {

// The reader accepts programs of 1 to 99 steps (RecordCount 2 to 100).
constexpr int kMinSteps = 1;
constexpr int kMaxRecordFileSteps = 99;

int NormalizeSelector(int selector) {
  return selector == 1 || selector == 2 ? selector : 0;
}

// Whether the file holds at least `length` bytes: the last of them can be
// read. (The file port has no size query; a seek past the end is allowed and
// the read then returns nothing.)
Status CheckLength(File& file, uint64_t length) {
  if (length == 0) return Status::OK();
  Status s = file.Seek(length - 1);
  if (!s.ok()) return s;
  uint8_t byte;
  size_t got = 0;
  s = file.Read(&byte, 1, &got);
  if (!s.ok()) return s;
  if (got != 1)
    return Status::Error("the record file is cut short: it holds fewer than " +
                         std::to_string(length) + " bytes");
  return Status::OK();
}

// The first bytes of a record file, read in one piece, seen through the
// file port so that the record file reader works on them as on the file.
// Seeking past the end is allowed and a read there returns nothing.
class ReadBuffer : public File {
 public:
  explicit ReadBuffer(std::string bytes) : bytes_(std::move(bytes)) {}

  Status SetLength(uint64_t) override { return ReadOnly(); }
  Status Seek(uint64_t offset) override {
    position_ = offset;
    return Status::OK();
  }
  Status Write(const void*, size_t) override { return ReadOnly(); }
  Status Sync() override { return ReadOnly(); }
  Status Read(void* data, size_t size, size_t* read) override {
    const uint64_t available =
        position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(size, available));
    if (n > 0) std::memcpy(data, bytes_.data() + position_, n);
    position_ += n;
    *read = n;
    return Status::OK();
  }
  Status Close() override { return Status::OK(); }

 private:
  static Status ReadOnly() {
    return Status::Error("the record file is open for reading only");
  }
  std::string bytes_;
  uint64_t position_ = 0;
};

// Reads the bytes of the record file at `path` that a program can use: up
// to the end of the largest one (99 steps in the padded layout); anything
// after that is never looked at.
Status ReadRecordFileBytes(FileSystem& fs, const std::string& path,
                           std::string* bytes) {
  constexpr size_t kMostBytes = static_cast<size_t>(
      record_file::StepOffset(RecordLayout::kPadded, kMaxRecordFileSteps + 1));
  std::unique_ptr<File> file;
  Status s = fs.OpenForRead(path, &file);
  if (!s.ok()) return s;
  bytes->assign(kMostBytes, '\0');
  size_t got = 0;
  s = file->Read(bytes->data(), bytes->size(), &got);
  if (!s.ok()) return s;
  bytes->resize(got);
  // Everything was read; a failure to close a file opened for reading
  // loses nothing.
  (void)file->Close();
  return Status::OK();
}

}  // namespace

ProgramConverter::ProgramConverter(FileSystem& files, int layout_selector)
    : files_(files), layout_selector_(NormalizeSelector(layout_selector)) {}

ProgramConverter::~ProgramConverter() = default;

int ProgramConverter::Fail(const Status& status) {
  status_ = status;
  return 0;
}

void ProgramConverter::Release() {
  header_.reset();
  steps_.clear();
}

int ProgramConverter::ReadRecordFile(const std::string& path,
                                     int layout_selector) {
  Release();
  status_ = Status::OK();
  std::string bytes;
  Status s = ReadRecordFileBytes(files_, path, &bytes);
  if (!s.ok()) return Fail(s);
  ReadBuffer file(std::move(bytes));

  RecordFileReader reader(&file, layout_selector);
  int16_t record_count = 0;
  s = reader.ReadRecordCount(&record_count);
  if (!s.ok()) return Fail(s);
  const int n = record_count - 1;
  if (n < kMinSteps || n > kMaxRecordFileSteps)
    return Fail(Status::Error("RecordCount " + std::to_string(record_count) +
                              " is not that of a program of 1 to 99 steps"));
  s = CheckLength(file, record_file::StepOffset(reader.layout(), record_count));
  if (!s.ok()) return Fail(s);

  auto header = std::make_unique<RecordFileHeader>();
  s = reader.ReadHeader(header.get());
  if (!s.ok()) return Fail(s);
  std::vector<RecordFileStep> steps(static_cast<size_t>(n));
  for (int k = 0; k < n; ++k) {
    s = reader.ReadStep(k, &steps[static_cast<size_t>(k)]);
    if (!s.ok()) return Fail(s);
  }
  header_ = std::move(header);
  steps_ = std::move(steps);
  return 1;
}

int ProgramConverter::ConvertToControlFile(const std::string& source,
                                           std::string& target) {
  if (ReadRecordFile(source, layout_selector_) != 1) return 0;
  ControlFileImage image;
  Status s = BuildControlFileImage(*header_, steps_, &image);
  if (!s.ok()) return Fail(s);
  std::string name =
      BuildControlFileName(target, ControlHeaderFromRecord(*header_));
  s = WriteControlFile(files_, image, name);
  if (!s.ok()) return Fail(s);
  target = name;
  return 1;
}

std::string BuildControlFileName(const std::string& target,
                                 const ControlFileHeader& header) {
  return ControlFileName(target, header.NamePrefixDigit, header.ProgramName);
}

std::string ControlFileTemporaryName(const std::string& name) {
  return name + ".tmp";
}

Status WriteControlFile(FileSystem& fs, const ControlFileImage& image,
                        const std::string& name) {
  const std::string temp = ControlFileTemporaryName(name);
  auto fail = [&](const Status& s, bool remove_temp) {
    // The failure is `s`; a temporary file left behind is only litter.
    if (remove_temp) (void)fs.Remove(temp);
    return s;
  };

  // The rename below would replace the old control file whatever its
  // permissions; refuse it where writing it in place would be refused.
  Status s = fs.CheckWritable(name);
  if (!s.ok()) return fail(s, false);
  std::unique_ptr<File> file;
  s = fs.Create(temp, &file);
  if (!s.ok()) return fail(s, false);
  // The image is the file, header and step slots back to back: one write.
  s = file->Write(image.bytes.data(), image.bytes.size());
  if (s.ok()) s = file->Sync();
  if (!s.ok()) {
    (void)file->Close();  // already failed; `s` says why
    return fail(s, true);
  }
  s = file->Close();
  if (!s.ok()) return fail(s, true);
  s = fs.Rename(temp, name);
  if (!s.ok()) return fail(s, true);
  // The name holds the whole new file now and nothing can undo that, but
  // until the folder is flushed a power cut may still take the new name
  // away, so a failed flush fails the write.
  s = fs.SyncFolderOf(name);
  if (!s.ok()) return fail(s, false);
  return Status::OK();
}

}  // namespace bendpost
