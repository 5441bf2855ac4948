// Fuzz target: the control file decoder and listing (what a host's
// inspection of a control file reads).
//
// Input: control file bytes. The decoder refuses anything but 12,664 bytes,
// which mutation rarely keeps, so the input is also decoded as a file of the
// right size: its bytes first, zero bytes after (or cut to the size).
//
// Properties: a file of another size is refused and nothing is decoded; a
// file decoded without a problem holds 1 to 25 steps and is exactly what
// the encoder makes of the decoded fields (no byte outside a field, no field
// the encoder would write differently).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/control_file.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace bendpost;

volatile size_t sink;

void Decode(std::string_view bytes) {
  DecodedControlFile decoded;
  const Status s = DecodeControlFile(bytes, &decoded);
  sink = DumpControlFile(bytes).size();
  if (bytes.size() != control_file::kFileSize) {
    FUZZ_CHECK(!s.ok());
    FUZZ_CHECK(decoded.steps.empty());
    return;
  }
  if (!s.ok()) {
    FUZZ_CHECK(!s.message().empty());
    FUZZ_CHECK(decoded.steps.size() <= control_file::kStepSlots);
    return;
  }
  const int16_t count = decoded.header.StepCount;
  FUZZ_CHECK(count >= 1 && count <= static_cast<int>(control_file::kStepSlots));
  FUZZ_CHECK(decoded.steps.size() == static_cast<size_t>(count));

  ControlFileImage image;
  EncodeControlFileHeader(decoded.header, image.bytes.data());
  for (size_t k = 0; k < decoded.steps.size(); ++k)
    EncodeControlFileStep(decoded.steps[k],
                          image.bytes.data() + control_file::SlotOffset(k));
  FUZZ_CHECK(std::equal(image.bytes.begin(), image.bytes.end(),
                        reinterpret_cast<const uint8_t*>(bytes.data())));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Decode(bytes);
  if (size != control_file::kFileSize) {
    std::string sized(bytes.substr(0, control_file::kFileSize));
    sized.resize(control_file::kFileSize, '\0');
    Decode(sized);
  }
  return 0;
}
