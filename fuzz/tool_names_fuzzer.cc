// Fuzz target: the tool name conversion table lookup.
//
// Input: one flag byte (bit 0: look up the sectional name), then the host
// tool name up to the first line feed, then the table text.
//
// Properties: the table read once answers every lookup as a fresh read of
// it does; an empty name gives "0" without reading the table; otherwise
// the result is the name itself (no line matched) or a target taken from the
// table: not empty, without a line end, never starting or ending with a
// blank or tab, and an ordinary target never holds one. A 32-byte ToolID
// entry made from the name reads back as its bytes up to the first 0 byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "bendpost/cstring.h"
#include "dialog/tool_names.h"
#include "fuzz/fuzz_check.h"
#include "testing/mem_file_system.h"

namespace {

using namespace bendpost;

constexpr char kTable[] = "tools/ToolNames.txt";

bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

void CheckToolId(std::string_view name) {
  char entry[32] = {};
  std::memcpy(entry, name.data(), std::min(name.size(), sizeof entry));
  const std::string read = ToolNameFromId(entry).str();
  const size_t zero = std::string_view(entry, sizeof entry).find('\0');
  FUZZ_CHECK(read == std::string_view(entry, std::min(zero, sizeof entry)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool sectional = (data[0] & 1) != 0;
  std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t line_end = rest.find('\n');
  const std::string_view name = rest.substr(0, line_end);
  const std::string_view table = line_end == std::string_view::npos
                                     ? std::string_view()
                                     : rest.substr(line_end + 1);

  MemFileSystem fs;
  fs.SetFile(kTable, std::string(table));
  const std::string result =
      ConvertToolName(fs, kTable, CString(name), sectional).str();
  if (name.empty()) {
    FUZZ_CHECK(result == "0");
  } else if (result != name) {
    FUZZ_CHECK(!result.empty());
    FUZZ_CHECK(result.find('\n') == std::string::npos);
    FUZZ_CHECK(table.find(result) != std::string_view::npos);
    FUZZ_CHECK(!IsBlankOrTab(result.front()) && !IsBlankOrTab(result.back()));
    if (!sectional) {
      FUZZ_CHECK(std::none_of(result.begin(), result.end(), IsBlankOrTab));
    }
  }
  // The table read once and asked again (as a program header does for all
  // its tools) answers as a fresh read does, for either kind of tool.
  const ToolNameTable once = ToolNameTable::Read(fs, kTable);
  FUZZ_CHECK(once.Convert(CString(name), sectional).str() == result);
  FUZZ_CHECK(once.Convert(CString(name), !sectional).str() ==
             ConvertToolName(fs, kTable, CString(name), !sectional).str());
  FUZZ_CHECK(once.Convert(CString(name), sectional).str() == result);

  // A table that cannot be read leaves the name as it is.
  MemFileSystem empty;
  const std::string unread =
      ConvertToolName(empty, kTable, CString(name), sectional).str();
  FUZZ_CHECK(unread == (name.empty() ? std::string("0") : std::string(name)));

  CheckToolId(name);
  return 0;
}
