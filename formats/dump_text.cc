#include "formats/dump_text.h"

#include <cstdio>

#include "base/text.h"

namespace bendpost {
namespace dump {

std::string Quote(std::string_view bytes) {
  std::string out = "\"";
  for (char c : bytes) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f && c != '"' && c != '\\') {
      out += c;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    }
  }
  out += '"';
  return out;
}

void Line(std::string* out, size_t offset, std::string_view name,
          std::string_view value, int indent) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*s%5zu  %-22.*s", indent, "", offset,
                static_cast<int>(name.size()), name.data());
  *out += buf;
  *out += value;
  *out += '\n';
}

std::string Int(long long value) { return std::to_string(value); }

std::string Float(float value) { return FormatFloat(value); }

}  // namespace dump
}  // namespace bendpost
