// Fuzz target: the record file reader in both layouts, its listing, and the
// converter that turns a record file into a control file.
//
// Input: the bytes of a record file. Everything runs on an in-memory file
// system, so the converter's temporary file, rename and clean-up are
// exercised without touching the disk.
//
// Properties:
//   - the reader returns a step only when it is one of the program's steps
//     (0 <= k < RecordCount - 1) and its bytes are in the file;
//   - a conversion either leaves exactly one new file, the 12,664-byte
//     control file, which decodes without a problem and holds one used slot
//     per step, or leaves no new file at all (no temporary file either);
//   - a loaded program, written again in the padded layout (with the final
//     default record), reads back and writes the same bytes again (see
//     CheckRoundTrip for the one exception).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formats/control_file.h"
#include "formats/program_converter.h"
#include "formats/record_file.h"
#include "fuzz/fuzz_check.h"
#include "platform/file.h"
#include "testing/mem_file_system.h"

namespace {

using namespace bendpost;

constexpr char kSource[] = "job/P1.kpz";
constexpr char kTarget[] = "job/P1.NMB";

void ReadEveryStep(MemFileSystem& fs, size_t size, int selector) {
  std::unique_ptr<File> file;
  FUZZ_CHECK(fs.OpenForRead(kSource, &file).ok());
  RecordFileReader reader(file.get(), selector);
  const RecordLayout layout = reader.layout();
  RecordFileHeader header;
  const bool have_header = reader.ReadHeader(&header).ok();
  FUZZ_CHECK(have_header == (size >= record_file::HeaderSize(layout)));
  int16_t count = 0;
  if (!reader.ReadRecordCount(&count).ok()) {
    FUZZ_CHECK(size < record_file::kRecordCount + 2);
    return;
  }
  // Every index the reader might be asked for, a little beyond both ends.
  const int last = count < 0 ? 2 : count + 2;
  for (int k = -2; k <= last && k <= 200; ++k) {
    RecordFileStep step;
    if (!reader.ReadStep(k, &step).ok()) continue;
    FUZZ_CHECK(k >= 0 && k < count - 1);
    FUZZ_CHECK(record_file::StepOffset(layout, k) +
                   record_file::StepSize(layout) <=
               size);
    FUZZ_CHECK(step.LayoutSelector == selector);
  }
}

// The loaded program in the padded layout: header, steps, default record.
std::string Reencode(const ProgramConverter& converter) {
  std::vector<RecordFileStep> records = converter.steps();
  records.push_back(RecordFileStep());
  for (RecordFileStep& r : records) r.LayoutSelector = 0;
  return EncodeRecordFile(*converter.header(), records);
}

std::string ReadAndReencode(const std::string& bytes) {
  MemFileSystem fs;
  fs.SetFile(kSource, bytes);
  ProgramConverter converter(fs, 0);
  FUZZ_CHECK(converter.ReadRecordFile(kSource, 0) == 1);
  return Reencode(converter);
}

// The reader keeps a text field's 0 bytes (only PartReference is trimmed,
// of trailing white space), the writer turns them into spaces; so a 0 byte
// in PartReference can turn white space before it into trailing white space
// that the next read trims. The writer never stores a 0 byte in a text
// field: for files without one the first rewrite is already stable, for
// the others the second.
void CheckRoundTrip(const ProgramConverter& loaded, std::string_view bytes) {
  const std::string first = Reencode(loaded);
  const std::string second = ReadAndReencode(first);
  const std::string_view part_reference = bytes.substr(
      record_file::kPartReference, record_file::kPartReferenceWidth);
  if (part_reference.find('\0') == std::string_view::npos) {
    FUZZ_CHECK(first == second);
  } else {
    FUZZ_CHECK(ReadAndReencode(second) == second);
  }
}

void Convert(std::string_view bytes, int selector) {
  MemFileSystem fs;
  fs.SetFile(kSource, std::string(bytes));
  ReadEveryStep(fs, bytes.size(), selector);

  ProgramConverter converter(fs, selector);
  std::string target = kTarget;
  const int converted = converter.ConvertToControlFile(kSource, target);
  const std::vector<std::string> files = fs.ListFiles();
  FUZZ_CHECK(fs.GetFile(kSource) != nullptr && *fs.GetFile(kSource) == bytes);
  if (converted != 1) {
    FUZZ_CHECK(converted == 0);
    FUZZ_CHECK(target == kTarget);
    FUZZ_CHECK(!converter.status().message().empty());
    FUZZ_CHECK(files.size() == 1);
    if (converter.header() != nullptr) {
      // Loaded, then refused: only a program of more than 25 steps.
      FUZZ_CHECK(converter.steps().size() > control_file::kStepSlots);
      CheckRoundTrip(converter, bytes);
    }
    return;
  }
  FUZZ_CHECK(converter.header() != nullptr);
  const size_t steps = converter.steps().size();
  FUZZ_CHECK(steps >= 1 && steps <= control_file::kStepSlots);
  FUZZ_CHECK(static_cast<size_t>(converter.header()->RecordCount) == steps + 1);
  FUZZ_CHECK(files.size() == 2);
  const std::string* control = fs.GetFile(target);
  FUZZ_CHECK(control != nullptr);
  FUZZ_CHECK(control->size() == control_file::kFileSize);
  DecodedControlFile decoded;
  FUZZ_CHECK(DecodeControlFile(*control, &decoded).ok());
  FUZZ_CHECK(decoded.steps.size() == steps);
  CheckRoundTrip(converter, bytes);
}

volatile size_t sink;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  sink = DumpRecordFile(bytes, RecordLayout::kPadded).size();
  sink = DumpRecordFile(bytes, RecordLayout::kCompact).size();
  Convert(bytes, 0);  // padded
  Convert(bytes, 1);  // compact
  return 0;
}
