// Small formatting helpers shared by the readable listings of the program
// files (record file and control file dumps). One field per line: its
// offset, its name and its value.
#ifndef BENDPOST_FORMATS_DUMP_TEXT_H_
#define BENDPOST_FORMATS_DUMP_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bendpost {
namespace dump {

// Bytes in double quotes; printable ASCII as is, everything else (and the
// quote and backslash) as \xNN, so trailing spaces and 0 bytes show.
std::string Quote(std::string_view bytes);
// "offset  name  value" with aligned columns, indented by `indent` spaces.
void Line(std::string* out, size_t offset, std::string_view name,
          std::string_view value, int indent = 2);
std::string Int(long long value);
std::string Float(float value);

}  // namespace dump
}  // namespace bendpost

#endif  // BENDPOST_FORMATS_DUMP_TEXT_H_
