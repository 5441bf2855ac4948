// The readable listing of a control file (DumpControlFile in control_file.h).
#include <string>

#include "formats/control_file.h"
#include "formats/dump_text.h"

namespace bendpost {

using namespace control_file;
using dump::Int;

std::string DumpControlFile(std::string_view bytes) {
  std::string out = "control file, " + Int(bytes.size()) + " bytes\n";
  DecodedControlFile file;
  Status s = DecodeControlFile(bytes, &file);
  if (bytes.size() != kFileSize) {
    out += s.message() + "\n";
    return out;
  }
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  out += "header at 0\n";
  fields::DumpFields(kHeaderFields, p, &out);
  for (size_t k = 0; k < file.steps.size(); ++k) {
    out += "slot " + Int(k) + " at " + Int(SlotOffset(k)) + "\n";
    fields::DumpFields(kStepFields, p + SlotOffset(k), &out);
  }
  size_t unused = kStepSlots - file.steps.size();
  if (unused > 0)
    out += "slots " + Int(file.steps.size()) + " to " + Int(kStepSlots - 1) +
           " unused\n";
  if (!s.ok()) out += s.message() + "\n";
  return out;
}

}  // namespace bendpost
